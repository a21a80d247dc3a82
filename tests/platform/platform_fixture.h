// Shared set-up of the platform tests: a working directory of the test's own
// that holds Data/, and a real window with its OpenGL context whose program
// reads a clock the test sets.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "data_folder.h"
#include "platform/program.h"

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(video.ready) << "these tests need a display (run them under xvfb-run)";
        program = std::make_unique<Program>();
        program->clock = [this] { return now; };
        ASSERT_TRUE(openWindow(*program));
        startUp(*program);
        // Window-manager chatter would take ticks of its own between the
        // events a test pushes; the tests push only what they mean.
        SDL_EventState(SDL_WINDOWEVENT, SDL_IGNORE);
        SDL_EventState(SDL_KEYMAPCHANGED, SDL_IGNORE);
        settle();
    }

    void TearDown() override {
        if (program) closeWindow(*program);
        program.reset();
    }

    // Lets the events of showing the window arrive, then drops them.
    static void settle() {
        for (int i = 0; i < 10; ++i) {
            SDL_PumpEvents();
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
            SDL_Delay(10);
        }
    }

    // Queues the events at once, behind nothing: whatever the display sends
    // later lands after them.
    static void pushEvents(std::initializer_list<SDL_Event> events) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        for (SDL_Event event : events) SDL_PushEvent(&event);
    }

    DataFolder directory;
    VideoSession video;
    uint32_t now = 0;
    std::unique_ptr<Program> program;
};

inline SDL_Event mouseMove(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

inline SDL_Event mouseButton(uint8_t button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

inline SDL_Event key(SDL_Keycode sym, bool down, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat ? 1 : 0;
    event.key.keysym.sym = sym;
    return event;
}

inline SDL_Event quitEvent() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}
