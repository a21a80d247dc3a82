// Shared set-up of the star map and battle view tests: a real 800 x 600
// window in a fresh working directory with its own Data/, art whose pixels
// say what was drawn, pixels read back in map coordinates, PNG screenshots.
#pragma once

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/hud_atlas.h"
#include "render/art.h"
#include "render/frame_input.h"
#include "render/render.h"
#include "render/sphere_model.h"
#include "render/text.h"

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << '(' << c.r << ',' << c.g << ',' << c.b << ')';
}

// Panel backgrounds in the test atlas, so that a pixel tells which panel it shows.
constexpr int kSelectedPlanetPanelGrey = 40;
constexpr int kSelectedGroupPanelGrey = 60;
constexpr int kHoveredPanelGrey = 80;

inline uint32_t makeTexture(int width, int height, const std::vector<uint8_t>& rgba) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}

class MapFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brennolt-render-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        std::filesystem::current_path(directory);
        std::filesystem::create_directory("Data");
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << "needs a display: " << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        window = SDL_CreateWindow("Brennolt", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        context = SDL_GL_CreateContext(window);
        ASSERT_NE(context, nullptr) << SDL_GetError();
        initialiseGraphics();
        resizeView(800, 600);
        // The HUD: markers and group sprites white, so they show their tint,
        // and the panels in greys. The font: each glyph cell of code k in grey 2k.
        std::vector<uint8_t> hud(256 * 256 * 4, 0), font(256 * 256 * 4, 0);
        fill(hud, kOwnerMarker, 255);
        fill(hud, kGroupSprite, 255);
        fill(hud, kSelectedPlanetPanel, kSelectedPlanetPanelGrey);
        fill(hud, kSelectedGroupPanel, kSelectedGroupPanelGrey);
        fill(hud, kHoveredPlanetPanel, kHoveredPanelGrey);
        fill(hud, kHoveredGroupPanel, kHoveredPanelGrey);
        for (int k = 0; k < 128; ++k) {
            fill(font, k % 20 * 7, k % 20 * 7 + 7, 151 - k / 20 * 9, 160 - k / 20 * 9, 2 * k);
            fill(font, k % 20 * 9, k % 20 * 9 + 9, 74 - k / 20 * 11, 85 - k / 20 * 11, 2 * k);
        }
        art.hudTexture = makeTexture(256, 256, hud);
        art.fontTexture = makeTexture(256, 256, font);
        art.planetModels.fill(makeSphere(12.0f, 8, 12, 0));
        initialiseGame(game);
    }

    void TearDown() override {
        if (context != nullptr) SDL_GL_DeleteContext(context);
        if (window != nullptr) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::filesystem::current_path("/");
        std::filesystem::remove_all(directory);
    }

    // The frame's start, in map coordinates. The map draws its planets with
    // the depth test and everything after them without.
    static void beginFrame(bool depthTest = true) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
        depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
    }

    static FrameInput pointerAt(int x, int y, uint32_t frameDelta = 0) {
        return {400 + x, 300 - y, x, y, false, 0, frameDelta};
    }

    // The pixel that shows map point (x, y).
    static Rgb pixelAt(float x, float y) {
        unsigned char p[3] = {};
        glReadPixels(static_cast<int>(std::floor(400.0f + x)), static_cast<int>(std::floor(300.0f + y)),
                     1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }

    // The text drawn with its top left at (x, y), read back from the glyphs'
    // greys: only green survives both the yellow and the cyan text.
    static std::string textAt(int x, int y, int length, FontSize size) {
        const int advance = glyphAdvance(size);
        const float middle = static_cast<float>(y) - static_cast<float>(glyphHeight(size)) / 2.0f;
        std::string text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(pixelAt(x + i * advance + advance / 2.0f, middle).g / 2);
        return text;
    }

    static void writeScreenshot(const std::string& name) {
        std::vector<uint8_t> pixels(800 * 600 * 3);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        const std::string path = std::string(BRENNOLT_SCREENSHOT_DIR) + "/" + name + ".png";
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = 800;
        image.height = 600;
        image.format = PNG_FORMAT_RGB;
        // A negative row stride: GL's rows run bottom-up.
        EXPECT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), -800 * 3, nullptr))
            << path;
    }

    std::filesystem::path directory;
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    Art art;
    Game game;

private:
    static void fill(std::vector<uint8_t>& rgba, const AtlasRegion& region, int grey) {
        fill(rgba, region.sLeft, region.sRight, region.tBottom, region.tTop, grey);
    }
    static void fill(std::vector<uint8_t>& rgba, int s0, int s1, int t0, int t1, int grey) {
        for (int t = t0; t < t1; ++t)
            for (int s = s0; s < s1; ++s)
                for (int c = 0; c < 4; ++c) rgba[((t * 256 + s) * 4 + c)] = c == 3 ? 255 : grey;
    }
};
