// Battle model: filling and emptying the one Battle, ship by ship and shot by
// shot. Ids only grow, so each list stays sorted by id and a removal finds
// its element by binary search.
#include <algorithm>

#include "battle/battle.h"
#include "random/random.h"

namespace {

constexpr float kAttackerLineX = -50.0f;
constexpr float kDefenderLineX = 50.0f;
constexpr float kAttackerShotStartX = -43.0f;
constexpr float kDefenderShotStartX = 43.0f;
constexpr int kStartHeights = 201;  // whole numbers -100..100
constexpr float kLowestStartHeight = -100.0f;

template <typename Element>
typename std::vector<Element>::iterator findById(std::vector<Element>& list, int id) {
    auto it =
        std::lower_bound(list.begin(), list.end(), id,
                         [](const Element& element, int wanted) { return element.id < wanted; });
    return it != list.end() && it->id == id ? it : list.end();
}

}  // namespace

void clearBattle(Battle& battle) {
    battle.ships.clear();
    battle.nextShipId = 0;
    battle.attackerCount = 0;
    battle.defenderCount = 0;
    battle.shots.clear();
    battle.nextShotId = 0;
    battle.attackerColour = 0;
    battle.defenderColour = 0;
    battle.volleyPending = 1;
}

void addShip(Battle& battle, Random& random, BattleSide side) {
    BattleShip ship;
    const bool attacker = side == BattleSide::Attacker;
    ship.x = attacker ? kAttackerLineX : kDefenderLineX;
    ship.y = static_cast<float>(nextRandom(random) % kStartHeights) + kLowestStartHeight;
    ship.id = battle.nextShipId;
    ship.side = side;
    ship.direction = nextRandom(random) % 2 == 1 ? 1 : -1;
    battle.ships.push_back(ship);
    battle.nextShipId += 1;
    (attacker ? battle.attackerCount : battle.defenderCount) += 1;
}

void removeShip(Battle& battle, int id) {
    auto it = findById(battle.ships, id);
    if (it == battle.ships.end()) return;
    (it->side == BattleSide::Attacker ? battle.attackerCount : battle.defenderCount) -= 1;
    battle.ships.erase(it);
}

void addShot(Battle& battle, BattleSide side, float y) {
    BattleShot shot;
    shot.x = side == BattleSide::Attacker ? kAttackerShotStartX : kDefenderShotStartX;
    shot.y = y;
    shot.id = battle.nextShotId;
    shot.side = side;
    battle.shots.push_back(shot);
    battle.nextShotId += 1;
}

void removeShot(Battle& battle, int id) {
    auto it = findById(battle.shots, id);
    if (it != battle.shots.end()) battle.shots.erase(it);
}

bool fillBattle(Battle& battle, Random& random, int64_t attackers, int64_t defenders) {
    if (attackers < 0 || defenders < 0) return false;
    const int64_t total = static_cast<int64_t>(battle.ships.size()) + attackers + defenders;
    if (total > battle.shipLimit) return false;
    battle.ships.reserve(static_cast<size_t>(total));
    for (int64_t i = 0; i < attackers; ++i) addShip(battle, random, BattleSide::Attacker);
    for (int64_t i = 0; i < defenders; ++i) addShip(battle, random, BattleSide::Defender);
    return true;
}
