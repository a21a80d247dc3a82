// The network of a --host or --join command line: the port opened or the
// host reached, and the game hosted or joined, after start-up.
#include "platform/network_start.h"

#include <cstdio>
#include <string>

#include "game/seats.h"

bool startNetwork(Program& program, const CommandLine& line) {
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
