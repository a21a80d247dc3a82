// Fair by construction: two games that differ only in what the computer's
// team cannot see (an enemy group out of sight, the ships of an enemy group in
// sight, the true owner and ships of a planet the team never saw) must get
// the same orders from it, in the plans and in the turn it plays.
#include "ai/fair_view.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "ai/computer_seat.h"
#include "ai/easy_planner.h"
#include "game/commands.h"
#include "game/game.h"

namespace {

constexpr int kComputer = 1;
constexpr int kOwnPlanet = 0;
constexpr int kUnseenPlanet = 2;

// The computer (player 2) on its turn screen against player 1. Its groups
// G1 at (0, 0), in contact with an enemy group, and G2 at (200, 0); an enemy
// group out of sight 60 units from G2 in `first` only; the unseen planet 70
// units from G2, player 1's with 500 ships in `first`, neutral with 5 else.
Game gameOnTheComputersTurn(bool first) {
    Game game;
    initialiseGame(game);
    game.session.teams = {0, 1};
    game.seats[kComputer] = Seat::Computer;
    dispatchCommand(game, CommandId::BeginTurn);
    clearGroups(game.registry);
    for (int i = 0; i < kPlanetCount; ++i) {
        Planet& planet = game.planets[i];
        planet.x = 100.0f * static_cast<float>(i % 8);
        planet.y = 2000.0f + 100.0f * static_cast<float>(i / 8);
        planet.owner = -1;
        planet.ships = 10;
        planet.production = 15;
    }
    game.planets[kOwnPlanet] = Planet{0.0f, 100.0f, 20, 100, kComputer};
    game.planets[kUnseenPlanet] = Planet{200.0f, -70.0f, 25, first ? 500 : 5, first ? 0 : -1};
    game.intel = {};
    game.intel[kComputer].knownOwner[kOwnPlanet] = kComputer;
    createGroup(game.registry, 0, 0, 0, 0, 400, kComputer);
    createGroup(game.registry, 200, 0, 200, 0, 400, kComputer);
    createGroup(game.registry, 3, 0, 3, 0, first ? 50 : 400, 0);
    createGroup(game.registry, 600, 600, 600, 600, 30, 0);  // keeps player 1 in the game
    if (first) createGroup(game.registry, 200, 60, 200, 60, 20, 0);
    game.session.currentPlayer = kComputer;
    return game;
}

// The player's groups: where each stands, where it goes and with how many.
std::vector<std::array<float, 5>> groupsOf(const Game& game, int player) {
    std::vector<std::array<float, 5>> groups;
    for (const Group& group : game.registry.groups)
        if (group.owner == player)
            groups.push_back({group.x, group.y, group.destinationX, group.destinationY,
                              static_cast<float>(group.ships)});
    return groups;
}

}  // namespace

TEST(FairView, WhatTheTeamCannotSeeChangesNoOrder) {
    Game first = gameOnTheComputersTurn(true);
    Game second = gameOnTheComputersTurn(false);
    for (GamePhase phase : {GamePhase::Movement, GamePhase::BattlePhase}) {
        SCOPED_TRACE(static_cast<int>(phase));
        first.session.phase = phase;
        second.session.phase = phase;
        const FairView firstView = buildFairView(first);
        const FairView secondView = buildFairView(second);
        EXPECT_TRUE(firstView == secondView);
        Random firstRandom;
        Random secondRandom;
        const bool movement = phase == GamePhase::Movement;
        const std::vector<Order> firstOrders =
            movement ? planMovement(firstView, firstRandom) : planBattles(firstView, firstRandom);
        const std::vector<Order> secondOrders = movement ? planMovement(secondView, secondRandom)
                                                         : planBattles(secondView, secondRandom);
        EXPECT_FALSE(firstOrders.empty());
        EXPECT_EQ(firstOrders, secondOrders);
    }

    // And the movement phase as the computer plays it, a tick at a time.
    first = gameOnTheComputersTurn(true);
    second = gameOnTheComputersTurn(false);
    ComputerSeats firstSeats;
    ComputerSeats secondSeats;
    for (uint32_t clock = 0; first.session.phase != GamePhase::BattlePhase && clock < 60000;
         clock += 16) {
        stepComputerSeat(firstSeats, first, clock,
                         [&](const PlayerCommand& command) { applyCommand(first, command); });
        stepComputerSeat(secondSeats, second, clock,
                         [&](const PlayerCommand& command) { applyCommand(second, command); });
    }
    ASSERT_EQ(first.session.phase, GamePhase::BattlePhase);
    EXPECT_EQ(second.session.phase, GamePhase::BattlePhase);
    EXPECT_GT(groupsOf(first, kComputer).size(), 2u) << "it split or sent out new groups";
    EXPECT_EQ(groupsOf(first, kComputer), groupsOf(second, kComputer));
    EXPECT_EQ(first.planets[kOwnPlanet].ships, second.planets[kOwnPlanet].ships);
}
