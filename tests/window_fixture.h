// Test support for every test with a window: a started program in a Data/
// folder of its own that holds the test pictures, on a clock the test sets;
// the pointer and the frame's start in map coordinates; pixels and text read
// back; screenshots into the build's screenshot folder; SDL events queued.
#pragma once

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data_folder.h"
#include "game/commands.h"
#include "game/game.h"
#include "interaction/interaction.h"
#include "platform/program.h"
#include "render/frame_input.h"
#include "render/render.h"
#include "render/sphere_model.h"
#include "render/test_bitmaps.h"
#include "render/text.h"

inline std::ostream& operator<<(std::ostream& out, const Texel& t) {
    return out << "(" << int(t.r) << ", " << int(t.g) << ", " << int(t.b) << ")";
}

constexpr Texel kBlack = {0, 0, 0};

// The pointer over map point (x, y) as the frame gets it.
inline FrameInput pointerAt(int x, int y, uint32_t frameDelta = 0) {
    FrameInput input;
    input.mouseX = kMapOriginX + x;
    input.mouseY = kMapOriginY - y;
    input.mapX = x;
    input.mapY = y;
    input.frameDelta = frameDelta;
    return input;
}

// A frame's start in map coordinates. The map draws its planets with the
// depth test and everything after them without.
inline void beginFrame(bool depthTest = true) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
    depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
}

// `width` x `height` pixels of the current read buffer from window pixel
// (left, bottom) up, as rows of RGB bytes, the bottom row first.
inline std::vector<uint8_t> readPixels(int left, int bottom, int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(left, bottom, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// The back buffer's pixel that shows map point (x, y).
inline Texel pixelAt(float x, float y) {
    const std::vector<uint8_t> rgb =
        readPixels(static_cast<int>(std::floor(static_cast<float>(kMapOriginX) + x)),
                   static_cast<int>(std::floor(static_cast<float>(kMapOriginY) + y)), 1, 1);
    return {rgb[0], rgb[1], rgb[2]};
}

// Rows of RGB bytes as <build>/screenshots/<name>.png, rows `stride` bytes
// apart (negative: the rows run bottom-up, as GL reads them).
inline bool writeScreenshot(const std::string& name, int width, int height, const uint8_t* rgb,
                            int stride) {
    const std::filesystem::path folder = BRENNOLT_SCREENSHOT_DIR;
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (name + ".png")).string();
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb, stride, nullptr) != 0;
}

// The back buffer as a screenshot.
inline bool writeScreenshot(const std::string& name) {
    const std::vector<uint8_t> rgb = readPixels(0, 0, kWindowWidth, kWindowHeight);
    return writeScreenshot(name, kWindowWidth, kWindowHeight, rgb.data(), -kWindowWidth * 3);
}

// A started program whose Data/ holds the test font and HUD pictures, with
// spheres made here for planet models. Window events other than input are
// ignored, so the tests' own events are all the loop sees.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(directory.ready());
        ASSERT_TRUE(video.ready) << "these tests need a display (run them under xvfb-run)";
        writeBytes("Data/myFont.bmp", encodeBitmap(kAtlasSide, kAtlasSide, fontTexel));
        writeBytes("Data/HUD.bmp", encodeBitmap(kAtlasSide, kAtlasSide, hudTexel));
        program->clock = [this] { return now; };
        ASSERT_TRUE(openWindow(*program));
        startUp(*program);
        art.planetModels.fill(makeSphere(12.0f, 8, 12, 0));
        SDL_EventState(SDL_WINDOWEVENT, SDL_IGNORE);
        SDL_EventState(SDL_KEYMAPCHANGED, SDL_IGNORE);
        settle();
    }
    void TearDown() override {
        if (program->window) closeWindow(*program);
    }

    // The frame of the current phase, drawn but not presented.
    void compose(const FrameInput& input) { composeFrame(game, game.picks, art, input); }
    // Setup -> a new game's turn screen -> its star map.
    void beginTurn() { dispatchCommand(game, CommandId::BeginTurn); }
    void beginMovement() {
        beginTurn();
        beginTurn();
        ASSERT_EQ(game.session.phase, GamePhase::Movement);
    }

    // Whether the back buffer shows `text` with its top left at map point
    // (x, y), in yellow as drawText draws it or else in `colour`: every pixel
    // the same text lights when drawn alone into a cleared buffer (the front
    // one, so the frame stays) must be lit alike; around the glyphs anything
    // may show.
    testing::AssertionResult showsText(int x, int y, const std::string& text, FontSize size) const {
        return matchText(x, y, text, size, nullptr);
    }
    testing::AssertionResult showsText(int x, int y, const std::string& text, FontSize size,
                                       const Colour& colour) const {
        return matchText(x, y, text, size, &colour);
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
    std::unique_ptr<Program> program = std::make_unique<Program>();
    Game& game = program->game;
    Art& art = program->art;

private:
    testing::AssertionResult matchText(int x, int y, const std::string& text, FontSize size,
                                       const Colour* colour) const {
        const int advance = glyphAdvance(size);
        const int height = glyphHeight(size);
        const int left = kMapOriginX + x - 2;
        const int bottom = kMapOriginY + y - height - 2;
        const int width = advance * static_cast<int>(text.size()) + 4;
        const std::vector<uint8_t> shown = readPixels(left, bottom, width, height + 4);

        glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_PIXEL_MODE_BIT | GL_CURRENT_BIT);
        glDrawBuffer(GL_FRONT);
        glReadBuffer(GL_FRONT);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glClear(GL_COLOR_BUFFER_BIT);  // the depth buffer is the frame's
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
        glDisable(GL_DEPTH_TEST);
        colour ? drawTextColoured(art, x, y, text.c_str(), *colour, size)
               : drawText(art, x, y, text.c_str(), size);
        const std::vector<uint8_t> alone = readPixels(left, bottom, width, height + 4);
        glPopMatrix();
        glPopAttrib();

        int lit = 0;
        int wrong = 0;
        for (size_t i = 0; i < alone.size(); i += 3) {
            if (alone[i] == 0 && alone[i + 1] == 0 && alone[i + 2] == 0) continue;
            ++lit;
            wrong += !std::equal(&alone[i], &alone[i + 3], &shown[i]);
        }
        if (lit > 0 && wrong == 0) return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << '"' << text << "\" at (" << x << ", " << y << "): " << wrong << " of " << lit
               << " glyph pixels differ; the glyphs shown read \""
               << readText(shown, width, height, advance, static_cast<int>(text.size()), colour)
               << '"';
    }

    // The codes of the glyphs in a region read back, from their cells'
    // middles: each glyph of the test font is its code's grey times the colour.
    static std::string readText(const std::vector<uint8_t>& rgb, int width, int height, int advance,
                                int length, const Colour* colour) {
        const Colour yellow = {1.0f, 1.0f, 0.0f};
        const Colour& c = colour ? *colour : yellow;
        const float brightest = std::max({c.r, c.g, c.b});
        std::string text;
        for (int i = 0; i < length; ++i) {
            const size_t at =
                (static_cast<size_t>(2 + height / 2) * width + 2 + i * advance + advance / 2) * 3;
            const int level = std::max({rgb[at], rgb[at + 1], rgb[at + 2]});
            const long code = std::lround(level / (2.0f * brightest));
            text += code >= 32 && code < 127 ? static_cast<char>(code) : '?';
        }
        return text;
    }
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
