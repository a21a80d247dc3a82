// Drawing tests in a real 800 x 600 window with its OpenGL context (under
// Xvfb and Mesa): a working directory whose Data/ holds the test pictures,
// pixels read back in map coordinates, pick pointers, and PNG screenshots.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <png.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform_fixture.h"
#include "render/frame_input.h"
#include "render/render.h"
#include "render/test_bitmaps.h"

// The pointer over map point (x, y), as the platform would hand it to a frame.
inline FrameInput pointerAt(int x, int y) {
    FrameInput input;
    input.mouseX = x + kMapOriginX;
    input.mouseY = kMapOriginY - y;
    input.mapX = x;
    input.mapY = y;
    return input;
}

// The back buffer's colour at the pixel holding map point (x, y).
inline Texel pixelAt(int x, int y) {
    std::array<GLubyte, 3> rgb{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x + kMapOriginX, y + kMapOriginY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return {rgb[0], rgb[1], rgb[2]};
}

inline bool operator==(const Texel& a, const Texel& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

inline std::ostream& operator<<(std::ostream& out, const Texel& t) {
    return out << "(" << int(t.r) << ", " << int(t.g) << ", " << int(t.b) << ")";
}

constexpr Texel kBlack = {0, 0, 0};

// Writes the back buffer to <build>/screenshots/<name>.png; false if it could not.
inline bool saveScreenshot(const std::string& name) {
    const std::filesystem::path folder = BRENNOLT_SCREENSHOT_DIR;
    std::filesystem::create_directories(folder);
    const std::string path = (folder / (name + ".png")).string();
    std::vector<GLubyte> pixels(kWindowWidth * kWindowHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWindowWidth;
    image.height = kWindowHeight;
    image.format = PNG_FORMAT_RGB;
    // A negative stride: GL rows run bottom-up.
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(),
                                                 -kWindowWidth * 3, nullptr) != 0;
    png_image_free(&image);
    return written;
}

// A started program whose Data/ holds the test font and HUD pictures (or,
// for screenshots, the game's own art when the repository has it).
class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(video.ready) << "these tests need a display (run them under xvfb-run)";
        writeArt();
        program = std::make_unique<Program>();
        program->clock = [this] { return now; };
        ASSERT_TRUE(openWindow(*program));
        startUp(*program);
    }

    void TearDown() override {
        if (program) closeWindow(*program);
        program.reset();
    }

    virtual void writeArt() {
        writeBytes("Data/myFont.bmp", testFontFile());
        writeBytes("Data/HUD.bmp", testHudFile());
    }

    void compose(const FrameInput& input) { composeFrame(game(), art(), input); }
    Game& game() { return program->game; }
    const Art& art() { return program->art; }

    // A cleared frame with the map plane's model-view, as a frame draws in.
    static void beginMapDrawing() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
    }

    // From Setup to the turn screen of a new game, and on to its star map.
    void beginTurn() { dispatchCommand(game(), CommandId::BeginTurn); }
    void beginMovement() {
        beginTurn();
        beginTurn();
        ASSERT_EQ(game().session.phase, GamePhase::Movement);
    }

    DataDirectory directory;
    VideoSession video;
    uint32_t now = 1000;
    std::unique_ptr<Program> program;
};

// Screenshots show the game's own pictures where the repository has them.
class ScreenshotTest : public RenderTest {
protected:
    void writeArt() override {
        RenderTest::writeArt();
        for (const char* name : {"myFont.bmp", "HUD.bmp"}) {
            const std::filesystem::path art = std::filesystem::path(BRENNOLT_SOURCE_DIR) / "Data" / name;
            std::error_code ignored;
            if (std::filesystem::exists(art)) {
                std::filesystem::copy_file(art, std::filesystem::path("Data") / name,
                                           std::filesystem::copy_options::overwrite_existing,
                                           ignored);
            }
        }
    }
};
