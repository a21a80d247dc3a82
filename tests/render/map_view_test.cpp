// The star map in a real window: what the viewer's team may see, the
// panels, the courses, and a screenshot of a whole map.
#include "render/map_view.h"

#include <algorithm>
#include <string>

#include "game/animation.h"
#include "game/game_setup.h"
#include "render/texture.h"
#include "window_fixture.h"

namespace {

using MapView = WindowFixture;

const Colour& kPanelCyan = ColourTable[6];

// Players 0 and 2 against 1 and 3; the viewer is player 0.
void fourPlayersInTwoTeams(Game& game) {
    game.session.playerCount = 4;
    game.session.teams = {0, 1, 0, 1, 0, 0, 0, 0};
    game.session.phase = GamePhase::Movement;
}

}  // namespace

TEST_F(MapView, PlanetsShowWhatTheViewersTeamLastSaw) {
    fourPlayersInTwoTeams(game);
    // Neutral; an enemy's never seen; seen as player 1's with 7 ships and
    // taken since; an ally's.
    placePlanet(game, 0, 0, 100, -1, 5).production = 11;
    placePlanet(game, 1, 100, 100, 1, 6).production = 12;
    placePlanet(game, 2, 200, 100, 3, 40).production = 13;
    placePlanet(game, 3, 300, 100, 2, 9).production = 14;
    game.intel[0].knownOwner[2] = 1;
    game.intel[0].knownShips[2] = 7;
    game.session.selectedPlanet = 2;

    beginFrame();
    for (int i = 0; i < 4; ++i) drawPlanet(game, art, i);
    // The marker shows at its corners, around the model.
    EXPECT_EQ(pixelAt(18, 118), kBlack);
    EXPECT_EQ(pixelAt(118, 118), kBlack);
    EXPECT_EQ(pixelAt(218, 118), (Texel{0, kLit, 0})) << "the owner last seen, not the present one";
    EXPECT_EQ(pixelAt(318, 118), (Texel{0, 0, kLit}));
    EXPECT_GT(pixelAt(300, 100).r, 0) << "the model is drawn over its marker";

    // A frame of 2 s turns every planet by 60 degrees, the marker only of the selected one.
    advanceAnimation(game, 2000);
    float turned = Game().planets[1].spin + 60.0f;
    if (turned > 360.0f) turned -= 360.0f;
    EXPECT_FLOAT_EQ(game.planets[1].spin, turned);
    EXPECT_FLOAT_EQ(game.planets[2].markerAngle, 60.0f);
    EXPECT_FLOAT_EQ(game.planets[1].markerAngle, 0.0f);

    // Production at the anchor (-44, -73) + 28, ships right-aligned at + 42.
    const std::string expected[4][2] = {{"??", "??"}, {"??", "??"}, {"13", "7"}, {"??", "??"}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("planet " + std::to_string(i));
        game.picks.hoveredPlanet = i;
        beginFrame(false);
        drawHoveredPlanetPanel(game, game.picks, art, pointerAt(0, -100));
        EXPECT_TRUE(showsText(-16, -78, expected[i][0], FontSize::Small, kPanelCyan));
        const int ships = -2 - 7 * static_cast<int>(expected[i][1].size());
        EXPECT_TRUE(showsText(ships, -88, expected[i][1], FontSize::Small, kPanelCyan));
    }
}

TEST_F(MapView, EnemyGroupsOutOfSightAreNeitherDrawnNorPicked) {
    fourPlayersInTwoTeams(game);
    createGroup(game.registry, 0, -100, 0, -100, 10, 0);
    const int inSight = createGroup(game.registry, 25, -100, 25, -100, 20, 1);
    createGroup(game.registry, 200, -100, 200, -100, 30, 3);
    const int ally = createGroup(game.registry, 300, -200, 300, -200, 50, 2);

    beginFrame(false);
    drawGroups(game, game.picks, art);
    EXPECT_EQ(pixelAt(0, -100), (Texel{kLit, 0, 0}));
    EXPECT_EQ(pixelAt(25, -100), (Texel{0, kLit, 0}));
    EXPECT_EQ(pixelAt(200, -100), kBlack);
    EXPECT_EQ(pixelAt(300, -200), (Texel{0, 0, kLit}));
    pickGroup(game, game.picks, pointerAt(200, -100));
    EXPECT_EQ(game.picks.hoveredGroup, -1);
    pickGroup(game, game.picks, pointerAt(26, -101));
    EXPECT_EQ(game.picks.hoveredGroup, inSight);
    pickGroup(game, game.picks, pointerAt(300, -200));
    ASSERT_EQ(game.picks.hoveredGroup, ally);

    // An ally's ships and steps show, an enemy's do not. Anchor (256, -173).
    beginFrame(false);
    drawHoveredGroupPanel(game, game.picks, art, pointerAt(300, -200));
    EXPECT_TRUE(showsText(284, -178, "50", FontSize::Small, kPanelCyan));
    EXPECT_TRUE(showsText(291, -188, "0", FontSize::Small, kPanelCyan));
    game.picks.hoveredGroup = inSight;
    beginFrame(false);
    drawHoveredGroupPanel(game, game.picks, art, pointerAt(300, -200));
    EXPECT_TRUE(showsText(277, -178, "??", FontSize::Small, kPanelCyan));
    EXPECT_TRUE(showsText(284, -188, "??", FontSize::Small, kPanelCyan));
}

TEST_F(MapView, PanelsKeepTheirPlaces) {
    fourPlayersInTwoTeams(game);
    placePlanet(game, 5, 100, 0, 0, 34).production = 21;
    game.intel[0].knownOwner[5] = 0;
    game.session.selectedGroupId = createGroup(game.registry, 0, 0, 100, 0, 123, 0);

    beginFrame(false);
    drawSelectedGroupPanel(game, art);
    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedGroupPanelGrey);
    EXPECT_TRUE(showsText(-300, 282, "123", FontSize::Large, kPanelCyan));
    EXPECT_TRUE(showsText(-282, 270, "4", FontSize::Large, kPanelCyan));

    // With a planet selected the group panel moves down under the planet's.
    game.session.selectedPlanet = 5;
    beginFrame(false);
    drawSelectedPlanetPanel(game, art);
    drawSelectedGroupPanel(game, art);
    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedPlanetPanelGrey);
    EXPECT_EQ(pixelAt(-390, 240).g, kSelectedGroupPanelGrey);
    EXPECT_EQ(pixelAt(-390, 200), kBlack);
    EXPECT_TRUE(showsText(-283, 282, "21", FontSize::Large, kPanelCyan));
    EXPECT_TRUE(showsText(-283, 270, "34", FontSize::Large, kPanelCyan));
    EXPECT_TRUE(showsText(-300, 232, "123", FontSize::Large, kPanelCyan));

    // Hover panels stop at the button column and at the top edge: (-198, 300).
    game.picks.hoveredPlanet = 5;
    beginFrame(false);
    drawHoveredPlanetPanel(game, game.picks, art, pointerAt(-300, 295));
    EXPECT_EQ(pixelAt(-197.5f, 299.5f).g, kHoveredPanelGrey);
    EXPECT_EQ(pixelAt(-199.5f, 290), kBlack);
    EXPECT_TRUE(showsText(-170, 295, "21", FontSize::Small, kPanelCyan));
}

TEST_F(MapView, CoursesShowTheNextStepAndOnHoverTheRest) {
    fourPlayersInTwoTeams(game);
    const int arriving = createGroup(game.registry, 0.5f, 0.5f, -19.5f, 0.5f, 5, 0);
    const int farOff = createGroup(game.registry, 0.5f, 100.5f, -99.5f, 100.5f, 5, 0);
    ASSERT_EQ(findGroup(game.registry, farOff)->stepsLeft, 4);

    game.picks.hoveredGroup = arriving;
    beginFrame(false);
    drawGroups(game, game.picks, art);
    EXPECT_EQ(pixelAt(-12, 0.5f), (Texel{255, 0, 0})) << "one step left: the line runs to the goal";
    EXPECT_EQ(pixelAt(-27.5f, 0.5f), kBlack) << "and no further";
    std::vector<uint8_t> frame(800 * 600 * 3);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    for (size_t i = 0; i < frame.size(); i += 3)
        ASSERT_FALSE(frame[i] > 100 && frame[i] < 160 && frame[i] == frame[i + 1]) << "a grey line";
    // The arrowhead at the next stop (-31.5, 100.5) points left, along the step.
    EXPECT_EQ(pixelAt(-25.5f, 102.5f), (Texel{255, 0, 0}));
    EXPECT_EQ(pixelAt(-25.5f, 98.5f), (Texel{255, 0, 0}));
    EXPECT_EQ(pixelAt(-37.5f, 103), kBlack);

    game.picks.hoveredGroup = farOff;
    beginFrame(false);
    drawGroups(game, game.picks, art);
    const Texel rest = pixelAt(-70, 100.5f);
    EXPECT_TRUE(std::abs(rest.r - 128) <= 1 && rest.r == rest.b) << rest;
}

TEST_F(MapView, NewEightPlayerGameShowsItsPanelsAndTheGroupUnderThePointer) {
    writeBytes("Data/bands.bmp",
               encodeBitmap(8, 8, [](int s, int) {  // two browns, so that the turning shows
                   return s & 4 ? Texel{200, 140, 60} : Texel{120, 80, 60};
               }));
    art.planetModels[0].texture = loadTexture("Data", "bands.bmp");
    game.session.playerCount = 8;
    generateGalaxy(game);
    for (int i = 0; i < 8; ++i) game.planets[i * 4].owner = i;
    game.session.selectedPlanet = 0;
    setDestination(game.registry, 0, 300, -200);
    game.session.selectedGroupId = 0;
    const Group& group = game.registry.groups.front();
    const FrameInput input = pointerAt(static_cast<int>(group.x), static_cast<int>(group.y), 16);

    beginFrame();
    for (int i = 0; i < kPlanetCount; ++i) drawPlanet(game, art, i);
    glDisable(GL_DEPTH_TEST);
    drawGroups(game, game.picks, art);
    ASSERT_EQ(game.picks.hoveredGroup, -1);
    pickGroup(game, game.picks, input);
    ASSERT_EQ(game.picks.hoveredGroup, 0);
    drawSelectedPlanetPanel(game, art);
    drawSelectedGroupPanel(game, art);
    drawHoveredGroupPanel(game, game.picks, art, input);
    writeScreenshot("map_new_eight_player_game");

    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedPlanetPanelGrey);
    EXPECT_EQ(pixelAt(-390, 240).g, kSelectedGroupPanelGrey);
    // The hover panel's anchor: below and left of the pointer, clear of the
    // button column and the top edge; ships and steps right-aligned at + 42.
    const int x = std::max(input.mapX - 44, -198) + 42;
    const int y = std::min(input.mapY + 27, 300);
    const std::string steps = std::to_string(group.stepsLeft);
    EXPECT_TRUE(showsText(x - 21, y - 5, "200", FontSize::Small, kPanelCyan));
    EXPECT_TRUE(showsText(x - 7 * static_cast<int>(steps.size()), y - 15, steps, FontSize::Small,
                          kPanelCyan));
}
