// The game's battle against the plain reference battle (battle_oracle.h):
// filled from the same seed and stepped with the same frame times, both must
// hold the same ships, shots, counts and generator state after every frame,
// bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_oracle.h"
#include "random/random.h"

namespace {

int32_t sideValue(BattleSide side) { return static_cast<int32_t>(side); }

bool sameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

struct Mirror {
    Battle battle;
    Random random;
    oracle::Battle reference;
    oracle::Generator generator;
};

void seedBoth(Mirror& mirror, uint32_t seed) {
    seedRandom(mirror.random, seed);
    mirror.generator.state = seed;
}

void fillBoth(Mirror& mirror, int attackers, int defenders) {
    for (int i = 0; i < attackers; ++i) {
        addShip(mirror.battle, mirror.random, BattleSide::Attacker);
        oracle::addShip(mirror.reference, mirror.generator, oracle::kAttacker);
    }
    for (int i = 0; i < defenders; ++i) {
        addShip(mirror.battle, mirror.random, BattleSide::Defender);
        oracle::addShip(mirror.reference, mirror.generator, oracle::kDefender);
    }
}

// A ship at a chosen height and heading in both battles (the draws of the
// add are taken from a generator of its own).
void placeShip(Mirror& mirror, BattleSide side, float y, int32_t direction) {
    Random scratch;
    addShip(mirror.battle, scratch, side);
    mirror.battle.ships.back().y = y;
    mirror.battle.ships.back().direction = direction;
    oracle::Generator otherScratch;
    oracle::addShip(mirror.reference, otherScratch, sideValue(side));
    mirror.reference.shipTail->y = y;
    mirror.reference.shipTail->direction = direction;
}

// A shot already in flight at (x, y) in both battles.
void placeShot(Mirror& mirror, BattleSide side, float x, float y) {
    addShot(mirror.battle, side, y);
    mirror.battle.shots.back().x = x;
    oracle::addShot(mirror.reference, sideValue(side), y);
    mirror.reference.shotTail->x = x;
}

std::string describe(float value) { return std::to_string(value); }
std::string describe(int32_t value) { return std::to_string(value); }

// Empty when both battles agree, else the first difference.
std::string differences(const Mirror& mirror) {
    const Battle& battle = mirror.battle;
    const oracle::Battle& reference = mirror.reference;
    std::string out;
    if (mirror.random.state != mirror.generator.state) out += "generator state; ";
    if (battle.attackerCount != reference.attackerCount) out += "attacker count; ";
    if (battle.defenderCount != reference.defenderCount) out += "defender count; ";
    if (battle.nextShipId != reference.nextShipId) out += "next ship id; ";
    if (battle.nextShotId != reference.nextShotId) out += "next shot id; ";
    if (battle.volleyPending != reference.volleyPending) out += "volley pending; ";

    size_t index = 0;
    for (const oracle::Ship* ship = reference.shipHead.get(); ship;
         ship = ship->next.get(), ++index) {
        if (index >= battle.ships.size()) {
            out += "ship " + describe(ship->id) + " missing; ";
            break;
        }
        const BattleShip& mine = battle.ships[index];
        if (mine.id != ship->id || sideValue(mine.side) != ship->side ||
            mine.direction != ship->direction || !sameBits(mine.x, ship->x) ||
            !sameBits(mine.y, ship->y)) {
            out += "ship at " + std::to_string(index) + ": id " + describe(mine.id) + "/" +
                   describe(ship->id) + " y " + describe(mine.y) + "/" + describe(ship->y) + "; ";
            break;
        }
    }
    if (index < battle.ships.size()) out += "extra ship " + describe(battle.ships[index].id) + "; ";
    if ((reference.shipTail == nullptr) != battle.ships.empty() ||
        (reference.shipTail && reference.shipTail->id != battle.ships.back().id))
        out += "ship tail; ";

    index = 0;
    for (const oracle::Shot* shot = reference.shotHead.get(); shot;
         shot = shot->next.get(), ++index) {
        if (index >= battle.shots.size()) {
            out += "shot " + describe(shot->id) + " missing; ";
            break;
        }
        const BattleShot& mine = battle.shots[index];
        if (mine.id != shot->id || sideValue(mine.side) != shot->side ||
            !sameBits(mine.x, shot->x) || !sameBits(mine.y, shot->y)) {
            out += "shot at " + std::to_string(index) + ": id " + describe(mine.id) + "/" +
                   describe(shot->id) + " x " + describe(mine.x) + "/" + describe(shot->x) + "; ";
            break;
        }
    }
    if (index < battle.shots.size()) out += "extra shot " + describe(battle.shots[index].id) + "; ";
    return out;
}

using FrameTimes = std::function<uint32_t(int step)>;

struct RunResult {
    int steps = 0;
    bool over = false;
    int volleys = 0;
};

// Steps both battles with the same frame times until the battle is over or
// `maxSteps` frames have passed, comparing them after every frame.
RunResult stepBoth(Mirror& mirror, const FrameTimes& frameMs, int maxSteps,
                   const std::string& what) {
    RunResult result;
    while (!result.over && result.steps < maxSteps) {
        const float dt = static_cast<float>(frameMs(result.steps)) / 1000.0f;
        result.volleys += mirror.battle.volleyPending;
        const bool over = advanceBattle(mirror.battle, mirror.random, dt);
        const bool referenceOver = oracle::advance(mirror.reference, mirror.generator, dt);
        const std::string difference = differences(mirror);
        if (over != referenceOver || !difference.empty()) {
            ADD_FAILURE() << what << ", step " << result.steps << ": over " << over << "/"
                          << referenceOver << "; " << difference;
            return result;
        }
        result.over = over;
        result.steps += 1;
    }
    return result;
}

FrameTimes constantFrames(uint32_t ms) {
    return [ms](int) { return ms; };
}

// Long enough for several volleys at the given frame time, short enough for
// frames of a millisecond.
int stepBudget(uint32_t ms) {
    return ms == 0 ? 40 : std::min(6000, static_cast<int>(12000 / ms) + 200);
}

TEST(BattleAgainstReference, FillDrawsTheSameShips) {
    for (uint32_t seed : {1u, 7u, 123456789u}) {
        Mirror mirror;
        seedBoth(mirror, seed);
        fillBoth(mirror, 37, 41);
        EXPECT_EQ(differences(mirror), "") << "seed " << seed;
    }
}

TEST(BattleAgainstReference, BoundaryCountsAndFrameTimes) {
    const std::vector<std::pair<int, int>> sides = {
        {0, 0},     {0, 1},     {1, 0},     {1, 1},     {2, 1},     {1, 2},
        {2, 2},     {199, 199}, {199, 200}, {200, 199}, {200, 200}, {200, 201},
        {201, 200}, {201, 201}, {1, 201},   {201, 1},   {0, 200},   {201, 0}};
    const uint32_t frameTimes[] = {0, 1, 16, 50, 119, 121, 500};
    for (uint32_t seed : {3u, 20240611u}) {
        for (const auto& [attackers, defenders] : sides) {
            for (uint32_t ms : frameTimes) {
                Mirror mirror;
                seedBoth(mirror, seed + static_cast<uint32_t>(attackers * 1000 + defenders));
                fillBoth(mirror, attackers, defenders);
                std::ostringstream what;
                what << attackers << " against " << defenders << " at " << ms << " ms, seed "
                     << seed;
                stepBoth(mirror, constantFrames(ms), stepBudget(ms), what.str());
                if (::testing::Test::HasFailure()) return;
            }
        }
    }
}

TEST(BattleAgainstReference, RandomFrameTimesToTheEnd) {
    std::mt19937 chooser(77);
    for (int run = 0; run < 40; ++run) {
        const int attackers = std::uniform_int_distribution<int>(0, 320)(chooser);
        const int defenders = std::uniform_int_distribution<int>(0, 320)(chooser);
        // Mostly ordinary frames, now and then a stall long enough to skip the hit window.
        std::vector<uint32_t> frames(4000);
        for (uint32_t& ms : frames) {
            const int kind = std::uniform_int_distribution<int>(0, 19)(chooser);
            ms = kind == 0   ? std::uniform_int_distribution<uint32_t>(100, 700)(chooser)
                 : kind == 1 ? 0
                             : std::uniform_int_distribution<uint32_t>(1, 60)(chooser);
        }
        Mirror mirror;
        seedBoth(mirror, chooser());
        fillBoth(mirror, attackers, defenders);
        std::ostringstream what;
        what << "run " << run << ": " << attackers << " against " << defenders;
        stepBoth(
            mirror,
            [&frames](int step) { return frames[static_cast<size_t>(step) % frames.size()]; },
            static_cast<int>(frames.size()), what.str());
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(BattleAgainstReference, WholeTestBattleAtSixteenMilliseconds) {
    Mirror mirror;
    seedBoth(mirror, 20240611u);
    fillBoth(mirror, 5000, 5000);
    const RunResult result = stepBoth(mirror, constantFrames(16), 100000, "5000 against 5000");
    EXPECT_TRUE(result.over);
    EXPECT_GT(result.volleys, 10);
}

TEST(BattleAgainstReference, TestBattleVolleysAtRandomFrameTimes) {
    std::mt19937 chooser(5000);
    for (int run = 0; run < 2; ++run) {
        Mirror mirror;
        seedBoth(mirror, chooser());
        fillBoth(mirror, 5000, 5000);
        std::vector<uint32_t> frames(400);
        for (uint32_t& ms : frames) ms = std::uniform_int_distribution<uint32_t>(5, 40)(chooser);
        stepBoth(
            mirror, [&frames](int step) { return frames[static_cast<size_t>(step)]; },
            static_cast<int>(frames.size()), "5000 against 5000, run " + std::to_string(run));
    }
}

// Hand-placed heights with shots already in the hit window and a frame of
// 0 ms, so that nothing moves before the hit test.
TEST(BattleAgainstReference, ReachIsDecidedInFloatAtTheEdges) {
    const float shotYs[] = {0.0f, -0.0f, 0.5f, 17.25f, -133.0f, 1.0e7f, 3.0e-39f};
    for (float shotY : shotYs) {
        Mirror mirror;
        const float four = 4.0f;
        const float edges[] = {
            shotY + four,
            shotY - four,
            std::nextafter(shotY + four, 0.0f),
            std::nextafter(shotY - four, 0.0f),
            std::nextafter(shotY + four, std::numeric_limits<float>::infinity()),
            std::nextafter(shotY - four, -std::numeric_limits<float>::infinity()),
            shotY,
            -shotY};
        for (float y : edges) placeShip(mirror, BattleSide::Defender, y, 1);
        for (float y : edges) placeShip(mirror, BattleSide::Attacker, y, -1);
        for (int i = 0; i < 10; ++i) {
            placeShot(mirror, BattleSide::Attacker, 44.0f, shotY);
            placeShot(mirror, BattleSide::Defender, -44.0f, shotY);
        }
        mirror.battle.volleyPending = 0;
        mirror.reference.volleyPending = 0;
        stepBoth(mirror, constantFrames(0), 1, "shot at " + std::to_string(shotY));
    }
}

// Thousands of ships on few heights: runs that span whole levels of the
// search tree, and shots that find their whole run already destroyed.
TEST(BattleAgainstReference, ShipsStackedOnFewHeights) {
    std::mt19937 chooser(9);
    for (int heights : {1, 2, 5, 40}) {
        Mirror mirror;
        for (int i = 0; i < 6000; ++i) {
            const float y =
                static_cast<float>(std::uniform_int_distribution<int>(0, heights - 1)(chooser) * 3);
            placeShip(mirror, i % 3 == 0 ? BattleSide::Attacker : BattleSide::Defender, y,
                      i % 2 ? 1 : -1);
        }
        for (int i = 0; i < 5000; ++i) {
            const float y = static_cast<float>(
                std::uniform_int_distribution<int>(-2, heights * 3 + 2)(chooser));
            placeShot(mirror, i % 2 ? BattleSide::Attacker : BattleSide::Defender,
                      i % 2 ? 45.0f : -45.0f, y);
        }
        mirror.battle.volleyPending = 0;
        mirror.reference.volleyPending = 0;
        stepBoth(mirror, constantFrames(0), 1, std::to_string(heights) + " heights");
        stepBoth(mirror, constantFrames(16), 400,
                 std::to_string(heights) + " heights, fighting on");
    }
}

}  // namespace
