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
