// The hard computer player in whole games through the program's tick: a last
// enemy group hidden far from everything, and a long game of scouting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>

#include "ai/strategic_planner.h"
#include "game/commands.h"
#include "game/game.h"
#include "play/frame_ticks.h"

namespace {

// Hard at seat 0 against a passive seat 1, each a team of its own, with the
// galaxy drawn by the first Begin and then emptied of groups for the
// scenario to set.
struct HardAgainstPassive {
    Game game;
    PlayState play;
    ComputerSeats& computers = play.computers;

    explicit HardAgainstPassive(uint32_t seed) {
        initialiseGame(game);
        game.session.teams[1] = 1;
        game.seats = {Seat::ComputerHard, Seat::Computer};
        computers.levels[1] = Level::Passive;
        game.startupSeed = seed;
        dispatchCommand(game, CommandId::BeginTurn);
        game.registry.groups.clear();
    }

    // Ticks as the program runs them, until the game ends or `turns` turns
    // have begun; `onTurn` sees the game as each turn begins. The turns played.
    int playTurns(int turns, const std::function<void(const Game&)>& onTurn = {}) {
        int begun = 0;
        uint32_t clock = 0;
        GamePhase previous = game.session.phase;
        while (game.session.phase != GamePhase::GameOver && begun < turns) {
            tickWithoutFrame(game, play, clock);
            if (game.session.phase == GamePhase::TurnStart && previous != GamePhase::TurnStart) {
                ++begun;
                if (onTurn) onTurn(game);
            }
            previous = game.session.phase;
        }
        return begun;
    }
};

}  // namespace

// The enemy's last group, one ship far out of sight of everything: the hard
// player, owning every planet, goes looking and ends the game, playing its
// turns through the seat's tick as the program does.
TEST(HardPlanner, FindsAHiddenLastEnemyGroup) {
    HardAgainstPassive scenario(5);
    Game& game = scenario.game;
    for (Planet& planet : game.planets) {
        planet.owner = 0;
        planet.ships = 40;
    }
    createGroup(game.registry, 370.0f, -275.0f, 370.0f, -275.0f, 1, 1);

    const int turns = scenario.playTurns(2 * 60);
    EXPECT_EQ(game.session.phase, GamePhase::GameOver) << "after " << turns / 2 << " rounds";
    EXPECT_EQ(game.winningTeam, 0);
}

// A long game that hard cannot win: its scouts go on sweeping from wherever
// they arrive, so no more than its few are ever out, rather than a new one
// setting out as each arrives and the arrived ones standing about for good.
TEST(HardPlanner, KeepsOnlyItsFewScoutsOutInALongGame) {
    HardAgainstPassive scenario(9);
    Game& game = scenario.game;
    for (Planet& planet : game.planets) {
        planet.owner = 1;
        planet.ships = 1'000'000;
    }
    game.planets[0].owner = 0;
    game.planets[0].ships = 100;

    std::ptrdiff_t mostScouts = 0;
    scenario.playTurns(2 * 40, [&](const Game& now) {
        const auto& groups = now.registry.groups;
        mostScouts = std::max(mostScouts,
                              std::count_if(groups.begin(), groups.end(), [](const Group& group) {
                                  return group.owner == 0 && group.ships == 1;
                              }));
    });
    EXPECT_GT(mostScouts, 0);
    EXPECT_LE(mostScouts, kHardStrategy.scouts);
}
