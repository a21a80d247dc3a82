// The simulation step on its own: the drift of the ships within their band,
// and shots that a long frame carries past the hit window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "battle/battle.h"
#include "random/random.h"

namespace {

// Every ship starts on the middle of the line. With at most two ships a side
// each stays within 2.5 of it, so every shot finds the first enemy ship in
// the list: the outcome of the volley is known in advance.
void lineUpOnTheMiddle(Battle& battle) {
    for (BattleShip& ship : battle.ships) ship.y = 0.0f;
}

TEST(BattleStep, AShipDriftsWithinTheBandOfItsOwnSideCount) {
    struct Case {
        int ships;
        float limit;
    };
    for (const Case& c : {Case{1, 1.0f}, Case{150, 150.0f}, Case{260, 200.0f}}) {
        Battle battle;
        Random random;
        seedRandom(random, 11);
        for (int i = 0; i < c.ships; ++i) addShip(battle, random, BattleSide::Attacker);
        for (BattleShip& ship : battle.ships) ship.y = 0.0f;
        const float dt = 0.016f;
        const float overshoot = dt * 30.0f;
        float lowest = 0.0f;
        float highest = 0.0f;
        // The battle is over after its first volley; the ships keep drifting.
        for (int step = 0; step < 3000; ++step) {
            advanceBattle(battle, random, dt);
            for (const BattleShip& ship : battle.ships) {
                ASSERT_LE(std::abs(ship.y), c.limit + overshoot)
                    << c.ships << " ships, step " << step;
                lowest = std::min(lowest, ship.y);
                highest = std::max(highest, ship.y);
            }
        }
        EXPECT_GT(highest, c.limit - overshoot) << c.ships << " ships reach the top of their band";
        EXPECT_LT(lowest, -c.limit + overshoot)
            << c.ships << " ships reach the bottom of their band";
    }
}

TEST(BattleStep, ShotsOfHalfSecondFramesSkipTheHitWindow) {
    Battle battle;
    Random random;
    addShip(battle, random, BattleSide::Attacker);
    addShip(battle, random, BattleSide::Defender);
    lineUpOnTheMiddle(battle);
    int volleys = 0;
    for (int step = 0; step < 100; ++step) {
        volleys += battle.volleyPending;
        EXPECT_FALSE(advanceBattle(battle, random, 0.5f));
    }
    EXPECT_GT(volleys, 15);
    EXPECT_EQ(battle.attackerCount, 1);
    EXPECT_EQ(battle.defenderCount, 1);
}

}  // namespace
