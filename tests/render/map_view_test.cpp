// The star map in a real window: what each viewer's team may see, the
// panels, the courses, and a screenshot of a whole map.
#include "render/map_view.h"

#include "render/map_fixture.h"

namespace {

constexpr Rgb kBlack = {0, 0, 0};

void placePlanet(Game& game, int index, float x, float y, int owner, int production, int ships) {
    Planet& planet = game.planets[index];
    planet.x = x;
    planet.y = y;
    planet.owner = owner;
    planet.production = production;
    planet.ships = ships;
}

// Players 0 and 2 against 1 and 3; the viewer is player 0.
void fourPlayersInTwoTeams(Game& game) {
    game.session.playerCount = 4;
    game.session.teams = {0, 1, 0, 1, 0, 0, 0, 0};
    game.session.currentPlayer = 0;
    game.session.phase = GamePhase::Movement;
}

}  // namespace

TEST_F(MapFixture, PlanetsShowWhatTheViewersTeamLastSaw) {
    fourPlayersInTwoTeams(game);
    placePlanet(game, 0, 0, 100, -1, 11, 5);     // neutral
    placePlanet(game, 1, 100, 100, 1, 12, 6);    // enemy, never seen
    placePlanet(game, 2, 200, 100, 3, 13, 40);   // seen as player 1's with 17, taken since
    placePlanet(game, 3, 300, 100, 2, 14, 9);    // an ally's
    game.intel[0].knownOwner[2] = 1;
    game.intel[0].knownShips[2] = 17;
    game.session.selectedPlanet = 2;

    beginFrame();
    for (int i = 0; i < 4; ++i) drawPlanet(game, art, i, pointerAt(0, 0, 2000));
    // The marker shows around the model, at its corners.
    EXPECT_EQ(pixelAt(18, 118), kBlack);
    EXPECT_EQ(pixelAt(118, 118), kBlack);
    EXPECT_EQ(pixelAt(218, 118), (Rgb{0, 255, 0}));  // the last-seen owner, not the present one
    EXPECT_EQ(pixelAt(318, 118), (Rgb{0, 0, 255}));
    EXPECT_GT(pixelAt(300, 100).r, 0) << "the model is drawn over the marker";

    // A frame of 2 s turns every planet by 60 degrees; the marker only of the selected one.
    Game fresh;
    float turned = fresh.planets[1].spin + 60.0f;
    if (turned > 360.0f) turned -= 360.0f;
    EXPECT_FLOAT_EQ(game.planets[1].spin, turned);
    EXPECT_FLOAT_EQ(game.planets[2].markerAngle, 60.0f);
    EXPECT_FLOAT_EQ(game.planets[1].markerAngle, 0.0f);

    const char* expected[4][2] = {{"??", "??"}, {"??", "??"}, {"13", "17"}, {"??", "??"}};
    for (int i = 0; i < 4; ++i) {
        game.interaction.hoveredPlanet = i;
        beginFrame(false);
        drawHoveredPlanetPanel(game, art, pointerAt(0, -100));
        // Anchor (-44, -73): production at +28, ships right-aligned at +42.
        EXPECT_EQ(textAt(-16, -78, 2, FontSize::Small), expected[i][0]) << "planet " << i;
        EXPECT_EQ(textAt(-16, -88, 2, FontSize::Small), expected[i][1]) << "planet " << i;
    }
}

TEST_F(MapFixture, EnemyGroupsOutOfSightAreNeitherDrawnNorPicked) {
    fourPlayersInTwoTeams(game);
    createGroup(game.registry, 0, -100, 0, -100, 10, 0);
    const int inSight = createGroup(game.registry, 25, -100, 25, -100, 20, 1);
    createGroup(game.registry, 200, -100, 200, -100, 30, 3);
    const int ally = createGroup(game.registry, 300, -200, 300, -200, 50, 2);

    beginFrame(false);
    drawGroups(game, art, pointerAt(0, 0));
    EXPECT_EQ(pixelAt(0, -100), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(25, -100), (Rgb{0, 255, 0}));
    EXPECT_EQ(pixelAt(200, -100), kBlack);
    EXPECT_EQ(pixelAt(300, -200), (Rgb{0, 0, 255}));

    pickGroup(game, pointerAt(200, -100));
    EXPECT_EQ(game.interaction.hoveredGroup, -1);
    pickGroup(game, pointerAt(26, -101));
    EXPECT_EQ(game.interaction.hoveredGroup, inSight);
    pickGroup(game, pointerAt(300, -200));
    ASSERT_EQ(game.interaction.hoveredGroup, ally);

    // An ally's numbers show; an enemy's do not. Anchor (256, -173).
    beginFrame(false);
    drawHoveredGroupPanel(game, art, pointerAt(300, -200));
    EXPECT_EQ(textAt(284, -178, 2, FontSize::Small), "50");
    EXPECT_EQ(textAt(291, -188, 1, FontSize::Small), "0");
    game.interaction.hoveredGroup = inSight;
    beginFrame(false);
    drawHoveredGroupPanel(game, art, pointerAt(300, -200));
    EXPECT_EQ(textAt(277, -178, 2, FontSize::Small), "??");
    EXPECT_EQ(textAt(284, -188, 2, FontSize::Small), "??");
}

TEST_F(MapFixture, PanelsKeepTheirPlaces) {
    fourPlayersInTwoTeams(game);
    placePlanet(game, 5, 100, 0, 0, 21, 34);
    game.intel[0].knownOwner[5] = 0;
    const int group = createGroup(game.registry, 0, 0, 100, 0, 123, 0);
    game.session.selectedGroupId = group;

    beginFrame(false);
    drawSelectedGroupPanel(game, art, pointerAt(0, 0));
    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedGroupPanelGrey);
    EXPECT_EQ(textAt(-300, 282, 3, FontSize::Large), "123");
    EXPECT_EQ(textAt(-282, 270, 1, FontSize::Large), "4");

    // With a planet selected the group panel moves down under the planet's.
    game.session.selectedPlanet = 5;
    beginFrame(false);
    drawSelectedPlanetPanel(game, art);
    drawSelectedGroupPanel(game, art, pointerAt(0, 0));
    EXPECT_EQ(pixelAt(-390, 290).g, kSelectedPlanetPanelGrey);
    EXPECT_EQ(pixelAt(-390, 240).g, kSelectedGroupPanelGrey);
    EXPECT_EQ(pixelAt(-390, 200), kBlack);
    EXPECT_EQ(textAt(-283, 282, 2, FontSize::Large), "21");
    EXPECT_EQ(textAt(-283, 270, 2, FontSize::Large), "34");
    EXPECT_EQ(textAt(-300, 232, 3, FontSize::Large), "123");

    // Hover panels stop at the button column and at the top edge.
    game.interaction.hoveredPlanet = 5;
    beginFrame(false);
    drawHoveredPlanetPanel(game, art, pointerAt(-300, 295));
    EXPECT_EQ(pixelAt(-197.5f, 299.5f).g, kHoveredPanelGrey);
    EXPECT_EQ(pixelAt(-154.5f, 273.5f).g, kHoveredPanelGrey);
    EXPECT_EQ(pixelAt(-199.5f, 290), kBlack);
    EXPECT_EQ(pixelAt(-153, 290), kBlack);
    EXPECT_EQ(textAt(-170, 295, 2, FontSize::Small), "21");
}

TEST_F(MapFixture, CoursesShowTheNextStepAndOnHoverTheRest) {
    fourPlayersInTwoTeams(game);
    const int arriving = createGroup(game.registry, 0.5f, 0.5f, -19.5f, 0.5f, 5, 0);
    const int farOff = createGroup(game.registry, 0.5f, 100.5f, -99.5f, 100.5f, 5, 0);
    ASSERT_EQ(findGroup(game.registry, arriving)->stepsLeft, 1);
    ASSERT_EQ(findGroup(game.registry, farOff)->stepsLeft, 4);

    game.interaction.hoveredGroup = arriving;
    beginFrame(false);
    drawGroups(game, art, pointerAt(0, 0));
    EXPECT_EQ(pixelAt(-12, 0.5f), (Rgb{255, 0, 0})) << "the line runs to the destination";
    std::vector<uint8_t> frame(800 * 600 * 3);
    glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, frame.data());
    for (size_t i = 0; i < frame.size(); i += 3)
        ASSERT_FALSE(frame[i] > 100 && frame[i] < 160 && frame[i] == frame[i + 1])
            << "no grey rest of the course for a group one step from its goal";
    // The arrowhead at the next stop (-31.5, 100.5) points left, along the step.
    EXPECT_EQ(pixelAt(-25.5f, 102.5f), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(-25.5f, 98.5f), (Rgb{255, 0, 0}));
    EXPECT_EQ(pixelAt(-37.5f, 103), kBlack);

    game.interaction.hoveredGroup = farOff;
    beginFrame(false);
    drawGroups(game, art, pointerAt(0, 0));
    const Rgb rest = pixelAt(-70, 100.5f);
    EXPECT_NEAR(rest.r, 128, 1);
    EXPECT_EQ(rest.r, rest.b);
}

TEST_F(MapFixture, ScreenshotOfANewEightPlayerGame) {
    // Bands of two browns, so that the turning shows.
    std::vector<uint8_t> bands;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            bands.insert(bands.end(), {uint8_t(row % 2 ? 200 : 120), uint8_t(row % 2 ? 140 : 80), 60, 255});
    art.planetModels[0].texture = makeTexture(8, 8, bands);
    game.session.playerCount = 8;
    for (int p = 0; p < 8; ++p) game.session.teams[p] = p % 4;
    generateGalaxy(game);
    for (int i = 0; i < 8; ++i) game.planets[i * 4].owner = i;
    game.intel[0].knownOwner.fill(1);
    game.session.phase = GamePhase::Movement;
    game.session.selectedPlanet = 0;
    setDestination(game.registry, 0, 300, -200);
    game.session.selectedGroupId = 0;
    game.interaction.hoveredGroup = 0;
    game.interaction.hoveredPlanet = 4;
    const Planet& hovered = game.planets[4];
    const FrameInput input =
        pointerAt(static_cast<int>(hovered.x), static_cast<int>(hovered.y), 16);

    beginFrame();
    for (int i = 0; i < kPlanetCount; ++i) drawPlanet(game, art, i, input);
    glDisable(GL_DEPTH_TEST);
    drawGroups(game, art, input);
    drawSelectedPlanetPanel(game, art);
    drawHoveredPlanetPanel(game, art, input);
    drawSelectedGroupPanel(game, art, input);
    glEnable(GL_DEPTH_TEST);
    writeScreenshot("map_new_eight_player_game");

    const Group& first = game.registry.groups.front();
    pickGroup(game, pointerAt(static_cast<int>(first.x), static_cast<int>(first.y)));
    EXPECT_EQ(game.interaction.hoveredGroup, first.id);
}
