// Reading a file of the Data folder: the file is opened without waiting,
// checked to be a regular file of a size within the cap, then read whole.
#include "game/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

constexpr size_t kChunk = 4096;

std::string systemReason(const char* what) {
    return std::string(what) + " (" + std::strerror(errno) + ")";
}

std::string overCap() {
    constexpr int64_t kBytesPerMegabyte = 1024 * 1024;
    return "it is larger than " + std::to_string(kLargestDataFile / kBytesPerMegabyte) + " MB";
}

// Reads on past the size the file had when it was opened, so a file that
// grows meanwhile is read to its end, but never beyond the cap.
FileRead readOpenFile(int descriptor, std::vector<uint8_t>& bytes, std::string& reason) {
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        reason = systemReason("cannot read it");
        return FileRead::Failed;
    }
    if (!S_ISREG(status.st_mode)) {
        reason = "it is not a regular file";
        return FileRead::Failed;
    }
    if (status.st_size > kLargestDataFile) {
        reason = overCap() + " (" + std::to_string(status.st_size) + " bytes)";
        return FileRead::Failed;
    }
    std::vector<uint8_t> contents(static_cast<size_t>(status.st_size));
    size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            if (filled > static_cast<size_t>(kLargestDataFile)) {
                reason = overCap();
                return FileRead::Failed;
            }
            contents.resize(std::min(filled + kChunk, static_cast<size_t>(kLargestDataFile) + 1));
        }
        const ssize_t got = read(descriptor, contents.data() + filled, contents.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            reason = systemReason("cannot read it");
            return FileRead::Failed;
        }
        if (got == 0) break;
        filled += static_cast<size_t>(got);
    }
    contents.resize(filled);
    bytes = std::move(contents);
    return FileRead::Read;
}

}  // namespace

FileRead readDataFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) {
    // A named pipe would hold a plain open until some writer came along.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno == ENOENT) {
            reason = "there is no such file";
            return FileRead::Missing;
        }
        reason = systemReason("cannot open it");
        return FileRead::Failed;
    }
    const FileRead result = readOpenFile(descriptor, bytes, reason);
    close(descriptor);
    return result;
}
