// Battle: one real-time fight of every single ship of two sides, advanced one
// frame at a time. It knows nothing of groups, planets or players: the game
// fills it, runs it and decides what the surviving counts mean.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "random/random.h"

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

// Working memory of the battle step's hit search. The Battle keeps it so that
// the frames in which shots can hit allocate nothing; it carries no meaning
// from one step to the next.
struct HitSortEntry {
    uint32_t key;
    uint32_t index;
};

// Levels of the minimum tree: enough for 16^8 ships.
constexpr int kMaxHitLevels = 8;

// The hits of one side's shots in one frame. The enemy ships are sorted by y
// ("leaves"); each shot's reach is a run [first, last) of leaves, and the ship
// it destroys is the live ship of the run with the smallest list position.
// `minima` holds a tree of fan-out 16 over the leaves, level by level from
// the leaves up: each entry the smallest list position below it, a sentinel
// where no live ship is.
struct SideHits {
    std::vector<uint32_t> shots;  // the side's shots in the hit window, list order
    std::vector<uint32_t> first;  // per entry of `shots`
    std::vector<uint32_t> last;
    std::vector<float> targetY;  // ascending, then 16 infinities
    std::vector<int32_t> minima;
    std::array<size_t, kMaxHitLevels> levelStart{};
    int levels = 0;
};

struct HitSearch {
    SideHits attackerShots;
    SideHits defenderShots;
    std::vector<uint32_t> leafOfShip;  // by ship list position
    std::vector<uint8_t> shipHit;      // by ship list position
    std::vector<uint8_t> shotGone;     // by shot list position
    std::vector<HitSortEntry> entries;
    std::vector<HitSortEntry> sortScratch;
};

// Most ships one battle may hold, both sides together. Every ship costs a
// record, a shot and room in the hit search, so a battle beyond this is
// refused rather than left to run out of memory.
constexpr int64_t kBattleShipLimit = 20'000'000;

// One fight of two sides.
// In: the ships each side brings (fillBattle), the colour index each side is
// drawn in, and the most ships the battle may hold.
// Out: attackerCount and defenderCount once advanceBattle reports the end.
//
// The two lists are vectors in list order. Ships and shots are only ever
// appended with the next id, so list order is also id order, which lets a
// removal find its element by binary search. Between calls both vectors hold
// exactly the ships and shots in play: front() is the head, back() the tail.
// Clearing keeps the memory, and the limit, for the next battle.
struct Battle {
    std::vector<BattleShip> ships;
    int32_t nextShipId = 0;
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
    std::vector<BattleShot> shots;
    int32_t nextShotId = 0;
    int32_t attackerColour = 0;
    int32_t defenderColour = 0;
    int32_t volleyPending = 1;
    int64_t shipLimit = kBattleShipLimit;
    HitSearch hitSearch;
};

void clearBattle(Battle& battle);
// Draws y, then direction, from the generator.
void addShip(Battle& battle, Random& random, BattleSide side);
// Removing an id that is not in play does nothing. Linear in the list length;
// the battle step removes its casualties in bulk instead.
void removeShip(Battle& battle, int id);
void addShot(Battle& battle, BattleSide side, float y);
void removeShot(Battle& battle, int id);
// Adds every ship of both sides, attackers first, each drawing as addShip
// does. False, with nothing added and nothing drawn, when the sides together
// exceed the battle's ship limit.
bool fillBattle(Battle& battle, Random& random, int64_t attackers, int64_t defenders);

// The simulation part of one frame: drift (one draw per ship, in list order),
// the pending volley, the shot walk with its hits. Returns true when the
// battle is over: no shot in flight and a side without ships. Costs about
// ships + shots (times a logarithm in the frames where shots can hit), not
// ships times shots.
bool advanceBattle(Battle& battle, Random& random, float dt);
