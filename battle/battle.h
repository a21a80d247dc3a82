// Battle: one real-time fight of every single ship of two sides, advanced one
// frame at a time, and written back into the groups and planets when it ends.
// The battle view (drawing) lives beside this in battle_view, outside the rules.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
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

// The two lists are vectors in list order. Ships and shots are only ever
// appended with the next id, so list order is also id order, which lets a
// removal find its element by binary search. Between calls both vectors hold
// exactly the ships and shots in play: front() is the head, back() the tail.
// Clearing keeps the memory for the next battle.
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
    int32_t attackerSource = -1;
    int32_t defenderSource = -1;
    HitSearch hitSearch;
};

// Final counts of the last battle that ended, kept for the battle test mode.
struct BattleOutcome {
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
};

void clearBattle(Battle& battle);
// Draws y, then direction, from the generator.
void addShip(Battle& battle, Random& random, BattleSide side);
// Removing an id that is not in play does nothing. Linear in the list length;
// the battle step removes its casualties in bulk instead.
void removeShip(Battle& battle, int id);
void addShot(Battle& battle, BattleSide side, float y);
void removeShot(Battle& battle, int id);

// The simulation part of one frame: drift (one draw per ship, in list order),
// the pending volley, the shot walk with its hits. Returns true when the
// battle is over: no shot in flight and a side without ships. Costs about
// ships + shots (times a logarithm in the frames where shots can hit), not
// ships times shots.
bool advanceBattle(Battle& battle, Random& random, float dt);

// One frame of the running battle; frameDeltaMs is the previous frame's time.
// When the battle ends, writes the outcome back, returns the phase to
// BattlePhase and empties the battle. Does nothing outside the two battle
// phases.
void battleStep(Game& game, uint32_t frameDeltaMs);

// ---------------------------------------------------------------------------
// Battle test mode: F2 starts one 5000-against-5000 battle after another,
// each logged to Data/output.txt with its result and wall-clock time; F12
// stops it and returns the program to the Setup screen. Runs once per tick,
// before the clicks, on the same Battle and phase as a game's battles.

struct LogFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using LogFile = std::unique_ptr<std::FILE, LogFileCloser>;

struct TestHarness {
    bool running = false;
    LogFile log;                // none when Data/output.txt could not be opened
    uint32_t battleNumber = 1;  // above 1: a battle was started and is not yet logged
    uint32_t totalTime = 0;     // ms of all logged battles
    int32_t side1Wins = 0;
    int32_t side2Wins = 0;
    uint32_t startTime = 0;
    uint32_t endTime = 0;
    int32_t side1Ships = 0;
    int32_t side2Ships = 0;
};

// One tick of the test mode. The key tables are the input's keys down and
// their edge latches by virtual-key code; clock is the millisecond clock now.
void runHarness(TestHarness& harness, Game& game, const std::array<bool, 256>& keyDown,
                std::array<bool, 256>& keyLatch, uint32_t clock);
