// The screens as drawn: buttons at their places (Quit moving between Setup
// and the map, columns closing up), tooltips kept inside the window, the
// count selector's numbers and the hold meter, the statistics in the current
// player's colour, the turn screen's title, the depth test of every map
// frame; with screenshots of the Setup screen, the turn screen and the map.
#include <cstring>
#include <string>

#include "window_fixture.h"

namespace {

using Screens = WindowFixture;

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
        expectButtonAt(game, index, x, y);
    }
    EXPECT_EQ(game.picks.hoveredButton, 15);
    compose(pointerAt(-390, -290));  // now with the tooltip
    EXPECT_TRUE(writeScreenshot("setup_screen"));

    beginMovement();
    for (int index = 0; index <= 10; ++index) {  // each column closes up from the bottom
        game.buttons.buttons[index].visible = index == 4 || index == 6 || index == 9;
    }
    compose(pointerAt(-390, -150));
    for (const auto& [index, x, y] :
         {std::array{15, -232, -155}, {4, -399, -190}, {6, -399, -155}, {9, -364, -190}}) {
        expectButtonAt(game, index, x, y);
    }
    EXPECT_EQ(game.picks.hoveredButton, 6);
}

TEST_F(Screens, TooltipEndsAtTheRightEdgeAndGoesWithTheHover) {
    const Texel b = {glyphTexel('B').r, glyphTexel('B').g, 0};  // "Begin your turn", yellow
    game.picks.hoveredButton = 16;
    compose(pointerAt(100, 0));
    EXPECT_EQ(pixelAt(103, 4), b);  // its top 9 units above the pointer
    game.picks.hoveredButton = 16;
    compose(pointerAt(350, 0));
    EXPECT_EQ(pixelAt(298, 4), b);  // pulled back to 400 - 15 * 7
    EXPECT_EQ(game.picks.hoveredButton, -1);
    compose(pointerAt(350, 0));
    EXPECT_EQ(pixelAt(298, 4), kBlack);
}

TEST_F(Screens, CountSelectorNumbersEndAtTheRightEdgeAndARemainderNeedsASource) {
    beginMovement();
    const Colour& cyan = ColourTable[6];
    game.interaction.mode = InteractionMode::CountForNewGroup;
    game.interaction.count = 7;
    compose(pointerAt(0, -200));  // no planet selected
    EXPECT_TRUE(showsText(154, 8, "7", FontSize::Large, cyan));
    EXPECT_EQ(pixelAt(158, -10).b, 128);  // the selector picture only

    game.interaction.mode = InteractionMode::CountForSplit;
    const struct {
        int count, ships;
        const char *shown, *left;
    } splits[] = {{7, 12, "7", "5"}, {123, 1000, "123", "877"}, {45, 1045, "45", "1000"}};
    for (const auto& split : splits) {
        SCOPED_TRACE(split.shown);
        game.registry = {};
        game.session.selectedGroupId = createGroup(game.registry, 0, -200, 0, -200, split.ships, 0);
        game.interaction.count = split.count;
        compose(pointerAt(0, -200));
        const int shown = static_cast<int>(std::strlen(split.shown));
        const int left = static_cast<int>(std::strlen(split.left));
        EXPECT_TRUE(showsText(163 - 9 * shown, 8, split.shown, FontSize::Large, cyan));
        EXPECT_TRUE(showsText(163 - 9 * left, -4, split.left, FontSize::Large, cyan));
        EXPECT_EQ(pixelAt(163 - 9 * left - 5, -10).b, 128) << "nothing left of the remainder";
    }
    EXPECT_TRUE(writeScreenshot("map_frame"));
}

// The meter shows while a group is selected, the pointer is over a group and
// the left button is held: red to 500 ms, green to 1500, then blue, one unit
// per 10 ms, stopping at the blue tick.
TEST_F(Screens, HoldMeterGrowsRedThenGreenThenBlue) {
    beginMovement();
    game.session.selectedGroupId = createGroup(game.registry, 0, -200, 0, -200, 12, 0);
    FrameInput held = pointerAt(0, -200);
    held.leftHeld = true;
    held.clock = now;
    const Texel red = {255, 0, 0}, green = {0, 255, 0}, blue = {0, 0, 255};
    const struct {
        uint32_t elapsed;
        float lastX;
        Texel bar;
    } presses[] = {{230, -352, red}, {900, -285, green}, {2000, -225, blue}};
    for (const auto& press : presses) {
        SCOPED_TRACE(std::to_string(press.elapsed) + " ms");
        held.pressTime = now - press.elapsed;
        compose(held);
        EXPECT_EQ(pixelAt(-370, 195), press.bar);
        EXPECT_EQ(pixelAt(press.lastX - 3, 195), press.bar);
        EXPECT_EQ(pixelAt(press.lastX + 5, 195), kBlack);
    }
    // Where the bar has not yet grown, the ticks show their thresholds.
    held.pressTime = now - 230;
    compose(held);
    auto tickAt = [](float x, const Texel& colour) {
        for (float column = x - 2; column <= x + 2; ++column)
            if (pixelAt(column, 196) == colour) return true;
        return false;
    };
    EXPECT_TRUE(tickAt(-325, green));
    EXPECT_TRUE(tickAt(-225, blue));
}

TEST_F(Screens, MapFrameShowsTheCurrentPlayersStatisticsInItsColour) {
    beginMovement();
    game.session.playerCount = 8;
    game.session.currentPlayer = 7;
    game.session.statistics = {1, 22, 333, 4, 55, 666};
    compose(pointerAt(0, 100));
    const Colour& darkRed = ColourTable[8];
    EXPECT_TRUE(showsText(-360, -195, "--==Stats==--", FontSize::Large, darkRed));
    const char* lines[] = {"My Planets: 1",   "My Production: 22",   "My Ships: 333",
                           "Team Planets: 4", "Team Production: 55", "Team Ships: 666"};
    for (int line = 0; line < 6; ++line)
        EXPECT_TRUE(showsText(-399, -210 - 15 * line, lines[line], FontSize::Large, darkRed));
}

TEST_F(Screens, TurnScreenCountsPlayersFromOneAndTheMapFrameDrawsWithTheDepthTest) {
    beginTurn();
    game.picks.hoveredButton = 16;
    compose(pointerAt(0, 100));
    EXPECT_TRUE(showsText(-50, 0, "Player 1's turn", FontSize::Large));
    ASSERT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(writeScreenshot("turn_screen"));
    beginTurn();
    compose(pointerAt(0, 100));
    // Only with the depth test on does the divider, drawn first, leave its depth.
    std::array<GLfloat, 2> depth{};
    glReadPixels(200, 400, 2, 1, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    EXPECT_LT(std::min(depth[0], depth[1]), 1.0f);
}

}  // namespace
