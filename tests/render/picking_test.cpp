// Pick passes against the geometry they stand for: Setup rows, the count
// selector's controls and the gaps between them, planet discs, nearest and
// first-drawn hits, a full selection buffer; and the screens played with the
// mouse through whole ticks.
#include "render/render_fixture.h"

#include "interaction/interaction.h"
#include "render/picking.h"

namespace {

using Picking = RenderTest;
using ScreenClicks = RenderTest;

TEST_F(Picking, SetupRowsAreTheirTeamBoxes) {
    auto hoveredRowAt = [this](int x, int y) {
        compose(pointerAt(x, y));
        return game().interaction.hoveredSetupRow;
    };
    dispatchCommand(game(), CommandId::IncreasePlayers);  // rows at tops 80, 60 and 40
    EXPECT_EQ(hoveredRowAt(30, 50), 1);
    EXPECT_EQ(hoveredRowAt(30, 79), 0);
    EXPECT_EQ(hoveredRowAt(24, 30), 2);
    EXPECT_EQ(hoveredRowAt(30, 22), -1);  // below the last row
    EXPECT_EQ(hoveredRowAt(20, 50), -1);  // on the player's bar, not the box
    EXPECT_EQ(hoveredRowAt(30, 62), -1);  // between two rows
}

TEST_F(Picking, CountSelectorControlsAndTheGapsBetweenThem) {
    beginMovement();
    game().interaction.mode = InteractionMode::CountForSplit;
    const struct {
        int x, y, control;
    } points[] = {{66, -20, 0}, {72, -20, -1}, {75, -20, 1}, {93, -25, 3},
                  {130, -20, 7}, {135, -20, -1}, {66, -16, -1}};
    for (const auto& point : points) {
        compose(pointerAt(point.x, point.y));
        EXPECT_EQ(game().interaction.hoveredSelectorControl, point.control) << point.x << ", " << point.y;
    }
}

TEST_F(Picking, PlanetDiscsWithTheFirstDrawnWinningAtEqualDepth) {
    beginMovement();
    for (Planet& planet : game().planets) planet.x = 1000.0f;  // out of the way
    game().planets[3] = {.x = 100.0f, .y = 100.0f};
    game().planets[7] = {.x = 120.0f, .y = 100.0f};
    const struct {
        int x, y, planet;
    } points[] = {{110, 100, 3}, {125, 100, 7}, {100, 114, 3}, {100, 116, -1}, {86, 100, 3}};
    for (const auto& point : points) {
        compose(pointerAt(point.x, point.y));
        EXPECT_EQ(game().interaction.hoveredPlanet, point.planet) << point.x << ", " << point.y;
    }
}

void squareAt(int name, float z) {
    glLoadName(static_cast<GLuint>(name));
    glBegin(GL_TRIANGLE_STRIP);
    glVertex3f(-5, 5, z);
    glVertex3f(-5, -5, z);
    glVertex3f(5, 5, z);
    glVertex3f(5, -5, z);
    glEnd();
}

TEST_F(Picking, NearestHitWinsAndAFullBufferMeansNothing) {
    beginMapDrawing();
    const FrameInput centre = pointerAt(0, 0);
    EXPECT_EQ(runPickPass(centre.mouseX, centre.mouseY, [] {
                  squareAt(4, 0.0f);
                  squareAt(5, 100.0f);  // nearer the eye
                  squareAt(6, 100.0f);
              }),
              5);
    // 128 hits fill the 512 words exactly; one more overflows.
    for (const int shapes : {128, 129}) {
        const int name = runPickPass(centre.mouseX, centre.mouseY, [shapes] {
            for (int i = 0; i < shapes; ++i) squareAt(i, 0.0f);
        });
        EXPECT_EQ(name, shapes == 128 ? 0 : -1);
    }
    EXPECT_EQ(runPickPass(centre.mouseX, centre.mouseY + 20, [] { squareAt(1, 0.0f); }), -1);
}

// A whole click at map point (x, y): a tick to pick what is there, a press,
// and the release that acts on it.
void clickAt(Program& program, int x, int y) {
    moveMouse(program.input, x + kMapOriginX, kMapOriginY - y);
    runTick(program);
    pressMouseButton(program.input, MouseButton::Left);
    runTick(program);
    releaseMouseButton(program.input, MouseButton::Left);
    runTick(program);
}

TEST_F(ScreenClicks, SetupAndTurnScreensArePlayedWithTheMouse) {
    clickAt(*program, 55, 175);  // more players
    EXPECT_EQ(game().session.playerCount, 3);
    clickAt(*program, 30, 30);  // the third player's team box
    clickAt(*program, 30, 30);
    EXPECT_EQ(game().session.teams, (Teams{0, 0, 2, 0, 0, 0, 0, 0}));
    clickAt(*program, 0, 0);  // nothing there
    EXPECT_EQ(game().session.phase, GamePhase::Setup);

    clickAt(*program, 383, -283);  // begin
    EXPECT_EQ(game().session.phase, GamePhase::TurnStart);
    clickAt(*program, 30, 30);  // no team box on the turn screen
    EXPECT_EQ(game().session.teams[2], 2);
    clickAt(*program, 383, -283);
    EXPECT_EQ(game().session.phase, GamePhase::Movement);
}

}  // namespace
