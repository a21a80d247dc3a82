// The window, its OpenGL context and the display mode: created once at
// start-up, resized views kept valid, released after the main loop.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "game/data_file.h"
#include "game/data_path.h"
#include "platform/program.h"
#include "render/bitmap_file.h"
#include "render/render.h"

namespace {

constexpr const char* kWindowTitle = "Brennolt";
constexpr const char* kIconFileName = "icon.bmp";
constexpr int kDepthBits = 16;
constexpr int kColourChannelBits = 8;

// The legacy context the immediate-mode drawing needs, double-buffered, with
// no alpha, accumulation or stencil planes asked for.
void requestPixelFormat() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, kColourChannelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, kColourChannelBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, kColourChannelBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, kDepthBits);
}

void reportNoWindow(const char* what) {
    std::fprintf(stderr, "Brennolt: cannot open the game window: %s: %s\n", what, SDL_GetError());
}

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

// SDL falls back to drawing off screen when no display is reachable; a game
// nobody can see would only spin, so that counts as no display unless asked
// for by name.
bool isInvisibleDriver(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
           std::strcmp(driver, "dummy") == 0;
}

// The window's icon from the data folder, white see-through as in all the
// game's art. Without it the window keeps the desktop's default icon: one line
// on standard error, as for any other art.
void setWindowIcon(SDL_Window* window, const std::string& folder) {
    const std::string path = dataPath(folder, kIconFileName);
    std::string error;
    std::vector<uint8_t> bytes;
    Bitmap bitmap;
    if (readDataFile(path, bytes, error) != FileRead::Read || !parseBitmap(bytes, bitmap, error)) {
        std::fprintf(stderr, "Brennolt: icon %s not loaded: %s\n", path.c_str(), error.c_str());
        return;
    }
    // The bitmap keeps its bottom row first; SDL wants the top row first.
    const size_t rowBytes = static_cast<size_t>(bitmap.width) * 4;
    std::vector<uint8_t> topDown(bitmap.rgba.size());
    for (int32_t row = 0; row < bitmap.height; ++row) {
        std::memcpy(&topDown[row * rowBytes], &bitmap.rgba[(bitmap.height - 1 - row) * rowBytes],
                    rowBytes);
    }
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom(topDown.data(), bitmap.width, bitmap.height, 32,
                                           static_cast<int>(rowBytes), SDL_PIXELFORMAT_RGBA32);
    if (icon == nullptr) {
        std::fprintf(stderr, "Brennolt: icon %s not loaded: %s\n", path.c_str(), SDL_GetError());
        return;
    }
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

// The view for the size the window's drawable has now.
void viewDrawable(Program& program) {
    int width = kWindowWidth;
    int height = kWindowHeight;
    SDL_GL_GetDrawableSize(program.window.get(), &width, &height);
    resizeWindow(program, width, height);
}

}  // namespace

uint32_t readClock() {
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

VideoSession::VideoSession() {
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("SDL_VIDEODRIVER")) {
        std::fprintf(stderr,
                     "Brennolt: cannot open the game window: no display (DISPLAY is not set)\n");
        return;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        reportNoWindow("no video");
        return;
    }
    if (isInvisibleDriver(SDL_GetCurrentVideoDriver()) && !isSet("SDL_VIDEODRIVER")) {
        std::fprintf(stderr, "Brennolt: cannot open the game window: no display is reachable\n");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return;
    }
    ready = true;
}

VideoSession::~VideoSession() {
    if (ready) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool openWindow(Program& program) {
    requestPixelFormat();
    program.window.reset(SDL_CreateWindow(kWindowTitle, 0, 0, kWindowWidth, kWindowHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN));
    if (!program.window) {
        reportNoWindow("no window");
        return false;
    }
    program.context.reset(SDL_GL_CreateContext(program.window.get()));
    if (!program.context) {
        reportNoWindow("no OpenGL context");
        program.window.reset();
        return false;
    }
    // Held to the display's refresh where the driver can; otherwise no cap.
    SDL_GL_SetSwapInterval(1);
    // Keys arrive as key events only: no text input, no input method.
    SDL_StopTextInput();

    setWindowIcon(program.window.get(), program.game.dataFolders.read);
    SDL_ShowWindow(program.window.get());
    if (program.fullScreen) {
        setFullScreen(program, true);
    } else {
        viewDrawable(program);
    }
    return true;
}

void closeWindow(Program& program) {
    if (program.window && program.fullScreen) {
        SDL_SetWindowFullscreen(program.window.get(), 0);
    }
    program.context.reset();
    program.window.reset();
}

void setFullScreen(Program& program, bool on) {
    SDL_Window* window = program.window.get();
    // The window itself grows to the display's size first: where no window
    // manager runs, nobody acts on the full-screen request that follows (and
    // nobody moves the window from its place at the top left).
    SDL_Rect display{0, 0, kWindowWidth, kWindowHeight};
    if (on && SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &display) == 0) {
        SDL_SetWindowSize(window, display.w, display.h);
    }
    if (SDL_SetWindowFullscreen(window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "Brennolt: Display mode failed (%s); the game stays in its window\n",
                     SDL_GetError());
        on = false;
        SDL_SetWindowFullscreen(window, 0);
    }
    if (!on) {
        SDL_SetWindowSize(window, kWindowWidth, kWindowHeight);
    }
    program.fullScreen = on;
    viewDrawable(program);
}
