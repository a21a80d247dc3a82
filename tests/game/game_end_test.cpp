// The end of a game: the last team standing wins after the battle that leaves
// it alone, a battle that leaves nobody ends it with no winner, players with
// nothing are passed over, and a loaded game is checked like any other.
#include <gtest/gtest.h>

#include <set>

#include "data_folder.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/save_file.h"

namespace {

constexpr uint32_t kFrameMs = 16;

std::set<int> availableButtons(const Game& game) {
    std::set<int> ids;
    for (int i = 0; i < kButtonCount; ++i)
        if (game.buttons.buttons[i].visible) ids.insert(i);
    return ids;
}

// Players in the given teams on player 0's battle phase, with no groups and
// every planet empty and neutral, in a row along y = 500.
Game battlePhase(const Teams& teams, int players) {
    Game game;
    initialiseGame(game);
    seedRandom(game.random, 77);
    game.session.playerCount = players;
    game.session.teams = teams;
    dispatchCommand(game, CommandId::BeginTurn);
    clearGroups(game.registry);
    for (int i = 0; i < kPlanetCount; ++i) {
        game.planets[i].x = 100.0f * static_cast<float>(i);
        game.planets[i].y = 500.0f;
        game.planets[i].owner = -1;
        game.planets[i].ships = 0;
    }
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::EndMovement);
    EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
    return game;
}

void fight(Game& game, int attacker, int defender, bool lineUp = false) {
    ASSERT_TRUE(startGroupBattle(game, attacker, defender));
    if (lineUp)  // every shot meets the first enemy: one volley destroys both
        for (BattleShip& ship : game.battle.ships) ship.y = 0.0f;
    for (int step = 0; step < 100000 && isBattlePhase(game.session.phase); ++step)
        battleStep(game, kFrameMs);
}

}  // namespace

TEST(GameEnd, LastTeamStandingWinsAndTheEndScreenLeadsBackToSetup) {
    Game game = battlePhase({0, 1, 0}, 3);
    const int strong = createGroup(game.registry, 0, 0, 0, 0, 60, 0);
    const int weak = createGroup(game.registry, 3, 0, 3, 0, 2, 1);
    createGroup(game.registry, 300, 0, 300, 0, 5, 2);  // player 2 is player 0's ally

    fight(game, strong, weak);

    EXPECT_EQ(game.session.phase, GamePhase::GameOver);
    EXPECT_EQ(game.winningTeam, 0);
    EXPECT_EQ(availableButtons(game), (std::set<int>{15, 21}));
    EXPECT_EQ(game.buttons.buttons[21].tooltip, "Return to the Setup screen for a new game");

    dispatchCommand(game, CommandId::NewGame);
    EXPECT_EQ(game.session.phase, GamePhase::Setup);
    EXPECT_EQ(game.winningTeam, -1);
    EXPECT_EQ(availableButtons(game), (std::set<int>{14, 15, 16, 19, 20}));
    EXPECT_EQ(game.session.teams[1], 1);
}

TEST(GameEnd, BattleThatLeavesNobodyEndsTheGameWithoutAWinner) {
    Game game = battlePhase({0, 1}, 2);
    const int attacker = createGroup(game.registry, 0, 0, 0, 0, 1, 0);
    const int defender = createGroup(game.registry, 3, 0, 3, 0, 1, 1);

    fight(game, attacker, defender, true);

    ASSERT_TRUE(game.registry.groups.empty());
    EXPECT_EQ(game.session.phase, GamePhase::GameOver);
    EXPECT_EQ(game.winningTeam, -1);
}

TEST(GameEnd, OneTeamFromTheStartIsNeverWonButPassesOverPlayersWithNothing) {
    Game game = battlePhase({0, 0, 0}, 3);
    const int mine = createGroup(game.registry, 700, 500, 700, 500, 5, 0);
    game.planets[4].owner = 2;
    // Player 0 takes a neutral planet with its only group: allies alone are left.
    game.planets[7].ships = 1;
    ASSERT_TRUE(startPlanetBattle(game, mine, 7));
    for (int step = 0; step < 100000 && isBattlePhase(game.session.phase); ++step)
        battleStep(game, kFrameMs);
    ASSERT_EQ(game.planets[7].owner, 0);
    EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);

    dispatchCommand(game, CommandId::EndBattle);  // player 1 owns nothing
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(game.session.currentPlayer, 2);
    for (int turn = 0; turn < 2; ++turn) {
        dispatchCommand(game, CommandId::BeginTurn);
        dispatchCommand(game, CommandId::EndMovement);
        dispatchCommand(game, CommandId::EndBattle);
    }
    EXPECT_EQ(game.session.currentPlayer, 2);  // 2, 0 and 2 again
}

TEST(GameEnd, TeamsApartPassOverAnEliminatedPlayerUntilOneTeamIsLeft) {
    Game game = battlePhase({0, 1, 1, 2}, 4);
    createGroup(game.registry, 0, 0, 0, 0, 50, 0);
    const int third = createGroup(game.registry, 200, 0, 200, 0, 5, 2);
    game.planets[9].owner = 3;

    dispatchCommand(game, CommandId::EndBattle);
    EXPECT_EQ(game.session.currentPlayer, 2) << "player 1 owns nothing";
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::EndMovement);
    dispatchCommand(game, CommandId::EndBattle);
    EXPECT_EQ(game.session.currentPlayer, 3);
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);

    // Once only team 0 owns anything, the passing of the turn ends the game.
    removeGroup(game.registry, third);
    game.planets[9].owner = -1;
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::EndMovement);
    dispatchCommand(game, CommandId::EndBattle);
    EXPECT_EQ(game.session.phase, GamePhase::GameOver);
    EXPECT_EQ(game.winningTeam, 0);
}

TEST(GameEnd, LoadedGameIsCheckedAndStartsWithAPlayerWhoCanAct) {
    DataFolder folder;
    Game saved = battlePhase({0, 1, 0}, 3);
    createGroup(saved.registry, 0, 0, 0, 0, 5, 0);
    createGroup(saved.registry, 9, 0, 9, 0, 5, 1);
    dispatchCommand(saved, CommandId::EndBattle);
    ASSERT_EQ(saved.session.currentPlayer, 1);
    saved.session.currentPlayer = 2;  // a turn of a player who has nothing
    ASSERT_TRUE(saveGame(saved));

    Game loaded;
    initialiseGame(loaded);
    loaded.seats[1] = Seat::Computer;  // as Setup shows it, never as saved
    ASSERT_TRUE(loadGame(loaded));
    EXPECT_EQ(loaded.seats[1], Seat::Computer);
    EXPECT_EQ(loaded.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(loaded.session.currentPlayer, 0);

    removeGroup(saved.registry, 1);  // player 1's only group: team 0 has won
    ASSERT_TRUE(saveGame(saved));
    Game decided;
    initialiseGame(decided);
    ASSERT_TRUE(loadGame(decided));
    EXPECT_EQ(decided.session.phase, GamePhase::GameOver);
    EXPECT_EQ(decided.winningTeam, 0);
}
