// File names inside the data folders, and the private write folder made on
// first use.
#include "game/data_path.h"

#include <sys/stat.h>

#include <cerrno>

std::string dataPath(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

bool prepareWriteFolder(const DataFolders& folders) {
    if (!folders.makeWriteFolder) return true;
    const std::string& folder = folders.write;
    if (folder.empty()) {
        errno = ENOENT;
        return false;
    }
    // Each level in turn, so that every folder made is private, not only the last.
    for (size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string level = folder.substr(0, end);
        struct stat status {};
        if (stat(level.c_str(), &status) != 0) {
            if (errno != ENOENT || (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)) {
                return false;
            }
        } else if (!S_ISDIR(status.st_mode)) {
            errno = ENOTDIR;
            return false;
        }
        if (end == std::string::npos) return true;
    }
}
