// Program entry: the command line, the data folder, the window, start-up, the
// main loop until the quit request, and the quit request's exit code.
#define SDL_MAIN_HANDLED
#include <cstdio>
#include <memory>

#include "platform/command_line.h"
#include "platform/network_start.h"
#include "platform/program.h"

namespace {

constexpr int kNoDataExitCode = 1;
constexpr int kMistakeExitCode = 2;

}  // namespace

int main(int argc, char** argv) {
    SDL_SetMainReady();
    const CommandLine commandLine =
        parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (commandLine.request) {
        case Request::Mistake:
            std::fprintf(stderr, "%s\n", commandLine.mistake.c_str());
            return kMistakeExitCode;
        case Request::Version: std::fputs(versionText().c_str(), stdout); return 0;
        case Request::Help:
        case Request::Play: break;
    }
    const DataSearchResult data = findDataFolders(processDataSearch(commandLine));
    if (commandLine.request == Request::Help) {
        std::fputs(helpText(data).c_str(), stdout);
        return 0;
    }
    if (!data.folders) {
        std::fprintf(stderr, "%s\n", data.failure.c_str());
        return kNoDataExitCode;
    }

    // Built first, before any window: the game's construction order matters.
    auto program = std::make_unique<Program>();
    program->game.dataFolders = *data.folders;
    program->game.dataFolders.loadFile = commandLine.loadFile;
    program->fullScreen = commandLine.fullScreen;
    VideoSession video;
    if (!video.ready || !openWindow(*program)) return 1;
    startUp(*program);
    if (!startNetwork(*program, commandLine)) {
        closeWindow(*program);
        return 1;
    }
    const int exitCode = runMainLoop(*program);
    stopNetwork(*program);
    closeWindow(*program);
    return exitCode;
}
