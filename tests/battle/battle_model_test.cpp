// The battle's lists: filling, removal by id, clearing, and the draws taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "battle/battle.h"
#include "random/random.h"

namespace {

std::vector<int32_t> shipIds(const Battle& battle) {
    std::vector<int32_t> ids;
    for (const BattleShip& ship : battle.ships) ids.push_back(ship.id);
    return ids;
}

std::vector<int32_t> shotIds(const Battle& battle) {
    std::vector<int32_t> ids;
    for (const BattleShot& shot : battle.shots) ids.push_back(shot.id);
    return ids;
}

Battle filledBattle(int attackers, int defenders, uint32_t seed = 5) {
    Battle battle;
    Random random;
    seedRandom(random, seed);
    for (int i = 0; i < attackers; ++i) addShip(battle, random, BattleSide::Attacker);
    for (int i = 0; i < defenders; ++i) addShip(battle, random, BattleSide::Defender);
    return battle;
}

TEST(BattleModel, FillPutsAttackersFirstOnTheirLines) {
    const Battle battle = filledBattle(3, 2);
    EXPECT_EQ(shipIds(battle), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(battle.attackerCount, 3);
    EXPECT_EQ(battle.defenderCount, 2);
    EXPECT_EQ(battle.nextShipId, 5);
    for (const BattleShip& ship : battle.ships) {
        const bool attacker = ship.id < 3;
        EXPECT_EQ(ship.side, attacker ? BattleSide::Attacker : BattleSide::Defender);
        EXPECT_EQ(ship.x, attacker ? -50.0f : 50.0f);
        EXPECT_TRUE(ship.direction == 1 || ship.direction == -1);
    }
}

TEST(BattleModel, AddShipDrawsHeightThenDirection) {
    for (uint32_t seed : {1u, 2u, 99u, 4000000000u}) {
        Random random;
        seedRandom(random, seed);
        Random expected = random;
        const int heightDraw = nextRandom(expected);
        const int directionDraw = nextRandom(expected);

        Battle battle;
        addShip(battle, random, BattleSide::Defender);
        EXPECT_EQ(random.state, expected.state) << "two draws per ship";
        EXPECT_EQ(battle.ships[0].y, static_cast<float>(heightDraw % 201 - 100));
        EXPECT_EQ(battle.ships[0].direction, directionDraw % 2 == 1 ? 1 : -1);
    }
}

TEST(BattleModel, HeightsAreWholeNumbersAcrossTheStartBand) {
    const Battle battle = filledBattle(1500, 1500);
    float lowest = 1000.0f;
    float highest = -1000.0f;
    int upwards = 0;
    for (const BattleShip& ship : battle.ships) {
        EXPECT_EQ(ship.y, static_cast<float>(static_cast<int>(ship.y)));
        lowest = std::min(lowest, ship.y);
        highest = std::max(highest, ship.y);
        upwards += ship.direction == 1;
    }
    EXPECT_EQ(lowest, -100.0f);
    EXPECT_EQ(highest, 100.0f);
    EXPECT_GT(upwards, 1200);
    EXPECT_LT(upwards, 1800);
}

// Ships removed by id (each id also tried as a shot's, of which there are
// none), then, where a side is given, one ship more: it takes the next id.
TEST(BattleModel, RemovalByIdKeepsOrderCountsAndTheNextId) {
    using enum BattleSide;
    const struct {
        const char* name;
        int attackers, defenders;
        std::vector<int32_t> removed, left;
        int attackersLeft, defendersLeft;
        std::optional<BattleSide> added;
        std::vector<int32_t> afterAdding;
    } removals[] = {
        {"the tail, the next ship following its predecessor",
         2,
         1,
         {2},
         {0, 1},
         2,
         0,
         Defender,
         {0, 1, 3}},
        {"the only ship, emptying the list", 1, 0, {0}, {}, 0, 0, Attacker, {1}},
        {"from the middle", 3, 3, {1, 4, 0}, {2, 3, 5}, 1, 2, std::nullopt, {}},
        {"an absent id from an empty battle", 0, 0, {0}, {}, 0, 0, std::nullopt, {}},
        {"absent ids", 2, 2, {1, 1, 17, -1}, {0, 2, 3}, 1, 2, std::nullopt, {}},
    };
    for (const auto& removal : removals) {
        SCOPED_TRACE(removal.name);
        Battle battle = filledBattle(removal.attackers, removal.defenders);
        for (int32_t id : removal.removed) {
            removeShip(battle, id);
            removeShot(battle, id);
        }
        EXPECT_EQ(shipIds(battle), removal.left);
        EXPECT_EQ(battle.attackerCount, removal.attackersLeft);
        EXPECT_EQ(battle.defenderCount, removal.defendersLeft);
        if (!removal.added) continue;
        Random random;
        addShip(battle, random, *removal.added);
        EXPECT_EQ(shipIds(battle), removal.afterAdding);
        EXPECT_EQ(battle.attackerCount + battle.defenderCount,
                  removal.attackersLeft + removal.defendersLeft + 1);
    }
}

TEST(BattleModel, ShotsStartAtTheirLineAndKeepFiringOrder) {
    Battle battle;
    addShot(battle, BattleSide::Attacker, 12.5f);
    addShot(battle, BattleSide::Defender, -3.0f);
    addShot(battle, BattleSide::Attacker, 0.0f);
    EXPECT_EQ(battle.shots[0].x, -43.0f);
    EXPECT_EQ(battle.shots[0].y, 12.5f);
    EXPECT_EQ(battle.shots[1].x, 43.0f);
    EXPECT_EQ(battle.shots[1].side, BattleSide::Defender);
    removeShot(battle, 2);
    removeShot(battle, 0);
    addShot(battle, BattleSide::Defender, 1.0f);
    EXPECT_EQ(shotIds(battle), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(battle.nextShotId, 4);
}

TEST(BattleModel, ClearingRestoresTheEmptyBattle) {
    Battle battle = filledBattle(4, 4);
    addShot(battle, BattleSide::Attacker, 1.0f);
    battle.volleyPending = 0;
    battle.attackerColour = 3;
    battle.defenderColour = 15;
    clearBattle(battle);
    clearBattle(battle);  // twice is harmless

    EXPECT_TRUE(battle.ships.empty());
    EXPECT_TRUE(battle.shots.empty());
    EXPECT_EQ(battle.attackerCount, 0);
    EXPECT_EQ(battle.defenderCount, 0);
    EXPECT_EQ(battle.volleyPending, 1);
    EXPECT_EQ(battle.attackerColour, 0);
    EXPECT_EQ(battle.defenderColour, 0);

    Random random;
    addShip(battle, random, BattleSide::Defender);
    addShot(battle, BattleSide::Defender, 0.0f);
    EXPECT_EQ(shipIds(battle), (std::vector<int32_t>{0}));
    EXPECT_EQ(shotIds(battle), (std::vector<int32_t>{0}));
}

}  // namespace
