// Start-up, the tick and the main loop: one event taken, one tick run, the
// event delivered, so every tick sees the input as the last event left it.
#include <algorithm>

#include "game/commands.h"
#include "platform/program.h"
#include "render/frame_input.h"
#include "render/render.h"

namespace {

constexpr int kCloseExitCode = 0;

FrameInput frameInput(const Program& program) {
    const InputState& input = program.play.input;
    FrameInput frame;
    frame.mouseX = input.mouseX;
    frame.mouseY = input.mouseY;
    frame.mapX = input.mapX;
    frame.mapY = input.mapY;
    frame.leftHeld = input.leftHeld;
    frame.pressTime = input.pressTime;
    frame.clock = program.clock();
    frame.frameDelta = program.frameDelta;
    return frame;
}

void drawFrame(Program& program) {
    composeFrame(program.game, program.game.picks, program.art, frameInput(program));
    SDL_GL_SwapWindow(program.window.get());
}

void updateFrameTiming(Program& program) {
    const uint32_t now = program.clock();
    program.frameDelta = now - program.frameTime;  // wraps with the clock
    program.frameTime = now;
}

void handleWindowEvent(Program& program, const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_SIZE_CHANGED: resizeWindow(program, event.data1, event.data2); break;
        case SDL_WINDOWEVENT_CLOSE: requestQuit(program.game, kCloseExitCode); break;
        default: break;
    }
}

void handleMouseButton(InputState& input, const SDL_MouseButtonEvent& event) {
    MouseButton button;
    if (event.button == SDL_BUTTON_LEFT) {
        button = MouseButton::Left;
    } else if (event.button == SDL_BUTTON_RIGHT) {
        button = MouseButton::Right;
    } else {
        return;
    }
    if (event.state == SDL_PRESSED) {
        pressMouseButton(input, button);
    } else {
        releaseMouseButton(input, button);
    }
}

void handleKeyDown(Program& program, const SDL_KeyboardEvent& event) {
    const int code = virtualKeyCode(event.keysym.sym);
    pressKey(program.play.input, code);
    if (code == kFullScreenKey && event.repeat == 0) setFullScreen(program, !program.fullScreen);
}

// Everything reads the pointer as a pixel of the picture, whatever its size
// on screen; the window shows the picture as it is.
void movePointer(Program& program, const SDL_MouseMotionEvent& event) {
    if (!program.fullScreen) {
        moveMouse(program.play.input, event.x, event.y);
        return;
    }
    const PicturePoint point = pictureFromWindow(program.picture, event.x, event.y);
    moveMouse(program.play.input, point.x, point.y);
}

// The network's newest note goes on the message line.
void showNotes(Program& program) {
    const std::vector<std::string>& notes = program.net.notes;
    if (program.notesShown == notes.size()) return;
    program.notesShown = notes.size();
    program.game.messageLine = {notes.back(), program.clock()};
}

}  // namespace

void resizeWindow(Program& program, int width, int height) {
    program.windowWidth = width;
    if (!program.fullScreen) {
        program.picture = PictureArea{};
        program.windowHeight = resizeView(width, height);
        return;
    }
    program.windowHeight = std::max(height, 1);
    program.picture = fitPicture(width, program.windowHeight);
    viewPicture(program.picture, program.windowHeight);
}

void startUp(Program& program) {
    initialiseGraphics();
    program.game.startupSeed = program.clock();
    seedRandom(program.game.random, program.game.startupSeed);
    loadHudArt(program.art, program.game.dataFolders.read);
    program.frameTime = program.clock();
    loadPlanetModels(program.art, program.game.dataFolders.read);
    initialiseGame(program.game);
}

bool isNetworked(const Program& program) {
    return program.net.transport.kind != TransportKind::Off;
}

void runTick(Program& program) {
    Game& game = program.game;
    InputState& input = program.play.input;
    updateMapPointer(input);
    if (isNetworked(program)) {
        netBeforeFrame(program.net, game, program.play, program.clock());
        showNotes(program);
    } else {
        playBeforeFrame(game, program.play, program.clock());
    }
    drawFrame(program);
    playAfterFrame(game, program.play, program.frameDelta);
    if (isNetworked(program)) netAfterFrame(program.net, game, program.play);
    updateFrameTiming(program);
    ageMouseLatches(input);
}

void handleEvent(Program& program, const SDL_Event& event) {
    InputState& input = program.play.input;
    switch (event.type) {
        case SDL_QUIT: requestQuit(program.game, kCloseExitCode); break;
        case SDL_WINDOWEVENT: handleWindowEvent(program, event.window); break;
        case SDL_KEYDOWN: handleKeyDown(program, event.key); break;
        case SDL_KEYUP: releaseKey(input, virtualKeyCode(event.key.keysym.sym)); break;
        case SDL_MOUSEMOTION: movePointer(program, event.motion); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: handleMouseButton(input, event.button); break;
        default: break;
    }
}

bool takeNextEvent(SDL_Event& event) {
    if (SDL_PollEvent(&event) == 0) return false;
    if (event.type != SDL_MOUSEMOTION) return true;
    // The pointer only matters where it is now: a loop held to the display's
    // refresh must not trail behind a queue of old positions.
    SDL_Event next;
    while (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
           next.type == SDL_MOUSEMOTION) {
        SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION);
    }
    return true;
}

// A network game holds its loop to one tick per battle step: a machine
// waiting through the others' turns leaves the processor to the one whose
// player is acting, and a message that arrives, or input, ends the wait at once.
void holdNetworkTick(Program& program, uint32_t started) {
    const uint32_t spent = program.clock() - started;
    if (spent >= kFixedBattleStepMs || SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
    waitForTransport(program.net.transport, kFixedBattleStepMs - spent);
}

bool runLoopPass(Program& program) {
    if (program.game.quitRequested) return false;
    const uint32_t started = program.clock();
    SDL_Event event;
    const bool taken = takeNextEvent(event);
    runTick(program);
    if (taken) handleEvent(program, event);
    if (isNetworked(program)) holdNetworkTick(program, started);
    return true;
}

int runMainLoop(Program& program) {
    while (runLoopPass(program)) {
    }
    return program.game.exitCode;
}
