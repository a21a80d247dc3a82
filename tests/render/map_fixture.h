// Shared set-up of the star map and battle view tests: a real 800 x 600
// window with its OpenGL context, art whose pixels say what was drawn, the
// frame's map coordinates, pixels read back, and PNG screenshots.
#pragma once

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "game/game.h"
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

// Grey levels of the panel backgrounds in the test atlas, so that a pixel
// tells which panel covers it.
constexpr int kSelectedPlanetPanelGrey = 40;
constexpr int kSelectedGroupPanelGrey = 60;
constexpr int kHoveredPanelGrey = 80;

inline uint32_t makeTexture(int width, int height, const std::vector<uint8_t>& rgba) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    return texture;
}

class MapFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << "needs a display: " << SDL_GetError();
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        window = SDL_CreateWindow("Brennolt", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        context = SDL_GL_CreateContext(window);
        ASSERT_NE(context, nullptr) << SDL_GetError();
        initialiseGraphics();
        resizeView(800, 600);
        art.hudTexture = makeTexture(256, 256, hudAtlas());
        art.fontTexture = makeTexture(256, 256, fontAtlas());
        art.planetModels[0] = makeSphere(12.0f, 8, 12, 0);
        art.planetModels[1] = art.planetModels[0];
        initialiseGame(game);
    }

    void TearDown() override {
        if (context != nullptr) SDL_GL_DeleteContext(context);
        if (window != nullptr) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // The frame's start: cleared, in map coordinates. The map draws its
    // planets with the depth test and everything after them without.
    static void beginFrame(bool depthTest = true) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
        if (depthTest)
            glEnable(GL_DEPTH_TEST);
        else
            glDisable(GL_DEPTH_TEST);
    }

    // The pointer over map point (x, y).
    static FrameInput pointerAt(int x, int y, uint32_t frameDelta = 0) {
        FrameInput input;
        input.mouseX = 400 + x;
        input.mouseY = 300 - y;
        input.mapX = x;
        input.mapY = y;
        input.frameDelta = frameDelta;
        return input;
    }

    static Rgb pixelAt(float x, float y) {
        glFinish();
        unsigned char p[3] = {};
        glReadPixels(static_cast<int>(std::floor(400.0f + x)), static_cast<int>(std::floor(300.0f + y)),
                     1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }

    // The text drawn at (x, y): the test font paints each glyph in twice its
    // code, and only green survives both the yellow and the cyan text.
    static std::string textAt(int x, int y, int length, FontSize size) {
        const int advance = size == FontSize::Large ? 9 : 7;
        const int height = size == FontSize::Large ? 11 : 9;
        std::string text;
        for (int i = 0; i < length; ++i) {
            const Rgb p = pixelAt(static_cast<float>(x + i * advance) + advance / 2.0f,
                                  static_cast<float>(y) - height / 2.0f);
            text += static_cast<char>(p.g / 2);
        }
        return text;
    }

    static void writeScreenshot(const std::string& name) {
        glFinish();
        std::vector<uint8_t> pixels(800 * 600 * 3);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        const std::string path = std::string(BRENNOLT_SCREENSHOT_DIR) + "/" + name + ".png";
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr) << path;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, file);
        png_set_IHDR(png, info, 800, 600, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int row = 599; row >= 0; --row) png_write_row(png, &pixels[static_cast<size_t>(row) * 2400]);
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
    }

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    Art art;
    Game game;

private:
    static void fill(std::vector<uint8_t>& rgba, int s0, int s1, int t0, int t1, int grey) {
        for (int t = t0; t < t1; ++t)
            for (int s = s0; s < s1; ++s)
                for (int c = 0; c < 4; ++c)
                    rgba[static_cast<size_t>((t * 256 + s) * 4 + c)] =
                        static_cast<uint8_t>(c == 3 ? 255 : grey);
    }

    // Markers and group sprites solid white (so they show their tint); the
    // panels solid greys; everything else transparent.
    static std::vector<uint8_t> hudAtlas() {
        std::vector<uint8_t> rgba(256 * 256 * 4, 0);
        fill(rgba, 0, 40, 216, 256, 255);
        fill(rgba, 41, 51, 246, 256, 255);
        fill(rgba, 0, 136, 139, 184, kSelectedPlanetPanelGrey);
        fill(rgba, 0, 128, 93, 138, kSelectedGroupPanelGrey);
        fill(rgba, 41, 85, 185, 212, kHoveredPanelGrey);
        fill(rgba, 41, 85, 213, 240, kHoveredPanelGrey);
        return rgba;
    }

    // Both glyph grids, each cell of code k filled with grey 2k.
    static std::vector<uint8_t> fontAtlas() {
        std::vector<uint8_t> rgba(256 * 256 * 4, 0);
        for (int k = 0; k < 128; ++k) {
            fill(rgba, k % 20 * 7, k % 20 * 7 + 7, 151 - k / 20 * 9, 160 - k / 20 * 9, 2 * k);
            fill(rgba, k % 20 * 9, k % 20 * 9 + 9, 74 - k / 20 * 11, 85 - k / 20 * 11, 2 * k);
        }
        return rgba;
    }
};
