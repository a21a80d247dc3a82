// Battle: one real-time fight of every single ship of two sides, advanced one
// frame at a time, and written back into the groups and planets when it ends.
// The battle view (drawing) lives beside this in battle_view, outside the rules.
#pragma once

#include <cstdint>
#include <vector>

struct Game;
struct Random;

enum class BattleSide : int32_t {
    Attacker = 1,
    Defender = -1,
};

struct BattleShip {
    float x = 0.0f;
    float y = 0.0f;
    BattleSide side = BattleSide::Attacker;
    int32_t direction = 1;
    int32_t id = 0;
};

struct BattleShot {
    float x = 0.0f;
    float y = 0.0f;
    BattleSide side = BattleSide::Attacker;
    int32_t id = 0;
};

// PLACEHOLDER representation: the battle helper owns this file and may change
// the containers, keeping the designed list order, ids and counts.
struct Battle {
    std::vector<BattleShip> ships;  // list order
    int32_t nextShipId = 0;
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
    std::vector<BattleShot> shots;  // list order
    int32_t nextShotId = 0;
    int32_t attackerColour = 0;
    int32_t defenderColour = 0;
    int32_t volleyPending = 1;
    int32_t attackerSource = -1;
    int32_t defenderSource = -1;
};

// Final counts of the last battle that ended, kept for the battle test mode.
struct BattleOutcome {
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
};

void clearBattle(Battle& battle);
void addShip(Battle& battle, Random& random, BattleSide side);
void removeShip(Battle& battle, int id);
void addShot(Battle& battle, BattleSide side, float y);
void removeShot(Battle& battle, int id);

// One frame of the running battle; frameDeltaMs is the previous frame's time.
// When the battle ends, writes the outcome back, returns the phase to
// BattlePhase and empties the battle.
void battleStep(Game& game, uint32_t frameDeltaMs);
