// The real window and its OpenGL context: size, buffers, the view that follows
// a resize, the state start-up leaves behind, and a window or context that
// cannot be had.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "render/frame_input.h"
#include "window_fixture.h"

namespace {

using Window = WindowFixture;

std::array<double, 16> projectionMatrix() {
    std::array<double, 16> matrix{};
    glGetDoublev(GL_PROJECTION_MATRIX, matrix.data());
    return matrix;
}

// The perspective matrix of a 45-degree view, near 1 and far 10000, as the
// GL keeps it in single precision.
void expectPerspective(const std::array<double, 16>& m, double aspect) {
    const double f = 1.0 / std::tan(45.0 / 2.0 * M_PI / 180.0);
    const double tolerance = 1e-6;
    EXPECT_NEAR(m[0], f / aspect, tolerance * f / aspect);
    EXPECT_NEAR(m[5], f, tolerance * f);
    EXPECT_NEAR(m[10], (10000.0 + 1.0) / (1.0 - 10000.0), tolerance);
    EXPECT_NEAR(m[11], -1.0, tolerance);
    EXPECT_NEAR(m[14], 2.0 * 10000.0 * 1.0 / (1.0 - 10000.0), tolerance * 2.0);
}

TEST_F(Window, OpensAt800By600DoubleBufferedWithADepthBuffer) {
    SDL_Window* window = program->window.get();
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Brennolt");
    EXPECT_EQ(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE, 0u);

    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);

    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, GL_TRUE);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    GLint redBits = 0;
    glGetIntegerv(GL_RED_BITS, &redBits);
    EXPECT_GE(redBits, 8);

    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 800, 600}));
    expectPerspective(projectionMatrix(), 800.0 / 600.0);
    EXPECT_EQ(program->windowWidth, 800);
    EXPECT_EQ(program->windowHeight, 600);
}

TEST_F(Window, ResizeToZeroHeightKeepsTheProjectionValid) {
    SDL_Event resized{};
    resized.type = SDL_WINDOWEVENT;
    resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    resized.window.data1 = 640;
    resized.window.data2 = 0;
    handleEvent(*program, resized);

    EXPECT_EQ(program->windowWidth, 640);
    EXPECT_EQ(program->windowHeight, 1);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 640, 1}));
    const auto matrix = projectionMatrix();
    for (double value : matrix) EXPECT_TRUE(std::isfinite(value));
    expectPerspective(matrix, 640.0);

    resized.window.data1 = 800;
    resized.window.data2 = 600;
    handleEvent(*program, resized);
    expectPerspective(projectionMatrix(), 800.0 / 600.0);
}

TEST_F(Window, StartUpLeavesTheSetupScreenAndItsDrawingState) {
    const Game& game = program->game;
    EXPECT_EQ(game.session.phase, GamePhase::Setup);
    for (int id = 0; id < kButtonCount; ++id) {
        const bool startUp = id == 14 || id == 15 || id == 16 || id == 19 || id == 20;
        EXPECT_EQ(game.buttons.buttons[id].visible, startUp) << "button " << id;
    }

    std::array<GLfloat, 4> clear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    EXPECT_EQ(clear, (std::array<GLfloat, 4>{0, 0, 0, 0}));
    GLint shading = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shading);
    EXPECT_EQ(shading, GL_SMOOTH);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    std::array<GLfloat, 4> light{};
    glGetLightfv(GL_LIGHT1, GL_POSITION, light.data());  // eye space: set under the identity
    EXPECT_EQ(light, (std::array<GLfloat, 4>{0, 0, 250, 1}));

    glClearColor(1, 1, 1, 1);  // so a frame that does not clear shows
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    compose(FrameInput{});
    std::array<GLubyte, 4> pixel{1, 1, 1, 1};
    glReadBuffer(GL_BACK);
    glReadPixels(400, 300, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 0);
}

TEST(StartUp, SeedsTheGeneratorAfterThePlanetsTookTheirDraws) {
    DataFolder directory;
    VideoSession video;
    ASSERT_TRUE(video.ready);
    Program program;
    program.clock = [] { return 123456u; };
    ASSERT_TRUE(openWindow(program));

    Random fromStateOne;
    const Galaxy expected = constructPlanets(fromStateOne);
    for (int i = 0; i < kPlanetCount; ++i) {
        EXPECT_EQ(program.game.planets[i].tilt, expected[i].tilt);
        EXPECT_EQ(program.game.planets[i].spin, expected[i].spin);
    }

    startUp(program);
    Random seeded;
    seedRandom(seeded, 123456u);
    EXPECT_EQ(program.game.random.state, seeded.state);
    EXPECT_EQ(program.frameTime, 123456u);
    EXPECT_EQ(program.frameDelta, 0u);
    closeWindow(program);
}

TEST(OpenWindow, WithoutAWindowOrAContextSaysWhyInOneLineAndKeepsNothing) {
    DataFolder directory;
    VideoSession video;
    ASSERT_TRUE(video.ready);
    const struct {
        const char* why;
        SDL_GLattr attribute;
        int value;
    } cases[] = {{"no window", SDL_GL_STENCIL_SIZE, 64},
                 {"no OpenGL context", SDL_GL_CONTEXT_MAJOR_VERSION, 9}};
    for (const auto& [why, attribute, value] : cases) {
        SCOPED_TRACE(why);
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(attribute, value);  // what no display can give
        Program program;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(openWindow(program));
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find(std::string("cannot open the game window: ") + why + ": "),
                  std::string::npos)
            << errors;
        EXPECT_FALSE(program.window || program.context);
    }
    SDL_GL_ResetAttributes();
}

}  // namespace
