// Map interaction: what a left release does in each phase with what the last
// frame found under the pointer, how long the press lasted, and the right-click
// cancel. Hover fields are set by hand here; the pick passes that write them
// in the running game are tested with the drawing.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "game/availability.h"
#include "game/commands.h"
#include "game/describe_game.h"
#include "game/game.h"
#include "game/game_setup.h"
#include "interaction/interaction.h"

namespace {

constexpr int kCreate = static_cast<int>(CommandId::CreateGroup);
constexpr int kPlanetAction = static_cast<int>(CommandId::AttackOrDonatePlanet);
constexpr int kEndMovement = static_cast<int>(CommandId::EndMovement);
constexpr int kEndBattle = static_cast<int>(CommandId::EndBattle);

using Point = std::pair<float, float>;

// Two players in two teams on an empty map: every planet neutral and far off,
// so only what a test places acts.
struct Map {
    Game game;
    InputState input;
    // As in a game on one machine: every command applied as it is given.
    CommandSink apply = [this](const PlayerCommand& command) { applyCommand(game, command); };
    uint32_t pressedAt = 1000;

    explicit Map(GamePhase phase) {
        initialiseGame(game);
        game.session.teams = {0, 1, 0, 0, 0, 0, 0, 0};
        game.session.phase = phase;
        for (int i = 0; i < kPlanetCount; ++i) {
            game.planets[i] = Planet{};
            game.planets[i].x = 5000.0f + 100.0f * static_cast<float>(i);
            game.planets[i].y = 5000.0f;
        }
        game.picks.hoveredButton = -1;
        refreshAvailability(game, 0);
    }

    int group(float x, float y, int ships, int owner) {
        return createGroup(game.registry, x, y, x, y, ships, owner);
    }

    // A press at `pressedAt` on the millisecond clock and a release
    // `durationMs` later with the pointer at map (x, y), through the tick's
    // left-button step.
    void click(int x, int y, uint32_t durationMs) {
        input.mapX = x;
        input.mapY = y;
        input.leftPressed = true;
        handleLeftClick(game, input, pressedAt, apply);
        input.leftPressed = false;
        input.leftReleased = true;
        handleLeftClick(game, input, pressedAt + durationMs, apply);
        input.leftReleased = false;
    }

    void rightClick() {
        input.rightReleased = true;
        handleRightClick(game, input, apply);
        input.rightReleased = false;
    }

    const Group& find(int id) { return *findGroup(game.registry, id); }
    Point destinationOf(int id) { return {find(id).destinationX, find(id).destinationY}; }
};

TEST(MapInteraction, PressDurationDecidesWhatAReleaseOverAGroupMeans) {
    // The same durations whether or not the clock wraps during the press.
    for (const uint32_t pressedAt : {1000u, 0xFFFFFF00u}) {
        SCOPED_TRACE("pressed at " + std::to_string(pressedAt));
        Map map(GamePhase::Movement);
        map.pressedAt = pressedAt;
        const int mine = map.group(0, 0, 10, 0);
        const int other = map.group(100, 50, 10, 0);
        const int enemy = map.group(-100, 80, 10, 1);
        map.game.session.selectedGroupId = mine;

        map.game.picks.hoveredGroup = other;
        map.click(110, 60, 500);  // a short click on an own group selects it
        EXPECT_EQ(map.game.session.selectedGroupId, other);
        EXPECT_EQ(map.find(other).stepsLeft, 0);

        map.game.session.selectedGroupId = mine;
        map.click(110, 60, 501);  // a medium press sends the selected group there
        EXPECT_EQ(map.game.session.selectedGroupId, mine);
        EXPECT_EQ(map.destinationOf(mine), (Point{100.0f, 50.0f}));

        map.click(110, 60, 1501);  // a long press aims at the pointer itself
        EXPECT_EQ(map.destinationOf(mine), (Point{110.0f, 60.0f}));

        map.game.picks.hoveredGroup = enemy;
        map.click(-90, 90, 100);  // a short click on an enemy aims at the enemy
        EXPECT_EQ(map.destinationOf(mine), (Point{-100.0f, 80.0f}));

        // A planet under the pointer wins over a group, whatever the duration.
        map.game.planets[3].x = 200.5f;
        map.game.planets[3].y = -70.25f;
        map.game.picks.hoveredPlanet = 3;
        map.click(205, -66, 3000);
        EXPECT_EQ(map.destinationOf(mine), (Point{200.5f, -70.25f}));
    }
}

TEST(MapInteraction, TheMapAreaBoundsAreInclusive) {
    Map map(GamePhase::Movement);
    const int mine = map.group(0, 0, 10, 0);
    const struct {
        int x, y;
        bool inside;
    } releases[] = {{-192, 0, true},  {393, 0, true},  {0, -293, true},  {0, 293, true},
                    {-193, 0, false}, {394, 0, false}, {0, -294, false}, {0, 294, false}};
    for (const auto& release : releases) {
        map.game.session.selectedGroupId = mine;
        setDestination(map.game.registry, mine, 0, 0);
        map.click(release.x, release.y, 100);
        const bool moved = map.destinationOf(mine) != Point{0.0f, 0.0f};
        EXPECT_EQ(moved, release.inside) << release.x << ", " << release.y;
    }
}

TEST(MapInteraction, AGroupGoneSinceTheFrameLeavesThePointerAsTarget) {
    Map map(GamePhase::Movement);
    const int mine = map.group(0, 0, 10, 0);
    map.game.session.selectedGroupId = mine;
    map.game.picks.hoveredGroup = 77;  // no group has this id
    map.click(150, -20, 100);
    EXPECT_EQ(map.destinationOf(mine), (Point{150.0f, -20.0f}));
}

TEST(MapInteraction, ACourseOffAPlanetInTheBattlePhaseWithdrawsThePlanetButton) {
    Map map(GamePhase::BattlePhase);
    map.game.planets[2] = Planet{};
    map.game.planets[2].owner = 1;
    map.game.planets[2].ships = 5;
    map.game.planets[2].x = 40;
    map.game.planets[2].y = 40;
    const int mine = map.group(40, 40, 10, 0);
    map.game.session.selectedGroupId = mine;
    refreshAvailability(map.game, 0);
    ASSERT_TRUE(visible(map.game, kPlanetAction));

    map.click(200, 200, 100);
    EXPECT_GT(map.find(mine).stepsLeft, 0);
    EXPECT_FALSE(visible(map.game, kPlanetAction));
}

TEST(MapInteraction, PlacementsTargetInsideTheMapAndAreAbandonedOutside) {
    Map map(GamePhase::Movement);
    map.game.planets[4].owner = 0;
    map.game.planets[4].ships = 25;
    map.game.planets[4].x = 60;
    map.game.planets[4].y = 60;
    map.game.picks.hoveredPlanet = 4;
    map.click(60, 60, 100);  // select the own planet
    ASSERT_EQ(map.game.session.selectedPlanet, 4);
    ASSERT_TRUE(visible(map.game, kCreate));
    map.game.picks.hoveredPlanet = -1;

    runGroupCommand(map.game, CommandId::CreateGroup);
    pressSelectorControl(map.game, SelectorControl::Max);
    pressSelectorControl(map.game, SelectorControl::Confirm);
    ASSERT_EQ(map.game.interaction.mode, InteractionMode::PlaceNewGroup);

    // A release over a button in the column abandons the placement without
    // pressing the button.
    map.game.picks.hoveredButton = kEndMovement;
    map.click(-380, 0, 100);
    EXPECT_EQ(map.game.interaction.mode, InteractionMode::Idle);
    EXPECT_EQ(map.game.session.phase, GamePhase::Movement);
    EXPECT_EQ(countGroups(map.game.registry), 0);
    map.game.picks.hoveredButton = -1;

    runGroupCommand(map.game, CommandId::CreateGroup);
    pressSelectorControl(map.game, SelectorControl::Max);
    pressSelectorControl(map.game, SelectorControl::Confirm);
    map.click(300, -100, 2000);
    EXPECT_EQ(map.game.interaction.mode, InteractionMode::Idle);
    ASSERT_EQ(countGroups(map.game.registry), 1);
    EXPECT_EQ(map.game.registry.groups[0].ships, 25);
    EXPECT_FLOAT_EQ(map.game.registry.groups[0].destinationX, 300.0f);
    EXPECT_EQ(map.game.planets[4].ships, 0);
    EXPECT_FALSE(visible(map.game, kCreate));
}

TEST(MapInteraction, ARightClickCancelsSelectionsAndTheSelector) {
    Map map(GamePhase::Movement);
    map.game.planets[4].owner = 0;
    map.game.planets[4].ships = 25;
    map.game.session.selectedPlanet = 4;
    runGroupCommand(map.game, CommandId::CreateGroup);
    ASSERT_EQ(map.game.interaction.mode, InteractionMode::CountForNewGroup);

    map.rightClick();
    EXPECT_EQ(map.game.session.selectedPlanet, -1);
    EXPECT_EQ(map.game.session.selectedGroupId, -1);
    EXPECT_EQ(map.game.interaction.mode, InteractionMode::Idle);
    EXPECT_FALSE(visible(map.game, kCreate));

    // Outside the map phases a right click does nothing.
    map.game.session.phase = GamePhase::TurnStart;
    map.game.session.selectedPlanet = 4;
    map.rightClick();
    EXPECT_EQ(map.game.session.selectedPlanet, 4);
}

TEST(MapInteraction, SetupReleasesPressButtonsOrCycleTeamsOrSeats) {
    Map map(GamePhase::Setup);
    initialiseGame(map.game);
    map.game.picks.hoveredSetupRow = 1;
    map.click(30, 50, 100);
    EXPECT_EQ(map.game.session.teams[1], 1);

    map.game.picks.hoveredButton = static_cast<int>(CommandId::IncreasePlayers);
    map.click(55, 165, 100);
    EXPECT_EQ(map.game.session.playerCount, 3);
    EXPECT_EQ(map.game.session.teams[1], 1);  // the button wins over the row

    map.game.picks.hoveredButton = -1;
    map.game.picks.hoveredSetupRow = -1;
    map.game.picks.hoveredSeatRow = 2;
    map.click(80, 30, 100);
    EXPECT_EQ(map.game.seats[2], Seat::Computer);
    EXPECT_EQ(map.game.session.teams[2], 0);
}

TEST(MapInteraction, BattlePhaseReleasesOverTheSelectorCountOnlyASplit) {
    Map map(GamePhase::BattlePhase);
    map.game.session.selectedGroupId = map.group(0, 0, 20, 0);
    map.game.interaction.mode = InteractionMode::CountForSplit;
    map.game.interaction.count = 1;
    map.game.picks.hoveredSelectorControl = static_cast<int>(SelectorControl::Plus10);
    map.game.buttons.buttons[kEndBattle].visible = true;
    map.game.picks.hoveredButton = kEndBattle;  // under the selector: not pressed
    map.click(90, -20, 100);
    EXPECT_EQ(map.game.interaction.count, 11);
    EXPECT_EQ(map.game.session.phase, GamePhase::BattlePhase);

    // A new group's count carried over from the movement phase stays as it is.
    placePlanet(map.game, 4, 60, 60, 0, 25);
    map.game.session.selectedGroupId = -1;
    map.game.session.selectedPlanet = 4;
    map.game.interaction.mode = InteractionMode::CountForNewGroup;
    map.game.picks.hoveredSelectorControl = static_cast<int>(SelectorControl::Confirm);
    const std::string before = describeGame(map.game);
    map.click(66, -20, 100);
    EXPECT_EQ(describeGame(map.game), before);
}

TEST(MapInteraction, PlanetsCannotBeSelectedInTheBattlePhase) {
    Map map(GamePhase::BattlePhase);
    placePlanet(map.game, 4, 60, 60, 0, 25);
    map.game.picks.hoveredPlanet = 4;
    map.click(60, 60, 100);
    EXPECT_EQ(map.game.session.selectedPlanet, -1);
    EXPECT_FALSE(visible(map.game, kCreate));
}

TEST(MapInteraction, ReleasesAreIgnoredWhileABattleRuns) {
    for (const GamePhase phase : {GamePhase::GroupBattle, GamePhase::PlanetBattle}) {
        SCOPED_TRACE("phase " + std::to_string(static_cast<int>(phase)));
        Map map(phase);
        placePlanet(map.game, 4, 60, 60, 0, 25);
        const int mine = map.group(0, 0, 20, 0);
        map.game.buttons.buttons[kEndBattle].visible = true;
        map.game.picks.hoveredButton = kEndBattle;
        map.game.picks.hoveredGroup = mine;
        map.game.picks.hoveredPlanet = 4;
        std::string before = describeGame(map.game);
        map.click(60, 60, 100);  // nothing selected: a group, planet or button to take
        EXPECT_EQ(describeGame(map.game), before);

        map.game.session.selectedGroupId = mine;
        map.game.picks.hoveredPlanet = -1;
        before = describeGame(map.game);
        map.click(60, 60, 2000);  // a group selected: a course to give
        EXPECT_EQ(describeGame(map.game), before);

        map.game.interaction.mode = InteractionMode::CountForSplit;
        map.game.picks.hoveredSelectorControl = static_cast<int>(SelectorControl::Max);
        before = describeGame(map.game);
        map.click(60, 60, 100);  // a selector open: a count to take
        map.rightClick();
        EXPECT_EQ(describeGame(map.game), before);
    }
}

}  // namespace

TEST(MapInteraction, WhileTheComputerPlaysOnlyQuitIsHeard) {
    Map map(GamePhase::Movement);
    map.game.seats[0] = Seat::Computer;
    const int mine = map.group(0, 0, 10, 0);
    map.game.session.selectedGroupId = mine;
    refreshAvailability(map.game, 0);
    setCommandAvailable(map.game.buttons, CommandId::EndMovement, true);
    setCommandAvailable(map.game.buttons, CommandId::QuitGame, true);

    map.game.picks.hoveredButton = kEndMovement;
    map.click(-215, -175, 100);
    map.game.picks.hoveredButton = -1;
    map.click(100, 100, 100);  // would give the selected group a course
    map.rightClick();
    EXPECT_EQ(map.game.session.phase, GamePhase::Movement);
    EXPECT_EQ(map.find(mine).stepsLeft, 0);
    EXPECT_EQ(map.game.session.selectedGroupId, mine);

    map.game.picks.hoveredButton = static_cast<int>(CommandId::QuitGame);
    map.click(-215, -140, 100);
    EXPECT_TRUE(map.game.quitRequested);
}
