// Working memory of the battle step's hit search. The Battle keeps it so that
// the frames in which shots can hit allocate nothing; it carries no meaning
// from one step to the next.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

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
