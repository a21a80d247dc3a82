// The screens as drawn: buttons at their places on each screen (Quit moving
// between Setup and the map, columns closing up), tooltips kept inside the
// window, the count selector's numbers, the depth test on every map frame,
// and screenshots of the Setup screen, the turn screen and the star map.
#include "render/render_fixture.h"

#include <cstdlib>

namespace {

using Screens = RenderTest;
using Screenshots = ScreenshotTest;

// The centre pixel of button `index` drawn with its bottom-left at (x, y)
// shows the HUD test texel at the centre of the button's rectangle.
void expectButtonAt(const Game& game, int index, int x, int y) {
    const Button& button = game.buttons.buttons[index];
    const Texel seen = pixelAt(x + button.width / 2, y + button.height / 2);
    const int s = static_cast<int>(button.sLeft * 256.0f) + button.width / 2;
    const int t = static_cast<int>(button.tBottom * 256.0f) + button.height / 2;
    EXPECT_LE(std::abs(seen.r - s), 1) << "button " << index << " seen " << seen;
    EXPECT_LE(std::abs(seen.g - t), 1) << "button " << index << " seen " << seen;
    EXPECT_EQ(seen.b, 128) << "button " << index;
}

TEST_F(Screens, ButtonsSitAtTheirPlacesAndQuitMovesBetweenSetupAndTheMap) {
    compose(pointerAt(-390, -290));
    expectButtonAt(game(), 14, -399, -264);
    expectButtonAt(game(), 15, -399, -299);
    expectButtonAt(game(), 16, 367, -299);
    expectButtonAt(game(), 19, 50, 170);
    expectButtonAt(game(), 20, 50, 159);
    EXPECT_EQ(game().buttons.hovered, 15);

    beginMovement();
    // Column A keeps only 4 and 6, column B only 9: each closes up from the bottom.
    for (int index = 0; index <= 10; ++index) {
        game().buttons.buttons[index].visible = index == 4 || index == 6 || index == 9;
    }
    compose(pointerAt(-390, -150));
    expectButtonAt(game(), 15, -232, -155);
    expectButtonAt(game(), 4, -399, -190);
    expectButtonAt(game(), 6, -399, -155);
    expectButtonAt(game(), 9, -364, -190);
    EXPECT_EQ(game().buttons.hovered, 6);
    EXPECT_EQ(pixelAt(-370, -110), kBlack);  // nothing left at the third slot
}

TEST_F(Screens, TooltipEndsAtTheRightEdgeAndGoesWithTheHover) {
    // "Begin your turn": 15 small cells, 105 units; its first glyph is B.
    const Texel bInYellow = {glyphTexel('B').r, glyphTexel('B').g, 0};
    game().buttons.hovered = 16;
    compose(pointerAt(100, 0));
    EXPECT_EQ(pixelAt(103, 4), bInYellow);  // top edge 9 units above the pointer

    game().buttons.hovered = 16;
    compose(pointerAt(350, 0));
    EXPECT_EQ(pixelAt(298, 4), bInYellow);  // pulled back to 400 - 105
    EXPECT_EQ(pixelAt(396, 4), (Texel{glyphTexel('n').r, glyphTexel('n').g, 0}));  // ends at 400
    EXPECT_EQ(game().buttons.hovered, -1);  // nothing under the pointer now
    compose(pointerAt(350, 0));
    EXPECT_EQ(pixelAt(298, 4), kBlack);
}

TEST_F(Screens, CountSelectorShowsTheCountAndARemainderOnlyWhenThereIsASource) {
    beginMovement();
    const Texel digit = {0, glyphTexel('0').g, glyphTexel('0').b};  // any digit in cyan
    InteractionState& interaction = game().interaction;
    interaction.mode = InteractionMode::CountForNewGroup;
    interaction.count = 7;
    game().session.selectedPlanet = -1;
    compose(pointerAt(0, -200));
    EXPECT_EQ(pixelAt(158, 3), digit);            // 7, from x 154 to 163
    EXPECT_EQ(pixelAt(158, -10).b, 128);          // the selector picture, no number

    const int id = createGroup(game().registry, 0, 0, 0, 0, 12, 0);
    game().session.selectedGroupId = id;
    interaction.mode = InteractionMode::CountForSplit;
    compose(pointerAt(0, -200));
    EXPECT_EQ(pixelAt(158, 3), digit);
    EXPECT_EQ(pixelAt(158, -10), digit);          // 12 - 7 = 5
    EXPECT_NE(pixelAt(148, -10), digit);          // one digit only
}

TEST_F(Screens, MapFrameDrawsWithTheDepthTestAfterATurnScreenTooltip) {
    beginTurn();
    game().buttons.hovered = 16;
    compose(pointerAt(0, 100));
    ASSERT_FALSE(glIsEnabled(GL_DEPTH_TEST));  // the tooltip switched it off

    beginTurn();
    compose(pointerAt(0, 100));
    // The divider is drawn first: with the depth test on it leaves its depth.
    std::array<GLfloat, 2> depth{1.0f, 1.0f};
    glReadPixels(200, 400, 2, 1, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_LT(std::min(depth[0], depth[1]), 1.0f);
}

TEST_F(Screenshots, SetupTurnAndMapScreens) {
    dispatchCommand(game(), CommandId::IncreasePlayers);
    cycleTeam(game().session, 1);
    cycleTeam(game().session, 2);
    game().buttons.hovered = 19;
    compose(pointerAt(56, 175));
    EXPECT_TRUE(saveScreenshot("setup_screen"));

    beginTurn();
    game().buttons.hovered = 16;
    compose(pointerAt(300, -280));
    EXPECT_TRUE(saveScreenshot("turn_screen"));

    beginTurn();
    recomputeStatistics(game());
    game().session.selectedPlanet = 0;
    game().interaction.mode = InteractionMode::CountForNewGroup;
    game().interaction.count = 25;
    game().session.selectedGroupId = game().registry.groups.front().id;
    game().interaction.hoveredGroup = game().session.selectedGroupId;
    game().interaction.pressTime = now - 900;
    FrameInput input = pointerAt(0, 0);
    input.leftHeld = true;
    input.clock = now;
    compose(input);
    EXPECT_EQ(pixelAt(-300, 195), (Texel{0, 255, 0}));  // the hold meter, green at 900 ms
    EXPECT_TRUE(saveScreenshot("map_frame"));
    for (const char* name : {"setup_screen", "turn_screen", "map_frame"}) {
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(BRENNOLT_SCREENSHOT_DIR) /
                                            (std::string(name) + ".png")));
    }
}

}  // namespace
