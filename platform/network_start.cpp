// The network of a --host or --join command line: the port opened or the
// host reached, and the game hosted or joined, after start-up.
#include "platform/network_start.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "game/data_path.h"
#include "game/seats.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// BRENNOLT_NET_TRACE names a file the network's events are appended to, a
// line each, written out at once so that a process killed outright leaves
// them all.
void traceToFileOfEnvironment(NetGame& net) {
    const char* path = std::getenv("BRENNOLT_NET_TRACE");
    if (path == nullptr || *path == '\0') return;
    std::FILE* opened = std::fopen(path, "a");
    if (opened == nullptr) {
        std::fprintf(stderr, "Brennolt: cannot write the network trace %s\n", path);
        return;
    }
    std::shared_ptr<std::FILE> file(opened, FileCloser{});
    net.trace = [file](const std::string& line) {
        std::fprintf(file.get(), "%s\n", line.c_str());
        std::fflush(file.get());
    };
}

// Where a joiner keeps the token that takes its seats back when it joins the
// same host again: in the player's own folder, one file per host and port.
std::string tokenPath(const DataFolders& folders, const CommandLine& line) {
    std::string host;
    for (char c : line.host)
        host += std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' ? c : '_';
    return dataPath(folders.write, "Rejoin-" + host + "-" + std::to_string(line.port) + ".token");
}

uint64_t readToken(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "r"));
    uint64_t token = 0;
    if (file && std::fscanf(file.get(), "%16" SCNx64, &token) != 1) token = 0;
    return token;
}

// Readable by the player alone: whoever reads it can take their seats.
void writeToken(const DataFolders& folders, const std::string& path, uint64_t token) {
    const int fd =
        prepareWriteFolder(folders) ? open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600) : -1;
    char text[20];
    const int length = std::snprintf(text, sizeof text, "%016" PRIx64 "\n", token);
    const bool written = fd >= 0 && fchmod(fd, 0600) == 0 && write(fd, text, length) == length;
    if (fd >= 0) close(fd);
    if (!written)
        std::fprintf(stderr, "Brennolt: cannot keep the token to rejoin with in %s\n",
                     path.c_str());
}

}  // namespace

bool startNetwork(Program& program, const CommandLine& line) {
    if (line.netRole != NetRole::None) traceToFileOfEnvironment(program.net);
    Game& game = program.game;
    std::string error;
    if (line.netRole == NetRole::Host) {
        const std::string code = makeJoinCode();
        if (code.empty()) {
            std::fprintf(stderr, "Brennolt: cannot host: the system gave no random numbers\n");
            return false;
        }
        if (!hostOverEnet(program.net.transport, line.port, error)) {
            std::fprintf(stderr, "Brennolt: cannot host: %s\n", error.c_str());
            return false;
        }
        hostNetGame(program.net, game, program.play);
        game.network.joinCode = code;
        std::printf("Brennolt: hosting on port %u, join code %s\n",
                    static_cast<unsigned>(listeningPort(program.net.transport)), code.c_str());
        std::fflush(stdout);
        return true;
    }
    if (line.netRole == NetRole::Join) {
        if (!joinOverEnet(program.net.transport, line.host, line.port, error)) {
            std::fprintf(stderr, "Brennolt: cannot join %s:%u: %s\n", line.host.c_str(),
                         static_cast<unsigned>(line.port), error.c_str());
            return false;
        }
        joinNetGame(program.net, game, program.play, line.code, line.seat);
        const std::string path = tokenPath(game.dataFolders, line);
        program.net.token = readToken(path);
        program.net.keepToken = [folders = game.dataFolders, path](uint64_t token) {
            writeToken(folders, path, token);
        };
    }
    return true;
}

void stopNetwork(Program& program) {
    if (isNetworked(program)) leaveNetGame(program.net);
}
