// Program entry: the window, start-up, the main loop until the quit request,
// and the quit request's exit code.
#define SDL_MAIN_HANDLED
#include <memory>

#include "platform/program.h"

int main() {
    SDL_SetMainReady();
    // Built first, before any window: the game's construction order matters.
    auto program = std::make_unique<Program>();
    VideoSession video;
    if (!video.ready || !openWindow(*program)) return 1;
    startUp(*program);
    const int exitCode = runMainLoop(*program);
    closeWindow(*program);
    return exitCode;
}
