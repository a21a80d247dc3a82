// Platform shell: the one window with its OpenGL context, start-up, and the
// main loop that runs one tick per pass and hands over at most one event.
// The only code that talks to SDL; everything else gets plain values from it.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "game/game.h"
#include "net/lockstep.h"
#include "play/tick.h"
#include "render/art.h"
#include "render/picture.h"

// The window shows the picture pixel for pixel.
constexpr int kWindowWidth = kPictureWidth;
constexpr int kWindowHeight = kPictureHeight;

// F11's virtual-key code: switches between the window and full screen.
constexpr int kFullScreenKey = 122;

struct WindowCloser {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct ContextCloser {
    void operator()(void* context) const { SDL_GL_DeleteContext(context); }
};

// The wrapping 32-bit millisecond clock: milliseconds of the system's
// monotonic clock, so values differ from run to run like a time since boot.
uint32_t readClock();

// Everything the program keeps for its whole run. `game` comes first: its
// planets draw their tilt and spin from the generator before start-up seeds it.
struct Program {
    Game game;
    PlayState play;         // the input, the test mode and the computer's seats
    NetGame net;            // a game over a network: its connections and its stream
    size_t notesShown = 0;  // the network's notes already put on the message line
    Art art;
    uint32_t frameTime = 0;   // clock at the end of the last tick
    uint32_t frameDelta = 0;  // ms between the ends of the last two ticks
    int32_t windowWidth = kWindowWidth;
    int32_t windowHeight = kWindowHeight;
    // Full screen at the desktop's size (--fullscreen, F11), the picture
    // scaled into `picture`; in the window the picture is the whole window.
    bool fullScreen = false;
    PictureArea picture;
    // Every time the program takes; tests put their own clock here.
    std::function<uint32_t()> clock = readClock;
    std::unique_ptr<SDL_Window, WindowCloser> window;
    std::unique_ptr<void, ContextCloser> context;  // declared last: goes first
};

// SDL's video subsystem for the lifetime of the object.
struct VideoSession {
    bool ready = false;
    VideoSession();
    ~VideoSession();
    VideoSession(const VideoSession&) = delete;
    VideoSession& operator=(const VideoSession&) = delete;
};

// Creates the window titled "Brennolt" with an 800 x 600 client area, the
// icon of the data folder (one line on standard error without it) and a
// current OpenGL context, and sets up the view. False, with one line on
// standard error, when there is no window to be had.
bool openWindow(Program& program);
// Releases the context, then the window, and restores the display.
void closeWindow(Program& program);

// Switches between the 800 x 600 window and full screen at the desktop's
// size, and sets the view for the new size. Stays in the window, with one
// line on standard error, when the display will not switch.
void setFullScreen(Program& program, bool on);

// The view for a drawable of width x height: the whole window in the window,
// the scaled and centred picture in full screen.
void resizeWindow(Program& program, int width, int height);

// Start-up: GL state and light, the generator seeded with the clock, the font
// and HUD textures, the frame time, the planet models, and the game's
// start-up values.
void startUp(Program& program);

// Whether the program plays a game over a network.
bool isNetworked(const Program& program);

// One tick: pointer, test mode, left and right button, the computer's seat,
// frame, animation, battle step, frame timing, latch ageing. Clicks act on
// what the last frame found; the animation turns what the frame has just shown.
void runTick(Program& program);

// Delivers one event: a key, a mouse button or a pointer move into the input
// state, a resize into the view, a close into the quit request.
void handleEvent(Program& program, const SDL_Event& event);

// Takes the next pending event, if any. Consecutive pointer moves collapse
// into the latest; nothing else is merged, reordered or dropped.
bool takeNextEvent(SDL_Event& event);

// One pass of the main loop: take at most one event, run one tick, deliver
// the event. False, without a tick, once the quit request stands.
bool runLoopPass(Program& program);

// Passes until the quit request; returns its exit code.
int runMainLoop(Program& program);

// The virtual-key code of an SDL key, or -1 for a key that has none.
int virtualKeyCode(SDL_Keycode key);
