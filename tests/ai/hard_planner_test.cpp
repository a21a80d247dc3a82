// The hard computer player in the situations that tell it from a greedy one:
// a planet no single group can take, a planet an enemy heads for, a last
// enemy group hidden far from everything, and a long game of scouting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>

#include "ai/computer_seat.h"
#include "ai/strategic_planner.h"
#include "game/combat.h"
#include "game/commands.h"
#include "game/game.h"

namespace {

// Two players of their own teams; every planet the scenario does not use is
// the player's, empty, and far off at the galaxy's left edge.
FairView quietView(GamePhase phase) {
    FairView view;
    view.player = 0;
    view.playerCount = 2;
    view.teams = {0, 1};
    view.phase = phase;
    for (int i = 0; i < kPlanetCount; ++i)
        view.planets[i] = {-170.0f, -270.0f + 17.0f * static_cast<float>(i), 0, 10, 0};
    return view;
}

std::vector<Order> planHard(const FairView& view) {
    Random random;
    return planStrategically(kHardStrategy, view, random);
}

bool goesTo(const Order& order, float x, float y) { return order.x == x && order.y == y; }

std::string describe(const std::vector<Order>& orders) {
    std::string text;
    for (const Order& o : orders)
        text += "[kind " + std::to_string(static_cast<int>(o.kind)) + " group " +
                std::to_string(o.group) + " planet " + std::to_string(o.planet) + " count " +
                std::to_string(o.count) + " to " + std::to_string(o.x) + "," + std::to_string(o.y) +
                "] ";
    return text;
}

}  // namespace

// A group of 100 on an enemy planet thought to hold 170: it waits there while
// two planets send new groups to meet it, and fights only once the ships
// have come together.
TEST(HardPlanner, GathersBeforeAttackingAPlanetItCannotTakeAlone) {
    FairView view = quietView(GamePhase::Movement);
    view.planets[0] = {250.0f, 0.0f, 1, 10, 150};   // the enemy's, as last seen
    view.planets[1] = {250.0f, 64.0f, 0, 10, 110};  // each alone too few
    view.planets[2] = {250.0f, -64.0f, 0, 10, 110};
    view.groups.push_back({1, 0, 250.0f, 0.0f, 250.0f, 0.0f, 0, 100});

    const std::vector<Order> movement = planHard(view);
    SCOPED_TRACE(describe(movement));
    int meeting = 0;
    for (const Order& order : movement) {
        if (order.kind == OrderKind::Launch && goesTo(order, 250.0f, 0.0f)) meeting += order.count;
        if (order.group == 1) {
            EXPECT_TRUE(goesTo(order, 250.0f, 0.0f)) << "the group left";
        }
    }
    EXPECT_GE(meeting + 100, 170) << "the planets send too few to meet it";

    view.phase = GamePhase::BattlePhase;
    EXPECT_TRUE(planHard(view).empty()) << "it fought alone";

    view.groups.push_back({7, 0, 250.0f, 0.0f, 250.0f, 0.0f, 0, 140});
    const std::vector<Order> battles = planHard(view);
    EXPECT_EQ(battles,
              (std::vector<Order>{{OrderKind::Combine, 1}, {OrderKind::AttackPlanet, 1, 0}}))
        << describe(battles);
}

// An enemy group heads for a planet of 50 ships: the planet keeps every ship
// and the group nearby comes home with enough to beat a starting group, and
// joins the planet in the battle phase.
TEST(HardPlanner, DefendsAThreatenedPlanet) {
    FairView view = quietView(GamePhase::Movement);
    view.planets[0] = {250.0f, 0.0f, 0, 10, 50};
    view.planets[1] = {200.0f, -64.0f, -1, -1, -1};  // neutral, a step from the group
    view.groups.push_back({1, 0, 250.0f, -64.0f, 250.0f, -64.0f, 0, 300});
    view.groups.push_back({2, 1, 250.0f, 64.0f, 250.0f, 0.0f, 2, -1});

    const std::vector<Order> movement = planHard(view);
    SCOPED_TRACE(describe(movement));
    int home = 0;
    for (const Order& order : movement) {
        EXPECT_FALSE(order.kind == OrderKind::Launch && order.planet == 0) << "it left";
        if (order.group == 1 && goesTo(order, 250.0f, 0.0f))
            home += order.kind == OrderKind::Send ? 300 : order.count;
    }
    EXPECT_GE(home + 50 + 10, 200) << "too few come home";

    view.phase = GamePhase::BattlePhase;
    view.groups[0].x = view.groups[0].destinationX = 250.0f;
    view.groups[0].y = view.groups[0].destinationY = 0.0f;
    EXPECT_EQ(planHard(view), (std::vector<Order>{{OrderKind::Donate, 1, 0}}));
}

namespace {

// Hard at seat 0 against a passive seat 1, each a team of its own, with the
// galaxy drawn by the first Begin and then emptied of groups for the
// scenario to set.
struct HardAgainstPassive {
    Game game;
    ComputerSeats computers;

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
    int play(int turns, const std::function<void(const Game&)>& onTurn = {}) {
        int begun = 0;
        uint32_t clock = 0;
        GamePhase previous = game.session.phase;
        while (game.session.phase != GamePhase::GameOver && begun < turns) {
            stepComputerSeat(computers, game, clock);
            if (isBattlePhase(game.session.phase)) battleStep(game, 16);
            clock += 16;
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

    const int turns = scenario.play(2 * 60);
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
    scenario.play(2 * 40, [&](const Game& now) {
        const auto& groups = now.registry.groups;
        mostScouts = std::max(mostScouts,
                              std::count_if(groups.begin(), groups.end(), [](const Group& group) {
                                  return group.owner == 0 && group.ships == 1;
                              }));
    });
    EXPECT_GT(mostScouts, 0);
    EXPECT_LE(mostScouts, kHardStrategy.scouts);
}

// A group of 100 beside an enemy group it cannot beat: it is not held there
// for good, but goes to wait where the next attack sets out from.
TEST(HardPlanner, AGroupTooWeakForTheEnemyBesideItIsNotHeldThere) {
    FairView view = quietView(GamePhase::Movement);
    view.planets[0] = {150.0f, -100.0f, 0, 10, 10};
    view.planets[1] = {330.0f, -200.0f, 1, 10, 5000};  // the enemy's, as last seen
    view.groups.push_back({1, 0, 250.0f, 100.0f, 250.0f, 100.0f, 0, 100});
    view.groups.push_back({2, 1, 250.0f, 100.0f, 250.0f, 100.0f, 0, -1});

    const std::vector<Order> movement = planHard(view);
    const auto leaves = std::find_if(movement.begin(), movement.end(), [](const Order& order) {
        return order.group == 1 && order.kind == OrderKind::Send && goesTo(order, 150.0f, -100.0f);
    });
    EXPECT_NE(leaves, movement.end()) << describe(movement);
}
