// The network of a --host or --join command line: the port opened or the
// host reached, and the game hosted or joined, after start-up.
#include "platform/network_start.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

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
    }
    return true;
}

void stopNetwork(Program& program) {
    if (isNetworked(program)) leaveNetGame(program.net);
}
