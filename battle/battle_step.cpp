// Battle step: one frame of the fight (drift, volley, shots and hits), and
// whether the fight is over.
//
// The hit rule is "the first enemy ship in list order whose y is within 4 of
// the shot". Asked literally for every shot against the whole list, the test
// battle of 5000 against 5000 needs about 10^8 comparisons per frame. Ships do
// not move while the shots walk, so in a frame where some shot can hit, each
// side's ships are sorted by y once; for a fixed shot y the ships within reach
// form one run of that order (float subtraction is monotone), and a tree of
// minimum list positions over the run answers the rule exactly, casualties
// included. Hits are collected and the ship list compacted once per frame.
#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <utility>

#include "battle/battle.h"
#include "random/random.h"

namespace {

constexpr int kDriftSpeeds = 31;  // 0..30 units per second
constexpr int32_t kBandLimit = 200;
constexpr float kShotSpeed = 50.0f;
constexpr float kHitWindowStart = 43.0f;
constexpr float kOutOfPlay = 49.0f;
constexpr float kHitDistance = 4.0f;
constexpr int32_t kNoShip = std::numeric_limits<int32_t>::max();

float bandLimit(int32_t shipCount) { return static_cast<float>(std::min(shipCount, kBandLimit)); }

bool isAttacker(BattleSide side) { return side == BattleSide::Attacker; }

// Every ship drifts with its own draw, in list order; with a volley pending
// each fires from where it now stands.
void driftShips(Battle& battle, Random& random, float dt) {
    const float attackerLimit = bandLimit(battle.attackerCount);
    const float defenderLimit = bandLimit(battle.defenderCount);
    const bool volley = battle.volleyPending == 1;
    if (volley) battle.shots.reserve(battle.shots.size() + battle.ships.size());
    for (BattleShip& ship : battle.ships) {
        const float limit = isAttacker(ship.side) ? attackerLimit : defenderLimit;
        const float speed = static_cast<float>(nextRandom(random) % kDriftSpeeds);
        if (ship.direction == 1) {
            ship.y = ship.y + dt * speed;
            if (ship.y >= limit) ship.direction = -1;
        } else {
            ship.y = ship.y - dt * speed;
            if (ship.y <= -limit) ship.direction = 1;
        }
        if (volley) addShot(battle, ship.side, ship.y);
    }
}

// Sort key with the order of the float values (-0 just before +0, which the
// reach test treats alike).
uint32_t orderedKey(float y) {
    const uint32_t bits = std::bit_cast<uint32_t>(y);
    return (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
}

// Least-significant-digit radix sort, three passes of 11 bits: thousands of
// heights are sorted in a few linear passes, without the mispredicted
// branches of a comparison sort.
void sortByKey(std::vector<HitSortEntry>& entries, std::vector<HitSortEntry>& scratch) {
    constexpr int kDigitBits = 11;
    constexpr int kPasses = 3;
    constexpr uint32_t kDigitMask = (1u << kDigitBits) - 1;
    std::array<std::array<uint32_t, kDigitMask + 1>, kPasses> starts{};
    for (const HitSortEntry& entry : entries)
        for (int pass = 0; pass < kPasses; ++pass)
            starts[pass][(entry.key >> (pass * kDigitBits)) & kDigitMask] += 1;
    scratch.resize(entries.size());
    for (int pass = 0; pass < kPasses; ++pass) {
        uint32_t start = 0;
        for (uint32_t& bucket : starts[pass]) start += std::exchange(bucket, start);
        for (const HitSortEntry& entry : entries)
            scratch[starts[pass][(entry.key >> (pass * kDigitBits)) & kDigitMask]++] = entry;
        entries.swap(scratch);
    }
}

// The searches below work on groups of 16 neighbours with fixed-length loops
// free of branches, which the compiler turns into vector code.
constexpr size_t kLanes = 16;

size_t roundUpToLanes(size_t count) {
    return std::max<size_t>((count + kLanes - 1) / kLanes, 1) * kLanes;
}

// Smallest of lanes[from..to); list positions are never negative, so or-ing
// kNoShip into a lane outside the range turns it into kNoShip.
[[gnu::always_inline]] inline int32_t laneMinimum(const int32_t* lanes, int32_t from, int32_t to) {
    int32_t best = kNoShip;
    for (int32_t lane = 0; lane < static_cast<int32_t>(kLanes); ++lane) {
        const int32_t outside = -static_cast<int32_t>((lane < from) | (lane >= to));
        best = std::min(best, lanes[lane] | (outside & kNoShip));
    }
    return best;
}

// First index at or after `from` whose y fails `before`, which holds for a
// prefix of the ascending heights; the infinities at the end always fail it.
template <typename Before>
size_t skipWhile(const std::vector<float>& sortedY, size_t from, Before before) {
    for (;;) {
        uint32_t passed = 0;
        for (size_t lane = 0; lane < kLanes; ++lane)
            passed += before(sortedY[from + lane]) ? 1u : 0u;
        from += passed;
        if (passed < kLanes) return from;
    }
}

void indexTargets(SideHits& hits, HitSearch& search, const Battle& battle, BattleSide target) {
    std::vector<HitSortEntry>& entries = search.entries;
    entries.clear();
    for (size_t i = 0; i < battle.ships.size(); ++i)
        if (battle.ships[i].side == target)
            entries.push_back({orderedKey(battle.ships[i].y), static_cast<uint32_t>(i)});
    sortByKey(entries, search.sortScratch);

    const size_t count = entries.size();
    hits.targetY.resize(count);
    hits.targetY.insert(hits.targetY.end(), kLanes, std::numeric_limits<float>::infinity());

    std::array<size_t, kMaxHitLevels> levelSize{};
    levelSize[0] = roundUpToLanes(count);
    hits.levelStart[0] = 0;
    hits.levels = 1;
    while (levelSize[hits.levels - 1] > kLanes) {
        const int level = hits.levels++;
        levelSize[level] = roundUpToLanes(levelSize[level - 1] / kLanes);
        hits.levelStart[level] = hits.levelStart[level - 1] + levelSize[level - 1];
    }
    const int top = hits.levels - 1;
    hits.minima.assign(hits.levelStart[top] + levelSize[top], kNoShip);

    for (size_t leaf = 0; leaf < count; ++leaf) {
        const uint32_t position = entries[leaf].index;
        hits.targetY[leaf] = battle.ships[position].y;
        hits.minima[leaf] = static_cast<int32_t>(position);
        search.leafOfShip[position] = static_cast<uint32_t>(leaf);
    }
    for (int level = 1; level < hits.levels; ++level) {
        const int32_t* below = hits.minima.data() + hits.levelStart[level - 1];
        int32_t* above = hits.minima.data() + hits.levelStart[level];
        for (size_t block = 0; block < levelSize[level - 1] / kLanes; ++block)
            above[block] = laneMinimum(below + block * kLanes, 0, kLanes);
    }
}

// Reach is |ship y - shot y| < 4 evaluated in float, that is
// -4 < ship y - shot y < 4. Float subtraction is monotone, so as the shot
// rises both ends of its run move up: one sweep over the shots in order of
// height finds every run.
void findReaches(SideHits& hits, HitSearch& search, const Battle& battle) {
    std::vector<HitSortEntry>& entries = search.entries;
    entries.clear();
    for (size_t k = 0; k < hits.shots.size(); ++k)
        entries.push_back({orderedKey(battle.shots[hits.shots[k]].y), static_cast<uint32_t>(k)});
    sortByKey(entries, search.sortScratch);

    hits.first.resize(hits.shots.size());
    hits.last.resize(hits.shots.size());
    size_t first = 0;
    size_t last = 0;
    for (const HitSortEntry& entry : entries) {
        const float shotY = battle.shots[hits.shots[entry.index]].y;
        first =
            skipWhile(hits.targetY, first, [shotY](float y) { return y - shotY <= -kHitDistance; });
        last = skipWhile(hits.targetY, std::max(last, first),
                         [shotY](float y) { return y - shotY < kHitDistance; });
        hits.first[entry.index] = static_cast<uint32_t>(first);
        hits.last[entry.index] = static_cast<uint32_t>(last);
    }
}

// Smallest live list position among the leaves [first, last): the partial
// blocks at both ends on each level, the whole blocks between them one level
// up.
int32_t firstShipInRun(const SideHits& hits, size_t first, size_t last) {
    int32_t best = kNoShip;
    for (int level = 0;; ++level) {
        const int32_t* lanes = hits.minima.data() + hits.levelStart[level];
        const size_t firstBlock = first / kLanes;
        const size_t lastBlock = (last - 1) / kLanes;
        const auto from = static_cast<int32_t>(first % kLanes);
        const auto to = static_cast<int32_t>((last - 1) % kLanes + 1);
        if (firstBlock == lastBlock)
            return std::min(best, laneMinimum(lanes + firstBlock * kLanes, from, to));
        best = std::min(best, laneMinimum(lanes + firstBlock * kLanes, from, kLanes));
        best = std::min(best, laneMinimum(lanes + lastBlock * kLanes, 0, to));
        first = firstBlock + 1;
        last = lastBlock;
        if (first >= last) return best;
    }
}

void retireLeaf(SideHits& hits, size_t leaf) {
    int32_t* minima = hits.minima.data();
    const int32_t position = minima[leaf];
    minima[leaf] = kNoShip;
    size_t index = leaf;
    for (int level = 1; level < hits.levels; ++level) {
        const size_t block = index / kLanes;
        int32_t& blockMinimum = minima[hits.levelStart[level] + block];
        // A block whose minimum is another ship keeps it, and so do the levels above.
        if (blockMinimum != position) return;
        blockMinimum = laneMinimum(minima + hits.levelStart[level - 1] + block * kLanes, 0, kLanes);
        index = block;
    }
}

// A side's shots only ever hit the other side's ships, so each side's shots
// are resolved on their own, in list order among themselves.
void resolveHits(SideHits& hits, HitSearch& search, Battle& battle, BattleSide target) {
    if (hits.shots.empty()) return;
    indexTargets(hits, search, battle, target);
    findReaches(hits, search, battle);
    int32_t& targetCount = isAttacker(target) ? battle.attackerCount : battle.defenderCount;
    for (size_t k = 0; k < hits.shots.size(); ++k) {
        if (hits.first[k] >= hits.last[k]) continue;
        const int32_t position = firstShipInRun(hits, hits.first[k], hits.last[k]);
        if (position == kNoShip) continue;
        retireLeaf(hits, search.leafOfShip[static_cast<size_t>(position)]);
        search.shipHit[static_cast<size_t>(position)] = 1;
        search.shotGone[hits.shots[k]] = 1;
        targetCount -= 1;
    }
}

template <typename Element>
void removeMarked(std::vector<Element>& list, const std::vector<uint8_t>& marked) {
    size_t kept = 0;
    for (size_t i = 0; i < list.size(); ++i)
        if (marked[i] == 0) list[kept++] = list[i];
    list.resize(kept);
}

// Every shot in flight moves once; it leaves play past the enemy line or on
// its hit. The ships do not move meanwhile, so the hits of all shots in the
// hit window can be found after the moves, and both lists are compacted once,
// keeping their order.
void walkShots(Battle& battle, float dt) {
    const float travel = kShotSpeed * dt;
    HitSearch& search = battle.hitSearch;
    search.attackerShots.shots.clear();
    search.defenderShots.shots.clear();
    search.shotGone.assign(battle.shots.size(), 0);
    bool anyGone = false;
    for (size_t i = 0; i < battle.shots.size(); ++i) {
        BattleShot& shot = battle.shots[i];
        const bool attacker = isAttacker(shot.side);
        shot.x = attacker ? shot.x + travel : shot.x - travel;
        if (attacker ? shot.x > kOutOfPlay : shot.x < -kOutOfPlay) {
            search.shotGone[i] = 1;
            anyGone = true;
        } else if (attacker ? shot.x > kHitWindowStart : shot.x < -kHitWindowStart) {
            (attacker ? search.attackerShots : search.defenderShots)
                .shots.push_back(static_cast<uint32_t>(i));
        }
    }

    const bool anyInWindow =
        !search.attackerShots.shots.empty() || !search.defenderShots.shots.empty();
    if (anyInWindow) {
        search.shipHit.assign(battle.ships.size(), 0);
        search.leafOfShip.resize(battle.ships.size());
        resolveHits(search.attackerShots, search, battle, BattleSide::Defender);
        resolveHits(search.defenderShots, search, battle, BattleSide::Attacker);
        removeMarked(battle.ships, search.shipHit);
    }
    if (anyGone || anyInWindow) removeMarked(battle.shots, search.shotGone);
}

}  // namespace

bool advanceBattle(Battle& battle, Random& random, float dt) {
    driftShips(battle, random, dt);
    if (battle.volleyPending == 1) battle.volleyPending = 0;
    walkShots(battle, dt);
    if (!battle.shots.empty()) return false;
    if (battle.attackerCount > 0 && battle.defenderCount > 0) {
        battle.volleyPending = 1;
        return false;
    }
    return true;
}
