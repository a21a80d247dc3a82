// Turn flow, setup commands, group cycling and command availability, and
// whole games driven through the dispatcher alone.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/availability.h"
#include "game/commands.h"
#include "game/describe_game.h"
#include "game/game.h"
#include "game/game_setup.h"

namespace {

std::set<int> availableButtons(const Game& game) {
    std::set<int> ids;
    for (int i = 0; i < kButtonCount; ++i)
        if (game.buttons.buttons[i].visible) ids.insert(i);
    return ids;
}

std::set<int> groupButtons(const Game& game) {
    std::set<int> ids;
    for (int id : availableButtons(game))
        if (id <= static_cast<int>(CommandId::PreviousCombatGroup)) ids.insert(id);
    return ids;
}

Game startedGame() {
    Game game;
    initialiseGame(game);
    return game;
}

}  // namespace

TEST(Buttons, ConstructedPanelMatchesTheTable) {
    const ButtonPanel panel = constructButtonPanel();
    EXPECT_EQ(Game().picks.hoveredButton, -1);
    for (const Button& button : panel.buttons) EXPECT_FALSE(button.visible);
    EXPECT_EQ(panel.buttons[2].tooltip.size(), 84u);
    EXPECT_FLOAT_EQ(panel.buttons[3].sLeft, 0.6171875f);
    EXPECT_FLOAT_EQ(panel.buttons[3].sRight, 0.7421875f);
    EXPECT_EQ(panel.buttons[17].width, 30);
    EXPECT_EQ(panel.buttons[18].width, 21);
    EXPECT_EQ(panel.buttons[19].height, 10);
    EXPECT_EQ(panel.buttons[20].tooltip, "Decrease the number of players");
}

TEST(Buttons, PlanetButtonFacesSwitchAndRestore) {
    ButtonPanel panel = constructButtonPanel();
    const Button original = panel.buttons[3];
    setPlanetButtonDonation(panel, true);
    EXPECT_EQ(panel.buttons[3].tTop, 0.2265625f);
    EXPECT_EQ(panel.buttons[3].tBottom, 0.1015625f);
    EXPECT_EQ(panel.buttons[3].tooltip, "Donate the selected group to the planet it is over");
    setPlanetButtonDonation(panel, false);
    EXPECT_EQ(panel.buttons[3].tTop, original.tTop);
    EXPECT_EQ(panel.buttons[3].tBottom, original.tBottom);
    EXPECT_EQ(panel.buttons[3].tooltip, original.tooltip);
    EXPECT_EQ(original.tTop, 0.61328125f);
}

TEST(SetupCommands, PlayerCountWrapsAndTeamsOfRemovedSlotsReset) {
    Game game = startedGame();
    EXPECT_EQ(availableButtons(game), (std::set<int>{14, 15, 16, 19, 20}));
    GameSession& s = game.session;
    for (int i = 0; i < 6; ++i) dispatchCommand(game, CommandId::IncreasePlayers);
    ASSERT_EQ(s.playerCount, 8);
    for (int slot = 0; slot < 8; ++slot) s.teams[slot] = slot;
    dispatchCommand(game, CommandId::IncreasePlayers);
    EXPECT_EQ(s.playerCount, 2);
    EXPECT_EQ(s.teams, (Teams{0, 1, 0, 0, 0, 0, 0, 0}));

    dispatchCommand(game, CommandId::DecreasePlayers);
    EXPECT_EQ(s.playerCount, 8);
    for (int slot = 0; slot < 8; ++slot) s.teams[slot] = 7;
    for (int i = 0; i < 4; ++i) dispatchCommand(game, CommandId::DecreasePlayers);
    EXPECT_EQ(s.playerCount, 4);
    EXPECT_EQ(s.teams, (Teams{7, 7, 7, 7, 0, 0, 0, 0}));

    cycleTeam(s, 0);
    EXPECT_EQ(s.teams[0], 0);
    cycleTeam(s, 1);
    cycleTeam(s, 1);
    EXPECT_EQ(s.teams[1], 1);
    cycleTeam(s, 8);  // no such slot: nothing
    cycleTeam(s, -1);

    for (int id : {17, 18, 21, -1, 1000}) dispatchCommand(game, id);
    EXPECT_EQ(s.playerCount, 4);
    EXPECT_EQ(availableButtons(game), (std::set<int>{14, 15, 16, 19, 20}));
    dispatchCommand(game, CommandId::QuitGame);
    EXPECT_TRUE(game.quitRequested);
    EXPECT_EQ(game.exitCode, 0);
}

TEST(SetupCommands, SeatsCycleAndSlotsThatLeaveReturnToHuman) {
    Game game = startedGame();
    for (Seat next : {Seat::Computer, Seat::ComputerNormal, Seat::ComputerHard, Seat::Human}) {
        cycleSeat(game.seats, 1);
        EXPECT_EQ(game.seats[1], next);
        EXPECT_EQ(isComputerSeat(game, 1), next != Seat::Human);
    }
    cycleSeat(game.seats, 8);  // no such slot
    cycleSeat(game.seats, -1);

    for (int i = 0; i < 6; ++i) dispatchCommand(game, CommandId::IncreasePlayers);
    game.seats.fill(Seat::Computer);
    dispatchCommand(game, CommandId::DecreasePlayers);
    EXPECT_EQ(game.seats[7], Seat::Human);
    EXPECT_EQ(game.seats[6], Seat::Computer);
    dispatchCommand(game, CommandId::IncreasePlayers);
    dispatchCommand(game, CommandId::IncreasePlayers);  // 8 wraps to 2
    EXPECT_EQ(game.seats, (Seats{Seat::Computer, Seat::Computer, Seat::Human, Seat::Human,
                                 Seat::Human, Seat::Human, Seat::Human, Seat::Human}));

    // A game played and left keeps who sits where.
    dispatchCommand(game, CommandId::BeginTurn);
    returnToSetup(game);
    EXPECT_EQ(game.seats[1], Seat::Computer);
}

TEST(Cycling, NextAndPreviousWrapOverThePlayersGroups) {
    Game game = startedGame();
    game.session.playerCount = 2;
    game.session.phase = GamePhase::Movement;
    GroupRegistry& r = game.registry;
    const int g1 = createGroup(r, 0, 0, 0, 0, 1, 0);
    createGroup(r, 100, 0, 100, 0, 1, 1);
    const int g2 = createGroup(r, 200, 0, 200, 0, 1, 0);
    const int g3 = createGroup(r, 300, 0, 300, 0, 1, 0);
    int& s = game.session.selectedGroupId;
    auto after = [&](int from, void (*select)(Game&, int), int player) {
        s = from;
        select(game, player);
        return s;
    };

    EXPECT_EQ(after(-1, selectNextGroup, 0), g1);
    EXPECT_EQ(after(-1, selectPreviousGroup, 0), g1);
    EXPECT_EQ(after(g3, selectNextGroup, 0), g1);
    EXPECT_EQ(after(g3, selectPreviousGroup, 0), g2);
    EXPECT_EQ(after(g1, selectPreviousGroup, 0), g3);
    EXPECT_EQ(after(g1, selectNextGroup, 0), g2);
    EXPECT_EQ(after(99, selectNextGroup, 0), g1);      // unknown id: from the head
    EXPECT_EQ(after(99, selectPreviousGroup, 0), g3);  // unknown id: the last
    EXPECT_EQ(after(-1, selectNextGroup, 2), -1);      // a player without groups
    EXPECT_EQ(after(99, selectPreviousGroup, 2), 99);

    GroupRegistry single;
    std::swap(single, r);
    const int only = createGroup(r, 0, 0, 0, 0, 1, 0);
    EXPECT_EQ(after(only, selectNextGroup, 0), only);
    EXPECT_EQ(after(only, selectPreviousGroup, 0), only);
}

TEST(Cycling, InPositionCountsStandingOnPlanetsAndEnemyContact) {
    Game game = startedGame();
    game.session.playerCount = 2;
    game.session.teams = {0, 1};
    game.session.phase = GamePhase::BattlePhase;
    placePlanet(game, 0, 100, 100, -1, 5);
    placePlanet(game, 1, 300, 300, -1, 5);
    GroupRegistry& r = game.registry;
    createGroup(r, 0, 50, 0, 50, 5, 0);  // idle, nowhere
    const int onPlanet = createGroup(r, 100, 100, 100, 100, 5, 0);
    const int moving = createGroup(r, 100, 100, 300, 100, 5, 0);  // over the planet but moving
    const int inContact = createGroup(r, -100, 0, -100, 0, 5, 0);
    createGroup(r, -100, 3, -100, 3, 5, 1);    // the enemy it touches
    createGroup(r, 300, 300, 300, 300, 5, 1);  // enemy on a planet: not ours
    int& s = game.session.selectedGroupId;
    auto after = [&](int from, void (*select)(Game&, int), int player) {
        s = from;
        select(game, player);
        return s;
    };

    EXPECT_FALSE(isInPosition(r, game.planets, game.session.teams, *findGroup(r, moving), 0));
    EXPECT_EQ(after(-1, selectNextGroupInPosition, 0), onPlanet);
    EXPECT_EQ(after(onPlanet, selectNextGroupInPosition, 0), inContact);
    EXPECT_EQ(after(inContact, selectNextGroupInPosition, 0), onPlanet);
    EXPECT_EQ(after(onPlanet, selectPreviousGroupInPosition, 0), inContact);
    EXPECT_EQ(after(-1, selectPreviousGroupInPosition, 0), onPlanet);
    EXPECT_EQ(after(-1, selectNextGroupInPosition, 1), 4);  // player 1's group in contact
}

TEST(Availability, FollowsPhaseSelectionAndButtonThreeFaces) {
    Game game = startedGame();
    game.session.playerCount = 3;
    game.session.teams = {0, 1, 0};
    GroupRegistry& r = game.registry;
    game.session.phase = GamePhase::Movement;
    refreshAvailability(game, 0);
    EXPECT_TRUE(groupButtons(game).empty());  // no groups at all

    placePlanet(game, 0, 100, 100, 1, 5);     // enemy planet
    placePlanet(game, 1, 200, 200, 2, 5);     // ally's planet
    placePlanet(game, 2, -100, -100, -1, 5);  // neutral
    const int g = createGroup(r, 100, 100, 100, 100, 2, 0);
    createGroup(r, 102, 100, 102, 100, 9, 1);  // enemy in contact
    game.session.selectedGroupId = g;

    refreshAvailability(game, 0);
    EXPECT_EQ(groupButtons(game), (std::set<int>{0, 4, 5}));

    game.session.phase = GamePhase::BattlePhase;
    refreshAvailability(game, 0);
    EXPECT_EQ(groupButtons(game), (std::set<int>{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(game.buttons.buttons[3].tooltip,
              "Initiate combat between the selected group and the planet it is over");

    const int onAlly = createGroup(r, 200, 200, 200, 200, 1, 0);
    game.session.selectedGroupId = onAlly;
    refreshAvailability(game, 0);
    EXPECT_EQ(groupButtons(game), (std::set<int>{3, 4, 5, 6, 7}));
    EXPECT_EQ(game.buttons.buttons[3].tooltip,
              "Donate the selected group to the planet it is over");

    const int onNeutral = createGroup(r, -100, -100, -100, -100, 1, 0);
    game.session.selectedGroupId = onNeutral;
    refreshAvailability(game, 0);
    EXPECT_EQ(game.buttons.buttons[3].tTop, 0.61328125f);

    // A moving group over a planet gets no planet action; the face stays.
    setPlanetButtonDonation(game.buttons, true);
    const int passing = createGroup(r, -100, -100, 50, -100, 1, 0);
    game.session.selectedGroupId = passing;
    refreshAvailability(game, 0);
    EXPECT_FALSE(game.buttons.buttons[3].visible);
    EXPECT_EQ(game.buttons.buttons[3].tTop, 0.2265625f);

    // A friend in contact allows combining in every phase.
    const int friendly = createGroup(r, -100, -97, -100, -97, 1, 0);
    game.session.selectedGroupId = friendly;
    refreshAvailability(game, 0);
    EXPECT_TRUE(game.buttons.buttons[1].visible);

    // Only other players' groups in position: 6 and 7 stay off.
    game.session.selectedGroupId = -1;
    refreshAvailability(game, 1);
    EXPECT_EQ(groupButtons(game), (std::set<int>{4, 5, 6, 7}));
    r.groups.erase(r.groups.begin());  // player 0's group on the enemy planet
    game.planets[1].owner = -1;
    refreshAvailability(game, 2);
    EXPECT_TRUE(groupButtons(game).empty());
}

// Whole games through the dispatcher: after every command the set of
// available buttons is exactly the one the turn flow promises.
TEST(TurnFlow, WholeGamesForEveryPlayerCount) {
    for (int players = 2; players <= kMaxPlayers; ++players) {
        Game game = startedGame();
        seedRandom(game.random, 1000u + static_cast<uint32_t>(players));
        for (int i = 2; i < players; ++i) dispatchCommand(game, CommandId::IncreasePlayers);
        ASSERT_EQ(game.session.playerCount, players);
        for (int slot = 0; slot < players; ++slot)
            for (int k = 0; k < slot % 3; ++k) cycleTeam(game.session, slot);

        dispatchCommand(game, CommandId::BeginTurn);
        ASSERT_EQ(game.session.phase, GamePhase::TurnStart);
        EXPECT_EQ(game.session.currentPlayer, 0);
        EXPECT_EQ(availableButtons(game), (std::set<int>{13, 15, 16}));
        // Hand out some planets so that production can be watched.
        for (int i = 0; i < kPlanetCount; ++i)
            game.planets[i].owner = (i % 3 == 0) ? -1 : i % players;

        int expectedPlayer = 0;
        for (int turn = 0; turn < 6 * players; ++turn) {
            const int p = game.session.currentPlayer;
            ASSERT_EQ(p, expectedPlayer);
            dispatchCommand(game, CommandId::BeginTurn);
            ASSERT_EQ(game.session.phase, GamePhase::Movement);
            std::set<int> expected{11, 15};
            if (game.session.statistics.myPlanets > 0) expected.insert({9, 10});
            if (playerShips(game.registry, p) > 0) expected.insert({4, 5});
            EXPECT_EQ(availableButtons(game), expected);

            // Send the player's groups to a planet or wander a little.
            for (Group& g : game.registry.groups) {
                if (g.owner != p || g.stepsLeft != 0) continue;
                const Planet& target = game.planets[(g.id + turn) % kPlanetCount];
                setDestination(game.registry, g.id, target.x, target.y);
            }

            const Galaxy before = game.planets;
            dispatchCommand(game, CommandId::EndMovement);
            ASSERT_EQ(game.session.phase, GamePhase::BattlePhase);
            EXPECT_EQ(game.session.selectedGroupId, -1);
            EXPECT_EQ(game.session.selectedPlanet, -1);
            for (int i = 0; i < kPlanetCount; ++i) {
                const int grown = before[i].owner == p ? before[i].production : 0;
                EXPECT_EQ(game.planets[i].ships, before[i].ships + grown);
            }
            expected = {12, 15};
            if (playerShips(game.registry, p) > 0) expected.insert({4, 5});
            if (hasGroupInPosition(game.registry, game.planets, game.session.teams, p))
                expected.insert({6, 7});
            EXPECT_EQ(availableButtons(game), expected);

            dispatchCommand(game, CommandId::EndBattle);
            ASSERT_EQ(game.session.phase, GamePhase::TurnStart);
            EXPECT_EQ(availableButtons(game), (std::set<int>{13, 15, 16}));
            expectedPlayer = (expectedPlayer + 1) % players;
        }
        EXPECT_EQ(countGroups(game.registry), 2 * players);
    }
}

TEST(TurnFlow, EndBattleClosesAnySelectorAndEndMovementANewGroupOne) {
    Game game = startedGame();
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::BeginTurn);
    game.interaction.mode = InteractionMode::CountForSplit;
    dispatchCommand(game, CommandId::EndMovement);
    EXPECT_EQ(game.interaction.mode, InteractionMode::CountForSplit);  // carries into battle
    dispatchCommand(game, CommandId::EndBattle);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);

    dispatchCommand(game, CommandId::BeginTurn);
    game.interaction.mode = InteractionMode::PlaceNewGroup;
    dispatchCommand(game, CommandId::EndMovement);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
}

TEST(TurnFlow, ReturnToSetupForgetsTheGameButKeepsPlayersAndTeams) {
    Game game = startedGame();
    dispatchCommand(game, CommandId::IncreasePlayers);
    cycleTeam(game.session, 2);
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::BeginTurn);
    game.intel[1].knownOwner[3] = 2;
    game.session.selectedGroupId = 0;
    game.interaction.mode = InteractionMode::PlaceSplit;
    setPlanetButtonDonation(game.buttons, true);
    dispatchCommand(game, CommandId::EndMovement);

    returnToSetup(game);
    EXPECT_EQ(game.session.phase, GamePhase::Setup);
    EXPECT_EQ(countGroups(game.registry), 0);
    EXPECT_EQ(game.registry.nextId, 0);
    EXPECT_EQ(game.intel[1].knownOwner[3], -1);
    EXPECT_EQ(game.session.selectedGroupId, -1);
    EXPECT_EQ(game.interaction.mode, InteractionMode::Idle);
    EXPECT_EQ(game.session.statistics.myShips, 0);
    EXPECT_EQ(game.session.playerCount, 3);
    EXPECT_EQ(game.session.teams[2], 1);
    EXPECT_EQ(availableButtons(game), (std::set<int>{14, 15, 16, 19, 20}));
    EXPECT_EQ(game.buttons.buttons[3].tTop, 0.61328125f);

    dispatchCommand(game, CommandId::BeginTurn);  // a new galaxy on an empty registry
    EXPECT_EQ(countGroups(game.registry), 6);
}

// Found by fuzzing the rules with the test mode's keys: after F12 ended a game
// of three, Setup lowered the count to two while planets still belonged to
// player 2 of the old galaxy.
TEST(TurnFlow, ReturnToSetupLeftPlanetsOwnedByPlayersBeyondALoweredCount) {
    Game game = startedGame();
    dispatchCommand(game, CommandId::IncreasePlayers);
    dispatchCommand(game, CommandId::BeginTurn);
    game.planets[5].owner = 2;  // taken in a planet battle
    game.planets[5].ships = 40;

    returnToSetup(game);
    dispatchCommand(game, CommandId::DecreasePlayers);
    ASSERT_EQ(game.session.playerCount, 2);
    for (const Planet& planet : game.planets) {
        EXPECT_EQ(planet.owner, -1);
        EXPECT_EQ(planet.ships, 0);
    }
}

// Found by fuzzing the dispatcher: commands of buttons the game does not offer
// (the player count changed after Setup, the end of a battle phase that is not
// running) pushed the current player past the teams. Only offered buttons act.
TEST(Dispatch, CommandsOfHiddenButtonsChangeNothing) {
    Game game = startedGame();
    for (int i = 2; i < kMaxPlayers; ++i) dispatchCommand(game, CommandId::IncreasePlayers);
    dispatchCommand(game, CommandId::BeginTurn);
    for (int player = 0; player < 2; ++player) {
        dispatchCommand(game, CommandId::BeginTurn);
        dispatchCommand(game, CommandId::EndMovement);
        dispatchCommand(game, CommandId::EndBattle);
    }
    ASSERT_EQ(game.session.phase, GamePhase::TurnStart);
    ASSERT_EQ(game.session.currentPlayer, 2);
    const std::string before = describeGame(game);

    for (int id = 0; id < kButtonCount; ++id) {
        if (game.buttons.buttons[id].visible) continue;
        for (int press = 0; press < 8; ++press) dispatchCommand(game, id);
        EXPECT_EQ(describeGame(game), before) << "command " << id;
    }
    EXPECT_FALSE(game.quitRequested);
    dispatchCommand(game, CommandId::BeginTurn);  // an offered one still acts
    EXPECT_EQ(game.session.phase, GamePhase::Movement);
}

// Found by fuzzing the dispatcher: "End your battle phase", still visible under
// a running battle, passed the turn and left 400 ships in the battle to join
// the next one. While a battle runs no command acts.
TEST(Dispatch, EveryCommandIsRefusedWhileABattleRuns) {
    Game game = startedGame();
    seedRandom(game.random, 5);
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::EndMovement);
    game.session.teams[1] = 1;
    const int attacker = createGroup(game.registry, 500, 500, 500, 500, 200, 0);
    createGroup(game.registry, 503, 500, 503, 500, 200, 1);
    game.session.selectedGroupId = attacker;
    refreshAvailability(game, 0);
    dispatchCommand(game, CommandId::AttackGroup);
    ASSERT_EQ(game.session.phase, GamePhase::GroupBattle);
    ASSERT_TRUE(game.buttons.buttons[static_cast<int>(CommandId::EndBattle)].visible);
    const std::string before = describeGame(game);

    for (int id = 0; id < kButtonCount; ++id) {
        dispatchCommand(game, id);
        EXPECT_EQ(describeGame(game), before) << "command " << id;
    }
    EXPECT_FALSE(game.quitRequested);
}

TEST(TurnFlow, CurrentPlayerAtOrBeyondTheCountWrapsToTheFirst) {
    for (int current : {2, 3, 7}) {
        Game game = startedGame();
        dispatchCommand(game, CommandId::IncreasePlayers);
        dispatchCommand(game, CommandId::BeginTurn);
        dispatchCommand(game, CommandId::BeginTurn);
        dispatchCommand(game, CommandId::EndMovement);
        game.session.currentPlayer = current;
        dispatchCommand(game, CommandId::EndBattle);
        EXPECT_EQ(game.session.currentPlayer, 0) << "from player " << current;
    }
}
