// Drawing tests in a real 800 x 600 window with its OpenGL context (Xvfb and
// Mesa): Data/ holds the test pictures; pixels are read back at map points,
// pick pointers are set at map points, and screenshots are written as PNG.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <memory>
#include <string>

#include "game/commands.h"
#include "platform/platform_fixture.h"
#include "render/frame_input.h"
#include "render/render.h"
#include "render/test_bitmaps.h"

inline FrameInput pointerAt(int x, int y) {
    FrameInput input;
    input.mouseX = x + kMapOriginX;
    input.mouseY = kMapOriginY - y;
    input.mapX = x;
    input.mapY = y;
    return input;
}

// The back buffer at the pixel holding map point (x, y).
inline Texel pixelAt(int x, int y) {
    Texel rgb{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x + kMapOriginX, y + kMapOriginY, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &rgb);
    return rgb;
}

inline std::ostream& operator<<(std::ostream& out, const Texel& t) {
    return out << "(" << int(t.r) << ", " << int(t.g) << ", " << int(t.b) << ")";
}

constexpr Texel kBlack = {0, 0, 0};

// The back buffer as <build>/screenshots/<name>.png.
inline bool saveScreenshot(const std::string& name) {
    const std::filesystem::path folder = BRENNOLT_SCREENSHOT_DIR;
    std::filesystem::create_directories(folder);
    std::vector<GLubyte> pixels(kWindowWidth * kWindowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kWindowWidth;
    image.height = kWindowHeight;
    image.format = PNG_FORMAT_RGB;
    const std::string path = (folder / (name + ".png")).string();
    // A negative stride: GL rows run bottom-up.
    return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), -kWindowWidth * 3,
                                   nullptr) != 0;
}

// A started program, its Data/ holding the test font and HUD pictures.
class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(video.ready) << "these tests need a display (run them under xvfb-run)";
        writeBytes("Data/myFont.bmp", encodeBitmap(kAtlasSide, kAtlasSide, fontTexel));
        writeBytes("Data/HUD.bmp", encodeBitmap(kAtlasSide, kAtlasSide, hudTexel));
        program = std::make_unique<Program>();
        program->clock = [this] { return now; };
        ASSERT_TRUE(openWindow(*program));
        startUp(*program);
    }
    void TearDown() override {
        if (program) closeWindow(*program);
    }

    void compose(const FrameInput& input) {
        composeFrame(game(), game().picks, program->art, input);
    }
    Game& game() { return program->game; }
    const Art& art() { return program->art; }
    static void beginMapDrawing() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
    }
    // Setup -> a new game's turn screen -> its star map.
    void beginTurn() { dispatchCommand(game(), CommandId::BeginTurn); }
    void beginMovement() {
        beginTurn();
        beginTurn();
        ASSERT_EQ(game().session.phase, GamePhase::Movement);
    }

    DataFolder directory;
    VideoSession video;
    uint32_t now = 1000;
    std::unique_ptr<Program> program;
};
