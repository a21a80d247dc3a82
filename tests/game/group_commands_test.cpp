// Group commands: the count selector's arithmetic, placing a split or a new
// group, combat and donation, and the selection commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

#include "game/availability.h"
#include "game/commands.h"
#include "game/describe_game.h"
#include "game/game.h"
#include "game/game_setup.h"

namespace {

constexpr int kSplit = static_cast<int>(CommandId::SplitGroup);
constexpr int kCombine = static_cast<int>(CommandId::CombineGroups);
constexpr int kPlanetAction = static_cast<int>(CommandId::AttackOrDonatePlanet);
constexpr int kNextGroup = static_cast<int>(CommandId::NextGroup);
constexpr int kCreate = static_cast<int>(CommandId::CreateGroup);

// Three players: 0 and 1 allies in team 0, player 2 the enemy in team 1. Every
// planet is neutral, empty and far off, so only the planets a test places act.
void prepare(Game& game, GamePhase phase, int currentPlayer = 0) {
    initialiseGame(game);
    game.session.playerCount = 3;
    game.session.teams = {0, 0, 1, 0, 0, 0, 0, 0};
    game.session.currentPlayer = currentPlayer;
    game.session.phase = phase;
    for (int i = 0; i < kPlanetCount; ++i) {
        Planet& planet = game.planets[i];
        planet.x = 5000.0f + 100.0f * static_cast<float>(i);
        planet.y = 5000.0f;
        planet.production = 10;
        planet.ships = 0;
        planet.owner = -1;
    }
}

int standingGroup(Game& game, float x, float y, int ships, int owner) {
    return createGroup(game.registry, x, y, x, y, ships, owner);
}

void press(Game& game, SelectorControl control) { pressSelectorControl(game, control); }

// Presses written "control=count" ("+10=11 max=24"), each control by its
// label on the selector, pressed in turn with the count checked after each.
void expectCounts(Game& game, const std::string& presses) {
    static const std::string labels[] = {"confirm", "max", "+10", "+1",
                                         "-1",      "-10", "min", "cancel"};
    std::istringstream steps(presses);
    for (std::string step; steps >> step;) {
        const size_t equals = step.find('=');
        const auto label = std::find(std::begin(labels), std::end(labels), step.substr(0, equals));
        ASSERT_NE(label, std::end(labels)) << step;
        press(game, static_cast<SelectorControl>(label - std::begin(labels)));
        EXPECT_EQ(game.interaction.count, std::stoi(step.substr(equals + 1))) << "after " << step;
    }
}

std::string visibleButtons(const Game& game) {
    std::string flags;
    for (const Button& button : game.buttons.buttons) flags += button.visible ? '1' : '0';
    return flags;
}

// Opens a split selector on a new selected group of `ships` ships.
int openSplitSelector(Game& game, int ships) {
    const int id = standingGroup(game, 0.0f, 0.0f, ships, game.session.currentPlayer);
    game.session.selectedGroupId = id;
    runGroupCommand(game, CommandId::SplitGroup);
    return id;
}

void openNewGroupSelector(Game& game, int planetShips) {
    placePlanet(game, 4, 100.0f, 100.0f, game.session.currentPlayer, planetShips);
    game.session.selectedPlanet = 4;
    runGroupCommand(game, CommandId::CreateGroup);
}

}  // namespace

// ---------------------------------------------------------------------------
// The count selector.

// A split keeps one ship back, a new group may take the whole planet; each
// selector opens at one, and Confirm opens its placement with the count kept.
TEST(CountSelector, CountStaysWithinItsBounds) {
    const struct {
        const char* name;
        bool split;
        int ships;
        const char* presses;
        int placed;
    } selectors[] = {
        {"a split of two ships stays at one", true, 2, "max=1 +1=1 +10=1", 1},
        {"a split stays within one to the ships less one", true, 25,
         "+10=11 +10=21 +10=24 +1=24 -1=23 +1=24 -10=14 min=1 -1=1 -10=1 +1=2 +1=3 +1=4 +1=5 "
         "-10=1 max=24",
         24},
        {"a new group may take the whole planet", false, 25,
         "+10=11 +10=21 +10=25 +1=25 -1=24 +1=25 -10=15 -10=5 -10=1 -1=1 max=25 min=1", 1},
    };
    for (const auto& selector : selectors) {
        SCOPED_TRACE(selector.name);
        Game game;
        prepare(game, GamePhase::Movement);
        if (selector.split)
            openSplitSelector(game, selector.ships);
        else
            openNewGroupSelector(game, selector.ships);
        EXPECT_EQ(game.interaction.mode, selector.split ? InteractionMode::CountForSplit
                                                        : InteractionMode::CountForNewGroup);
        EXPECT_EQ(game.interaction.count, 1);
        expectCounts(game, selector.presses);

        game.picks.hoveredSelectorControl = 0;
        press(game, SelectorControl::Confirm);
        EXPECT_EQ(game.interaction.mode,
                  selector.split ? InteractionMode::PlaceSplit : InteractionMode::PlaceNewGroup);
        EXPECT_EQ(game.picks.hoveredSelectorControl, -1);
        EXPECT_EQ(game.interaction.count, selector.placed);
    }
}

TEST(CountSelector, CancelClosesEitherSelector) {
    Game game;
    prepare(game, GamePhase::Movement);
    openSplitSelector(game, 9);
    game.picks.hoveredSelectorControl = 7;
    press(game, SelectorControl::Cancel);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
    EXPECT_EQ(game.picks.hoveredSelectorControl, -1);

    openNewGroupSelector(game, 9);
    game.picks.hoveredSelectorControl = 7;
    press(game, SelectorControl::Cancel);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
    EXPECT_EQ(game.picks.hoveredSelectorControl, -1);
}

TEST(CountSelector, BattlePhaseActsOnTheSplitSelectorOnly) {
    Game game;
    prepare(game, GamePhase::BattlePhase);
    openSplitSelector(game, 25);
    press(game, SelectorControl::Max);
    EXPECT_EQ(game.interaction.count, 24);
    press(game, SelectorControl::Confirm);
    EXPECT_EQ(game.interaction.mode, InteractionMode::PlaceSplit);

    openNewGroupSelector(game, 25);
    const std::string before = describeGame(game);
    for (int control = 0; control <= 7; ++control) {
        press(game, static_cast<SelectorControl>(control));
        EXPECT_EQ(describeGame(game), before) << "control " << control;
    }
}

TEST(CountSelector, IgnoredOutsideTheCountModesAndTheMapPhases) {
    Game game;
    prepare(game, GamePhase::Movement);
    openSplitSelector(game, 25);
    for (InteractionMode mode :
         {InteractionMode::Idle, InteractionMode::PlaceSplit, InteractionMode::PlaceNewGroup}) {
        game.interaction.mode = mode;
        const std::string before = describeGame(game);
        press(game, SelectorControl::Max);
        press(game, SelectorControl::Cancel);
        EXPECT_EQ(describeGame(game), before) << "mode " << static_cast<int>(mode);
    }
    game.interaction.mode = InteractionMode::CountForSplit;
    for (GamePhase phase : {GamePhase::Setup, GamePhase::TurnStart, GamePhase::GroupBattle,
                            GamePhase::PlanetBattle}) {
        game.session.phase = phase;
        const std::string before = describeGame(game);
        press(game, SelectorControl::Max);
        press(game, SelectorControl::Cancel);
        EXPECT_EQ(describeGame(game), before) << "phase " << static_cast<int>(phase);
    }
}

TEST(CountSelector, BoundsFollowTheSelectionAtEachPress) {
    Game game;
    prepare(game, GamePhase::Movement);
    openSplitSelector(game, 25);
    press(game, SelectorControl::Max);
    EXPECT_EQ(game.interaction.count, 24);
    game.session.selectedGroupId = standingGroup(game, 50.0f, 0.0f, 5, 0);
    expectCounts(game, "+10=4 max=4");
}

TEST(CountSelector, WithoutTheGroupOrPlanetOnlyCancelActs) {
    Game game;
    prepare(game, GamePhase::Movement);
    const int id = openSplitSelector(game, 25);
    game.interaction.count = 7;
    for (int selection : {-1, id}) {
        game.session.selectedGroupId = selection;
        removeGroup(game.registry, id);  // the second round: an id no group has
        const std::string before = describeGame(game);
        for (int control = 0; control < 7; ++control) {
            press(game, static_cast<SelectorControl>(control));
            EXPECT_EQ(describeGame(game), before) << "control " << control;
        }
    }
    press(game, SelectorControl::Cancel);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);

    openNewGroupSelector(game, 25);
    game.session.selectedPlanet = -1;
    game.interaction.count = 7;
    const std::string before = describeGame(game);
    for (int control = 0; control < 7; ++control) {
        press(game, static_cast<SelectorControl>(control));
        EXPECT_EQ(describeGame(game), before) << "control " << control;
    }
    press(game, SelectorControl::Cancel);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
}

// ---------------------------------------------------------------------------
// Placing a split or a new group.

TEST(Placement, SplitInMovementSendsShipsFromTheSelectedGroup) {
    Game game;
    prepare(game, GamePhase::Movement, 1);
    const int id = createGroup(game.registry, 0.0f, 0.0f, 100.0f, 0.0f, 10, 1);
    game.session.selectedGroupId = id;
    game.interaction.mode = InteractionMode::PlaceSplit;
    game.interaction.count = 3;
    game.picks.hoveredSelectorControl = 2;

    placeTarget(game, 0.0f, 50.0f);

    ASSERT_EQ(countGroups(game.registry), 2);
    const Group& old = game.registry.groups[0];
    EXPECT_EQ(old.ships, 7);
    EXPECT_EQ(old.destinationX, 100.0f);
    EXPECT_EQ(old.stepsLeft, 4);
    const Group& split = game.registry.groups[1];
    EXPECT_EQ(split.ships, 3);
    EXPECT_EQ(split.owner, 1);
    EXPECT_EQ(split.x, 0.0f);
    EXPECT_EQ(split.y, 0.0f);
    EXPECT_EQ(split.destinationY, 50.0f);
    EXPECT_EQ(split.stepsLeft, 2);
    EXPECT_EQ(game.session.selectedGroupId, id);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
    EXPECT_EQ(game.picks.hoveredSelectorControl, -1);
    EXPECT_TRUE(visible(game, kSplit));    // availability was refreshed: 7 ships left
    EXPECT_TRUE(visible(game, kCombine));  // the new group stands beside it
}

TEST(Placement, NewGroupThatEmptiesThePlanetHidesCreateGroup) {
    Game game;
    prepare(game, GamePhase::Movement, 1);
    for (int count : {24, 1}) {
        placePlanet(game, 6, 200.0f, 100.0f, 1, 25);
        if (count == 1) game.planets[6].ships = 1;
        game.session.selectedPlanet = 6;
        game.buttons.buttons[kCreate].visible = true;
        game.interaction.mode = InteractionMode::PlaceNewGroup;
        game.interaction.count = count;

        placeTarget(game, 300.0f, 100.0f);

        const Group& group = game.registry.groups.back();
        EXPECT_EQ(group.ships, count);
        EXPECT_EQ(group.owner, 1);
        EXPECT_EQ(group.x, 200.0f);
        EXPECT_EQ(group.destinationX, 300.0f);
        EXPECT_EQ(group.stepsLeft, 4);
        EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
        EXPECT_TRUE(visible(game, kNextGroup));
    }
    // 25 - 24 leaves one ship and the button; sending that last ship empties it.
    EXPECT_EQ(game.planets[6].ships, 0);
    EXPECT_FALSE(visible(game, kCreate));

    placePlanet(game, 6, 200.0f, 100.0f, 1, 25);
    game.buttons.buttons[kCreate].visible = true;
    game.interaction.mode = InteractionMode::PlaceNewGroup;
    game.interaction.count = 24;
    placeTarget(game, 300.0f, 100.0f);
    EXPECT_EQ(game.planets[6].ships, 1);
    EXPECT_TRUE(visible(game, kCreate));
}

TEST(Placement, BattlePhaseSplitsTheSelectedGroupInEitherMode) {
    for (InteractionMode mode : {InteractionMode::PlaceSplit, InteractionMode::PlaceNewGroup}) {
        Game game;
        prepare(game, GamePhase::BattlePhase);
        placePlanet(game, 2, 100.0f, 100.0f, 0, 25);
        game.session.selectedPlanet = 2;
        const int id = standingGroup(game, 0.0f, 0.0f, 10, 0);
        game.session.selectedGroupId = id;
        game.interaction.mode = mode;
        game.interaction.count = 4;
        game.picks.hoveredSelectorControl = 1;

        placeTarget(game, 64.0f, 0.0f);

        ASSERT_EQ(countGroups(game.registry), 2);
        EXPECT_EQ(shipsOf(game.registry, id), 6);
        EXPECT_EQ(game.registry.groups[1].ships, 4);
        EXPECT_EQ(game.registry.groups[1].stepsLeft, 2);
        EXPECT_EQ(game.planets[2].ships, 25);
        EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
        EXPECT_EQ(game.picks.hoveredSelectorControl, -1);
        EXPECT_TRUE(visible(game, kCombine));
    }
}

TEST(Placement, NothingHappensOutsideThePlacementModes) {
    Game game;
    prepare(game, GamePhase::Movement);
    openSplitSelector(game, 10);
    const std::string before = describeGame(game);
    placeTarget(game, 50.0f, 50.0f);
    game.interaction.mode = InteractionMode::Idle;
    placeTarget(game, 50.0f, 50.0f);
    game.interaction.mode = InteractionMode::CountForSplit;
    EXPECT_EQ(describeGame(game), before);
}

TEST(Placement, CountIsBoundedAgainWhenPlaced) {
    // The group lost ships after the count was chosen: the split still leaves one.
    for (GamePhase phase : {GamePhase::Movement, GamePhase::BattlePhase}) {
        Game game;
        prepare(game, phase);
        const int id = standingGroup(game, 0.0f, 0.0f, 10, 0);
        game.session.selectedGroupId = id;
        game.interaction.mode = InteractionMode::PlaceSplit;
        game.interaction.count = 9;
        setShips(game.registry, id, 4);
        placeTarget(game, 50.0f, 0.0f);
        EXPECT_EQ(shipsOf(game.registry, id), 1);
        EXPECT_EQ(game.registry.groups.back().ships, 3);

        // A count below 1 never makes an empty group.
        setShips(game.registry, id, 4);
        game.interaction.mode = InteractionMode::PlaceSplit;
        game.interaction.count = 0;
        placeTarget(game, 50.0f, 0.0f);
        EXPECT_EQ(shipsOf(game.registry, id), 3);
        EXPECT_EQ(game.registry.groups.back().ships, 1);
    }

    Game game;
    prepare(game, GamePhase::Movement);
    placePlanet(game, 3, 100.0f, 0.0f, 0, 12);
    game.session.selectedPlanet = 3;
    game.interaction.mode = InteractionMode::PlaceNewGroup;
    game.interaction.count = 30;
    placeTarget(game, 150.0f, 0.0f);
    EXPECT_EQ(game.registry.groups.back().ships, 12);
    EXPECT_EQ(game.planets[3].ships, 0);

    game.planets[3].ships = 12;
    game.interaction.mode = InteractionMode::PlaceNewGroup;
    game.interaction.count = -5;
    placeTarget(game, 150.0f, 0.0f);
    EXPECT_EQ(game.registry.groups.back().ships, 1);
    EXPECT_EQ(game.planets[3].ships, 11);
}

TEST(Placement, AbandonedWhenNoValidCountExists) {
    struct Case {
        const char* name;
        GamePhase phase;
        InteractionMode mode;
        int groupShips;  // 0: no group selected
        bool groupRemoved;
        int planetShips;  // -1: no planet selected
    };
    const Case cases[] = {
        {"split, nothing selected", GamePhase::Movement, InteractionMode::PlaceSplit, 0, false, 5},
        {"split, group gone", GamePhase::Movement, InteractionMode::PlaceSplit, 5, true, 5},
        {"split, one ship", GamePhase::Movement, InteractionMode::PlaceSplit, 1, false, 5},
        {"new group, no planet", GamePhase::Movement, InteractionMode::PlaceNewGroup, 5, false, -1},
        {"new group, empty planet", GamePhase::Movement, InteractionMode::PlaceNewGroup, 5, false,
         0},
        {"battle split, one ship", GamePhase::BattlePhase, InteractionMode::PlaceSplit, 1, false,
         5},
        {"battle, group gone", GamePhase::BattlePhase, InteractionMode::PlaceNewGroup, 5, true, 5},
    };
    for (const Case& c : cases) {
        Game game;
        prepare(game, c.phase);
        standingGroup(game, 300.0f, 0.0f, 3, 0);  // some other group of the player
        if (c.groupShips > 0) {
            const int id = standingGroup(game, 0.0f, 0.0f, c.groupShips, 0);
            game.session.selectedGroupId = id;
            if (c.groupRemoved) removeGroup(game.registry, id);
        }
        if (c.planetShips >= 0) {
            placePlanet(game, 7, 100.0f, 0.0f, 0, c.planetShips);
            game.session.selectedPlanet = 7;
        }
        game.buttons.buttons[kCreate].visible = true;
        game.interaction.mode = c.mode;
        game.interaction.count = 3;
        game.picks.hoveredSelectorControl = -1;
        const std::string before = describeGame(game);

        placeTarget(game, 200.0f, 0.0f);

        EXPECT_EQ(game.interaction.mode, InteractionMode::Idle) << c.name;
        game.interaction.mode = c.mode;
        EXPECT_EQ(describeGame(game), before) << c.name;
    }
}

// Found by fuzzing the rules: a target that is not a finite number, or too
// far to count its steps in an int, converted a float to int out of range.
// Such a target is ignored as a whole: no group made, no ship taken.
TEST(Placement, TargetThatIsNotAFiniteNumberOrTooFarIsIgnored) {
    const float infinity = std::numeric_limits<float>::infinity();
    const float targets[][2] = {{std::numeric_limits<float>::quiet_NaN(), 0.0f},
                                {0.0f, infinity},
                                {-infinity, 0.0f},
                                {3.0e9f, 0.0f},
                                {1.0e30f, -1.0e30f}};
    for (InteractionMode mode : {InteractionMode::PlaceSplit, InteractionMode::PlaceNewGroup}) {
        Game game;
        prepare(game, GamePhase::Movement);
        placePlanet(game, 4, 100.0f, 100.0f, 0, 25);
        game.session.selectedPlanet = 4;
        const int id = standingGroup(game, 0.0f, 0.0f, 10, 0);
        game.session.selectedGroupId = id;
        game.interaction.mode = mode;
        game.interaction.count = 3;
        const std::string before = describeGame(game);
        for (const auto& target : targets) {
            placeTarget(game, target[0], target[1]);
            setDestination(game.registry, id, target[0], target[1]);
            EXPECT_EQ(describeGame(game), before)
                << static_cast<int>(mode) << " to " << target[0] << ',' << target[1];
        }
        // Far, but countable: a course of about 31,250,000 steps.
        placeTarget(game, 1.0e9f, 0.0f);
        EXPECT_EQ(countGroups(game.registry), 2);
        EXPECT_GT(game.registry.groups.back().stepsLeft, 31'000'000);
    }
}

// ---------------------------------------------------------------------------
// The commands without a second stage.

TEST(GroupCommands, SplitAndCreateGroupOpenTheSelectorAtOne) {
    Game game;
    prepare(game, GamePhase::Movement);
    game.interaction.count = 17;
    runGroupCommand(game, CommandId::SplitGroup);
    EXPECT_EQ(game.interaction.mode, InteractionMode::CountForSplit);
    EXPECT_EQ(game.interaction.count, 1);
    game.interaction.count = 17;
    runGroupCommand(game, CommandId::CreateGroup);
    EXPECT_EQ(game.interaction.mode, InteractionMode::CountForNewGroup);
    EXPECT_EQ(game.interaction.count, 1);
}

TEST(GroupCommands, GroupCyclingClosesAnOpenSelector) {
    for (CommandId id : {CommandId::NextGroup, CommandId::PreviousGroup, CommandId::NextCombatGroup,
                         CommandId::PreviousCombatGroup}) {
        Game game;
        prepare(game, GamePhase::BattlePhase);
        placePlanet(game, 0, 0.0f, 0.0f, -1, 5);
        const int onPlanet = standingGroup(game, 0.0f, 0.0f, 8, 0);
        game.interaction.mode = InteractionMode::CountForSplit;
        game.picks.hoveredSelectorControl = 4;
        runGroupCommand(game, id);
        EXPECT_EQ(game.session.selectedGroupId, onPlanet) << static_cast<int>(id);
        EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
        EXPECT_EQ(game.picks.hoveredSelectorControl, -1);
        EXPECT_TRUE(visible(game, kPlanetAction));
    }
}

TEST(GroupCommands, PlanetCyclingOffersCreateGroupOnlyWithShips) {
    Game game;
    prepare(game, GamePhase::Movement);
    placePlanet(game, 3, 100.0f, 0.0f, 0, 10);
    placePlanet(game, 9, 200.0f, 0.0f, 0, 0);
    placePlanet(game, 5, 300.0f, 0.0f, 1, 50);  // an ally's: never selected

    runGroupCommand(game, CommandId::NextPlanet);
    EXPECT_EQ(game.session.selectedPlanet, 3);
    EXPECT_TRUE(visible(game, kCreate));
    runGroupCommand(game, CommandId::NextPlanet);
    EXPECT_EQ(game.session.selectedPlanet, 9);
    EXPECT_FALSE(visible(game, kCreate));
    runGroupCommand(game, CommandId::PreviousPlanet);
    EXPECT_EQ(game.session.selectedPlanet, 3);
    EXPECT_TRUE(visible(game, kCreate));

    Game other;
    prepare(other, GamePhase::Movement, 2);
    other.buttons.buttons[kCreate].visible = true;
    runGroupCommand(other, CommandId::PreviousPlanet);
    EXPECT_EQ(other.session.selectedPlanet, -1);
    EXPECT_FALSE(visible(other, kCreate));
}

TEST(GroupCommands, CombineMergesAndRefreshesAvailability) {
    Game game;
    prepare(game, GamePhase::Movement);
    const int id = standingGroup(game, 0.0f, 0.0f, 6, 0);
    standingGroup(game, 3.0f, 4.0f, 9, 0);
    game.session.selectedGroupId = id;
    refreshAvailability(game, 0);
    ASSERT_TRUE(visible(game, kCombine));

    runGroupCommand(game, CommandId::CombineGroups);

    ASSERT_EQ(countGroups(game.registry), 1);
    EXPECT_EQ(shipsOf(game.registry, id), 15);
    EXPECT_FALSE(visible(game, kCombine));
    EXPECT_TRUE(visible(game, kSplit));
}

// ---------------------------------------------------------------------------
// Combat and donation.

TEST(AttackGroup, FillsTheBattleWithEveryShipOfBothGroups) {
    Game game;
    prepare(game, GamePhase::BattlePhase);
    const int attacker = standingGroup(game, 0.0f, 0.0f, 3, 0);
    standingGroup(game, 1.0f, 0.0f, 40, 1);                   // an ally in contact
    const int enemy = standingGroup(game, 3.0f, 4.0f, 2, 2);  // first enemy in list order
    standingGroup(game, 0.0f, 1.0f, 30, 2);                   // a second enemy
    game.session.selectedGroupId = attacker;
    refreshAvailability(game, 0);
    const std::string buttonsBefore = visibleButtons(game);

    runGroupCommand(game, CommandId::AttackGroup);

    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(game.battle.attackerCount, 3);
    EXPECT_EQ(game.battle.defenderCount, 2);
    EXPECT_EQ(game.battle.attackerColour, 1);
    EXPECT_EQ(game.battle.defenderColour, 3);
    EXPECT_EQ(game.battleSources.attackerSource, attacker);
    EXPECT_EQ(game.battleSources.defenderSource, enemy);
    EXPECT_EQ(game.session.selectedGroupId, attacker);
    EXPECT_EQ(countGroups(game.registry), 4);
    EXPECT_EQ(visibleButtons(game), buttonsBefore);
}

TEST(AttackGroup, DoesNothingWithoutAnEnemyInContact) {
    Game game;
    prepare(game, GamePhase::BattlePhase);
    const int id = standingGroup(game, 0.0f, 0.0f, 3, 0);
    standingGroup(game, 3.0f, 4.0f, 5, 1);   // an ally's group of another player
    standingGroup(game, 3.0f, 4.01f, 5, 2);  // an enemy just beyond contact
    for (int selection : {id, -1, 99}) {
        game.session.selectedGroupId = selection;
        const std::string before = describeGame(game);
        runGroupCommand(game, CommandId::AttackGroup);
        EXPECT_EQ(describeGame(game), before) << "selection " << selection;
    }
}

TEST(AttackOrDonatePlanet, DonatesToOwnAndAlliedPlanets) {
    for (int planetOwner : {0, 1}) {
        Game game;
        prepare(game, GamePhase::BattlePhase);
        placePlanet(game, 4, 100.0f, 50.0f, planetOwner, 7);
        const int id = standingGroup(game, 100.0f, 50.0f, 5, 0);
        game.session.selectedGroupId = id;
        refreshAvailability(game, 0);
        ASSERT_TRUE(visible(game, kPlanetAction));
        EXPECT_EQ(game.buttons.buttons[kPlanetAction].tooltip,
                  "Donate the selected group to the planet it is over");

        runGroupCommand(game, CommandId::AttackOrDonatePlanet);

        EXPECT_EQ(game.planets[4].ships, 12) << "owner " << planetOwner;
        EXPECT_EQ(game.planets[4].owner, planetOwner);
        EXPECT_EQ(countGroups(game.registry), 0);
        EXPECT_EQ(game.session.selectedGroupId, id);  // names no group any more
        EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
        EXPECT_EQ(game.battle.attackerCount + game.battle.defenderCount, 0);
        EXPECT_FALSE(visible(game, kPlanetAction));
        EXPECT_FALSE(visible(game, kNextGroup));
    }
}

// The battle starts with every ship of both; its end writes the outcome back.
TEST(AttackOrDonatePlanet, FightsOtherPlanetsInTheirOwnersColourOrGrey) {
    const struct {
        const char* name;
        int player, planetOwner, attackers, defenders, defenderColour;
    } fights[] = {{"a neutral planet", 1, -1, 5, 6, kNeutralColour},
                  {"an enemy planet without ships", 0, 2, 4, 0, 3}};
    for (const auto& fight : fights) {
        SCOPED_TRACE(fight.name);
        Game game;
        prepare(game, GamePhase::BattlePhase, fight.player);
        placePlanet(game, 8, 100.0f, 50.0f, fight.planetOwner, fight.defenders);
        const int id = standingGroup(game, 100.0f, 50.0f, fight.attackers, fight.player);
        game.session.selectedGroupId = id;

        runGroupCommand(game, CommandId::AttackOrDonatePlanet);

        EXPECT_EQ(game.session.phase, GamePhase::PlanetBattle);
        EXPECT_EQ(game.battle.attackerCount, fight.attackers);
        EXPECT_EQ(game.battle.defenderCount, fight.defenders);
        EXPECT_EQ(game.battle.attackerColour, fight.player + 1);
        EXPECT_EQ(game.battle.defenderColour, fight.defenderColour);
        EXPECT_EQ(game.battleSources.attackerSource, id);
        EXPECT_EQ(game.battleSources.defenderSource, 8);
        EXPECT_EQ(shipsOf(game.registry, id), fight.attackers);
        EXPECT_EQ(game.planets[8].ships, fight.defenders);
    }
}

TEST(AttackOrDonatePlanet, ActsOnlyForAnOwnGroupStandingOnAPlanet) {
    Game game;
    prepare(game, GamePhase::BattlePhase);
    placePlanet(game, 4, 100.0f, 50.0f, 0, 7);  // own: a donation if it acted
    placePlanet(game, 5, 200.0f, 50.0f, 2, 7);  // enemy: a battle if it acted
    // On its way to the planets: destination on them, position not.
    const int headingOwn = createGroup(game.registry, 100.0f, 0.0f, 100.0f, 50.0f, 5, 0);
    const int headingEnemy = createGroup(game.registry, 200.0f, 0.0f, 200.0f, 50.0f, 5, 0);
    // Passing exactly over the planets with steps still to go.
    const int passingOwn = createGroup(game.registry, 100.0f, 50.0f, 100.0f, 500.0f, 5, 0);
    const int passingEnemy = createGroup(game.registry, 200.0f, 50.0f, 200.0f, 500.0f, 5, 0);
    // Another player's group standing on them.
    const int foreignOwn = standingGroup(game, 100.0f, 50.0f, 5, 1);
    const int foreignEnemy = standingGroup(game, 200.0f, 50.0f, 5, 1);
    const int offPlanet = standingGroup(game, 150.0f, 50.0f, 5, 0);

    for (int selection : {headingOwn, headingEnemy, passingOwn, passingEnemy, foreignOwn,
                          foreignEnemy, offPlanet, -1, 99}) {
        game.session.selectedGroupId = selection;
        const std::string before = describeGame(game);
        runGroupCommand(game, CommandId::AttackOrDonatePlanet);
        EXPECT_EQ(describeGame(game), before) << "selection " << selection;
    }
}
