// The screens as drawn: buttons at their places (Quit moving between Setup
// and the map, columns closing up), tooltips kept inside the window, the
// count selector's numbers and the hold meter, the depth test of every map
// frame; with screenshots of the Setup screen, the turn screen and the map.
#include "render/render_fixture.h"

namespace {

using Screens = RenderTest;

// The centre pixel of button `index` placed at (x, y) shows the HUD texel at
// the centre of the button's rectangle.
void expectButtonAt(const Game& game, int index, int x, int y) {
    const Button& button = game.buttons.buttons[index];
    const Texel seen = pixelAt(x + button.width / 2, y + button.height / 2);
    EXPECT_NEAR(seen.r, button.sLeft * 256 + button.width / 2, 1) << "button " << index;
    EXPECT_NEAR(seen.g, button.tBottom * 256 + button.height / 2, 1) << "button " << index;
    EXPECT_EQ(seen.b, 128) << "button " << index;
}

TEST_F(Screens, ButtonsSitAtTheirPlacesAndQuitMovesBetweenSetupAndTheMap) {
    compose(pointerAt(-390, -290));
    for (const auto& [index, x, y] : {std::array{14, -399, -264},
                                      {15, -399, -299},
                                      {16, 367, -299},
                                      {19, 50, 170},
                                      {20, 50, 159}}) {
        expectButtonAt(game(), index, x, y);
    }
    EXPECT_EQ(game().picks.hoveredButton, 15);
    compose(pointerAt(-390, -290));  // now with the tooltip
    EXPECT_TRUE(saveScreenshot("setup_screen"));

    beginMovement();
    for (int index = 0; index <= 10; ++index) {  // each column closes up from the bottom
        game().buttons.buttons[index].visible = index == 4 || index == 6 || index == 9;
    }
    compose(pointerAt(-390, -150));
    for (const auto& [index, x, y] :
         {std::array{15, -232, -155}, {4, -399, -190}, {6, -399, -155}, {9, -364, -190}}) {
        expectButtonAt(game(), index, x, y);
    }
    EXPECT_EQ(game().picks.hoveredButton, 6);
}

TEST_F(Screens, TooltipEndsAtTheRightEdgeAndGoesWithTheHover) {
    const Texel b = {glyphTexel('B').r, glyphTexel('B').g, 0};  // "Begin your turn", yellow
    game().picks.hoveredButton = 16;
    compose(pointerAt(100, 0));
    EXPECT_EQ(pixelAt(103, 4), b);  // its top 9 units above the pointer
    game().picks.hoveredButton = 16;
    compose(pointerAt(350, 0));
    EXPECT_EQ(pixelAt(298, 4), b);  // pulled back to 400 - 15 * 7
    EXPECT_EQ(game().picks.hoveredButton, -1);
    compose(pointerAt(350, 0));
    EXPECT_EQ(pixelAt(298, 4), kBlack);
}

TEST_F(Screens, CountSelectorShowsARemainderOnlyWhenThereIsSomethingToTakeFrom) {
    beginMovement();
    const Texel digit = {0, 100, 60};  // any test glyph in cyan
    game().interaction.mode = InteractionMode::CountForNewGroup;
    game().interaction.count = 7;
    compose(pointerAt(0, -200));          // no planet selected
    EXPECT_EQ(pixelAt(158, 3), digit);    // 7, from x 154 to 163
    EXPECT_EQ(pixelAt(158, -10).b, 128);  // the selector picture only

    // The group stands under the pointer, so that the hold meter shows.
    game().session.selectedGroupId = createGroup(game().registry, 0, -200, 0, -200, 12, 0);
    game().interaction.mode = InteractionMode::CountForSplit;
    game().interaction.pressTime = now - 900;
    FrameInput held = pointerAt(0, -200);
    held.leftHeld = true;
    held.clock = now;
    compose(held);
    EXPECT_EQ(pixelAt(158, -10), digit);  // 12 - 7 = 5, one digit
    EXPECT_EQ(pixelAt(148, -10).b, 128);
    EXPECT_EQ(pixelAt(-290, 195), (Texel{0, 255, 0}));  // green to x -285 at 900 ms
    EXPECT_EQ(pixelAt(-280, 195), kBlack);
    EXPECT_TRUE(saveScreenshot("map_frame"));
}

TEST_F(Screens, MapFrameDrawsWithTheDepthTestAfterATurnScreenTooltip) {
    beginTurn();
    game().picks.hoveredButton = 16;
    compose(pointerAt(0, 100));
    ASSERT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(saveScreenshot("turn_screen"));
    beginTurn();
    compose(pointerAt(0, 100));
    // Only with the depth test on does the divider, drawn first, leave its depth.
    std::array<GLfloat, 2> depth{};
    glReadPixels(200, 400, 2, 1, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_LT(std::min(depth[0], depth[1]), 1.0f);
}

}  // namespace
