// The star map in a real window: what the viewer's team may see, the
// panels, the courses, and a screenshot of a whole map.
#include "render/map_view.h"

#include "game/animation.h"
#include "render/map_fixture.h"

namespace {

constexpr Rgb kBlack = {0, 0, 0};

void placePlanet(Game& game, int index, float x, float y, int owner, int production, int ships) {
    Planet& planet = game.planets[index];
    planet.x = x, planet.y = y, planet.owner = owner;
    planet.production = production, planet.ships = ships;
}

// Players 0 and 2 against 1 and 3; the viewer is player 0.
void fourPlayersInTwoTeams(Game& game) {
    game.session.playerCount = 4;
    game.session.teams = {0, 1, 0, 1, 0, 0, 0, 0};
    game.session.phase = GamePhase::Movement;
}

}  // namespace

TEST_F(MapFixture, PlanetsShowWhatTheViewersTeamLastSaw) {
    fourPlayersInTwoTeams(game);
    placePlanet(game, 0, 0, 100, -1, 11, 5);    // neutral
    placePlanet(game, 1, 100, 100, 1, 12, 6);   // enemy, never seen
    placePlanet(game, 2, 200, 100, 3, 13, 40);  // seen as player 1's with 17, taken since
    placePlanet(game, 3, 300, 100, 2, 14, 9);   // an ally's
    game.intel[0].knownOwner[2] = 1;
    game.intel[0].knownShips[2] = 17;
    game.session.selectedPlanet = 2;

    beginFrame();
    for (int i = 0; i < 4; ++i) drawPlanet(game, art, i);
    // The marker shows at its corners, around the model.
    EXPECT_EQ(pixelAt(18, 118), kBlack);
    EXPECT_EQ(pixelAt(118, 118), kBlack);
    EXPECT_EQ(pixelAt(218, 118), (Rgb{0, 255, 0})) << "the owner last seen, not the present one";
    EXPECT_EQ(pixelAt(318, 118), (Rgb{0, 0, 255}));
    EXPECT_GT(pixelAt(300, 100).r, 0) << "the model is drawn over its marker";

    // A frame of 2 s turns every planet by 60 degrees, the marker only of the selected one.
    advanceAnimation(game, 2000);
    float turned = Game().planets[1].spin + 60.0f;
    if (turned > 360.0f) turned -= 360.0f;
    EXPECT_FLOAT_EQ(game.planets[1].spin, turned);
    EXPECT_FLOAT_EQ(game.planets[2].markerAngle, 60.0f);
    EXPECT_FLOAT_EQ(game.planets[1].markerAngle, 0.0f);

    // Production at the anchor (-44, -73) + 28, ships right-aligned at + 42.
    const char* expected[4] = {"????", "????", "1317", "????"};
    for (int i = 0; i < 4; ++i) {
        game.picks.hoveredPlanet = i;
        beginFrame(false);
        drawHoveredPlanetPanel(game, game.picks, art, pointerAt(0, -100));
        EXPECT_EQ(textAt(-16, -78, 2, FontSize::Small) + textAt(-16, -88, 2, FontSize::Small),
                  expected[i])
            << "planet " << i;
    }
}

TEST_F(MapFixture, EnemyGroupsOutOfSightAreNeitherDrawnNorPicked) {
    fourPlayersInTwoTeams(game);
    createGroup(game.registry, 0, -100, 0, -100, 10, 0);
    const int inSight = createGroup(game.registry, 25, -100, 25, -100, 20, 1);
    createGroup(game.registry, 200, -100, 200, -100, 30, 3);
    const int ally = createGroup(game.registry, 300, -200, 300, -200, 50, 2);

    beginFrame(false);
    drawGroups(game, game.picks, art);
    EXPECT_EQ(pixelAt(0, -100), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(25, -100), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelAt(200, -100), kBlack);
    EXPECT_EQ(pixelAt(300, -200), (Rgb{0, 0, 255}));
    pickGroup(game, game.picks, pointerAt(200, -100));
    EXPECT_EQ(game.picks.hoveredGroup, -1);
    pickGroup(game, game.picks, pointerAt(26, -101));
    EXPECT_EQ(game.picks.hoveredGroup, inSight);
    pickGroup(game, game.picks, pointerAt(300, -200));
    ASSERT_EQ(game.picks.hoveredGroup, ally);

    // An ally's ships and steps show, an enemy's do not. Anchor (256, -173).
    beginFrame(false);
    drawHoveredGroupPanel(game, game.picks, art, pointerAt(300, -200));
    EXPECT_EQ(textAt(284, -178, 2, FontSize::Small) + textAt(291, -188, 1, FontSize::Small), "500");
    game.picks.hoveredGroup = inSight;
    beginFrame(false);
    drawHoveredGroupPanel(game, game.picks, art, pointerAt(300, -200));
    EXPECT_EQ(textAt(277, -178, 2, FontSize::Small) + textAt(284, -188, 2, FontSize::Small), "????");
}

TEST_F(MapFixture, PanelsKeepTheirPlaces) {
    fourPlayersInTwoTeams(game);
    placePlanet(game, 5, 100, 0, 0, 21, 34);
    game.intel[0].knownOwner[5] = 0;
    game.session.selectedGroupId = createGroup(game.registry, 0, 0, 100, 0, 123, 0);

    beginFrame(false);
    drawSelectedGroupPanel(game, art);
    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedGroupPanelGrey);
    EXPECT_EQ(textAt(-300, 282, 3, FontSize::Large) + textAt(-282, 270, 1, FontSize::Large), "1234");

    // With a planet selected the group panel moves down under the planet's.
    game.session.selectedPlanet = 5;
    beginFrame(false);
    drawSelectedPlanetPanel(game, art);
    drawSelectedGroupPanel(game, art);
    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedPlanetPanelGrey);
    EXPECT_EQ(pixelAt(-390, 240).g, kSelectedGroupPanelGrey);
    EXPECT_EQ(pixelAt(-390, 200), kBlack);
    EXPECT_EQ(textAt(-283, 282, 2, FontSize::Large) + textAt(-283, 270, 2, FontSize::Large), "2134");
    EXPECT_EQ(textAt(-300, 232, 3, FontSize::Large), "123");

    // Hover panels stop at the button column and at the top edge: (-198, 300).
    game.picks.hoveredPlanet = 5;
    beginFrame(false);
    drawHoveredPlanetPanel(game, game.picks, art, pointerAt(-300, 295));
    EXPECT_EQ(pixelAt(-197.5f, 299.5f).g, kHoveredPanelGrey);
    EXPECT_EQ(pixelAt(-199.5f, 290), kBlack);
    EXPECT_EQ(textAt(-170, 295, 2, FontSize::Small), "21");
}

TEST_F(MapFixture, CoursesShowTheNextStepAndOnHoverTheRest) {
    fourPlayersInTwoTeams(game);
    const int arriving = createGroup(game.registry, 0.5f, 0.5f, -19.5f, 0.5f, 5, 0);
    const int farOff = createGroup(game.registry, 0.5f, 100.5f, -99.5f, 100.5f, 5, 0);
    ASSERT_EQ(findGroup(game.registry, farOff)->stepsLeft, 4);

    game.picks.hoveredGroup = arriving;
    beginFrame(false);
    drawGroups(game, game.picks, art);
    EXPECT_EQ(pixelAt(-12, 0.5f), (Rgb{255, 0, 0})) << "one step left: the line runs to the goal";
    EXPECT_EQ(pixelAt(-27.5f, 0.5f), kBlack) << "and no further";
    std::vector<uint8_t> frame(800 * 600 * 3);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    for (size_t i = 0; i < frame.size(); i += 3)
        ASSERT_FALSE(frame[i] > 100 && frame[i] < 160 && frame[i] == frame[i + 1]) << "a grey line";
    // The arrowhead at the next stop (-31.5, 100.5) points left, along the step.
    EXPECT_EQ(pixelAt(-25.5f, 102.5f), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(-25.5f, 98.5f), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(-37.5f, 103), kBlack);

    game.picks.hoveredGroup = farOff;
    beginFrame(false);
    drawGroups(game, game.picks, art);
    const Rgb rest = pixelAt(-70, 100.5f);
    EXPECT_TRUE(std::abs(rest.r - 128) <= 1 && rest.r == rest.b) << rest;
}

TEST_F(MapFixture, ScreenshotOfANewEightPlayerGame) {
    std::vector<uint8_t> bands;  // two browns, so that the turning shows
    for (int texel = 0; texel < 64; ++texel)
        bands.insert(bands.end(), {uint8_t(texel & 8 ? 200 : 120), uint8_t(texel & 8 ? 140 : 80), 60, 255});
    art.planetModels[0].texture = makeTexture(8, 8, bands);
    game.session.playerCount = 8;
    generateGalaxy(game);
    for (int i = 0; i < 8; ++i) game.planets[i * 4].owner = i;
    game.session.selectedPlanet = 0;
    setDestination(game.registry, 0, 300, -200);
    game.session.selectedGroupId = game.picks.hoveredGroup = 0;
    const Group& hovered = game.registry.groups.front();
    const FrameInput input = pointerAt(static_cast<int>(hovered.x), static_cast<int>(hovered.y), 16);

    beginFrame();
    for (int i = 0; i < kPlanetCount; ++i) drawPlanet(game, art, i);
    glDisable(GL_DEPTH_TEST);
    drawGroups(game, game.picks, art);
    pickGroup(game, game.picks, input);
    drawSelectedPlanetPanel(game, art);
    drawSelectedGroupPanel(game, art);
    drawHoveredGroupPanel(game, game.picks, art, input);
    writeScreenshot("map_new_eight_player_game");
    EXPECT_EQ(game.picks.hoveredGroup, 0);
}
