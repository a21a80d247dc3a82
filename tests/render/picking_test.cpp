// Pick passes against the geometry they stand for (Setup rows, the count
// selector's controls and gaps, planet discs; nearest and first drawn win; a
// full selection buffer means nothing), and the screens clicked through ticks.
#include "render/picking.h"

#include <fstream>
#include <string>

#include "game/commands.h"
#include "interaction/interaction.h"
#include "window_fixture.h"

namespace {

using Picking = WindowFixture;
using ScreenClicks = WindowFixture;

TEST_F(Picking, EachPassFindsTheShapeUnderThePointerOrNothing) {
    auto hoveredAt = [this](int x, int y, const int32_t& result) {
        compose(pointerAt(x, y));
        return result;
    };
    const PickResults& hover = game.picks;
    dispatchCommand(game, CommandId::IncreasePlayers);  // rows at tops 80, 60, 40
    EXPECT_EQ(hoveredAt(30, 50, hover.hoveredSetupRow), 1);
    EXPECT_EQ(hoveredAt(24, 30, hover.hoveredSetupRow), 2);
    EXPECT_EQ(hoveredAt(30, 62, hover.hoveredSetupRow), -1);  // between rows
    EXPECT_EQ(hoveredAt(20, 50, hover.hoveredSetupRow), -1);  // the bar, not the box

    beginMovement();
    game.interaction.mode = InteractionMode::CountForSplit;
    EXPECT_EQ(hoveredAt(66, -20, hover.hoveredSelectorControl), 0);
    EXPECT_EQ(hoveredAt(72, -20, hover.hoveredSelectorControl), -1);  // gap
    EXPECT_EQ(hoveredAt(93, -25, hover.hoveredSelectorControl), 3);
    EXPECT_EQ(hoveredAt(130, -20, hover.hoveredSelectorControl), 7);
    EXPECT_EQ(hoveredAt(66, -16, hover.hoveredSelectorControl), -1);

    for (Planet& planet : game.planets) planet.x = 1000.0f;
    game.planets[3] = {.x = 100.0f, .y = 100.0f};
    game.planets[7] = {.x = 120.0f, .y = 100.0f};
    EXPECT_EQ(hoveredAt(110, 100, hover.hoveredPlanet), 3);  // both: the first drawn
    EXPECT_EQ(hoveredAt(125, 100, hover.hoveredPlanet), 7);
    EXPECT_EQ(hoveredAt(100, 114, hover.hoveredPlanet), 3);
    EXPECT_EQ(hoveredAt(100, 116, hover.hoveredPlanet), -1);
}

void squareAt(int name, float z) {
    glLoadName(static_cast<GLuint>(name));
    glBegin(GL_TRIANGLE_STRIP);
    for (const auto& [x, y] : {std::pair{-5, 5}, {-5, -5}, {5, 5}, {5, -5}}) glVertex3f(x, y, z);
    glEnd();
}

TEST_F(Picking, NearestHitWinsAndAFullSelectionBufferMeansNothing) {
    beginFrame(false);
    const FrameInput at = pointerAt(0, 0);
    auto squares = [](int count) {
        return [count] {
            for (int i = 0; i < count; ++i) squareAt(i, 0);
        };
    };
    EXPECT_EQ(runPickPass(at.mouseX, at.mouseY,
                          [] { squareAt(4, 0), squareAt(5, 100), squareAt(6, 100); }),
              5);
    EXPECT_EQ(runPickPass(at.mouseX, at.mouseY, squares(128)), 0);  // 512 words, full
    EXPECT_EQ(runPickPass(at.mouseX, at.mouseY, squares(129)), -1);
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:")) return std::stol(line.substr(6));
    return 0;
}

// A long game draws hundreds of thousands of frames, each with its pick passes.
TEST_F(Picking, ManyMapFramesLeaveTheMemoryWhereItWas) {
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer holds freed blocks back for a while, so resident
    // memory says nothing about what the program keeps.
    GTEST_SKIP() << "resident memory is not measured under AddressSanitizer";
#endif
    beginMovement();
    const FrameInput at = pointerAt(10, 10);
    // Each frame finished, as the swap of the real loop finishes it.
    auto frames = [&](int count) {
        for (int frame = 0; frame < count; ++frame) compose(at), glFinish();
    };
    frames(50);
    const long before = residentKilobytes();
    frames(500);
    EXPECT_LT(residentKilobytes() - before, 32 * 1024) << "kB gained over 500 frames";
}

TEST_F(ScreenClicks, SetupAndTurnScreensArePlayedWithTheMouse) {
    auto clickAt = [this](int x, int y) {  // a tick to pick, a press, the release
        moveMouse(program->play.input, x + kMapOriginX, kMapOriginY - y);
        runTick(*program);
        pressMouseButton(program->play.input, MouseButton::Left);
        runTick(*program);
        releaseMouseButton(program->play.input, MouseButton::Left);
        runTick(*program);
    };
    clickAt(55, 175);  // more players
    clickAt(30, 30);   // the third player's team box, twice
    clickAt(30, 30);
    clickAt(0, 0);  // nothing
    EXPECT_EQ(game.session.playerCount, 3);
    EXPECT_EQ(game.session.teams, (Teams{0, 0, 2, 0, 0, 0, 0, 0}));
    clickAt(383, -283);  // begin
    clickAt(30, 30);     // no rows on the turn screen
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(game.session.teams[2], 2);
    clickAt(383, -283);
    EXPECT_EQ(game.session.phase, GamePhase::Movement);
}

}  // namespace
