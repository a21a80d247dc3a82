// Reference battle for the differential tests and the benchmark: the fight
// written the plain way, with singly linked lists of heap blocks, removal by
// walking from the head by id and a hit test over the whole ship list for
// every shot. Its own records and its own generator, so it shares no code with
// the game's battle that it checks.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

namespace oracle {

struct Generator {
    uint32_t state = 1;
};

inline int draw(Generator& generator) {
    generator.state = generator.state * 214013u + 2531011u;
    return static_cast<int>((generator.state >> 16) & 32767u);
}

constexpr int32_t kAttacker = 1;
constexpr int32_t kDefender = -1;

struct Ship {
    float x = 0.0f;
    float y = 0.0f;
    int32_t side = kAttacker;
    int32_t direction = 1;
    int32_t id = 0;
    std::unique_ptr<Ship> next;
};

struct Shot {
    float x = 0.0f;
    float y = 0.0f;
    int32_t side = kAttacker;
    int32_t id = 0;
    std::unique_ptr<Shot> next;
};

// Frees a list from its head one node at a time (a long chain of owners
// would otherwise be destroyed recursively).
template <typename Node>
void freeList(std::unique_ptr<Node>& head) {
    while (head) head = std::move(head->next);
}

struct Battle {
    std::unique_ptr<Ship> shipHead;
    Ship* shipTail = nullptr;
    int32_t nextShipId = 0;
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
    std::unique_ptr<Shot> shotHead;
    Shot* shotTail = nullptr;
    int32_t nextShotId = 0;
    int32_t volleyPending = 1;

    Battle() = default;
    Battle(const Battle&) = delete;
    Battle& operator=(const Battle&) = delete;
    ~Battle() {
        freeList(shipHead);
        freeList(shotHead);
    }
};

inline void clear(Battle& battle) {
    freeList(battle.shipHead);
    freeList(battle.shotHead);
    battle.shipTail = nullptr;
    battle.shotTail = nullptr;
    battle.nextShipId = 0;
    battle.attackerCount = 0;
    battle.defenderCount = 0;
    battle.nextShotId = 0;
    battle.volleyPending = 1;
}

inline void addShip(Battle& battle, Generator& generator, int32_t side) {
    auto ship = std::make_unique<Ship>();
    if (side == kAttacker) {
        ship->x = -50.0f;
        battle.attackerCount++;
    } else {
        ship->x = 50.0f;
        battle.defenderCount++;
    }
    ship->y = static_cast<float>(draw(generator) % 201) - 100.0f;
    ship->id = battle.nextShipId++;
    ship->side = side;
    ship->direction = draw(generator) % 2 == 1 ? 1 : -1;
    Ship* added = ship.get();
    if (battle.shipTail)
        battle.shipTail->next = std::move(ship);
    else
        battle.shipHead = std::move(ship);
    battle.shipTail = added;
}

inline void removeShip(Battle& battle, int32_t id) {
    Ship* previous = nullptr;
    for (Ship* ship = battle.shipHead.get(); ship; previous = ship, ship = ship->next.get()) {
        if (ship->id != id) continue;
        if (ship->side == kAttacker)
            battle.attackerCount--;
        else
            battle.defenderCount--;
        if (ship == battle.shipTail) battle.shipTail = previous;
        std::unique_ptr<Ship>& link = previous ? previous->next : battle.shipHead;
        link = std::move(ship->next);
        return;
    }
}

inline void addShot(Battle& battle, int32_t side, float y) {
    auto shot = std::make_unique<Shot>();
    shot->x = side == kAttacker ? -43.0f : 43.0f;
    shot->y = y;
    shot->id = battle.nextShotId++;
    shot->side = side;
    Shot* added = shot.get();
    if (battle.shotTail)
        battle.shotTail->next = std::move(shot);
    else
        battle.shotHead = std::move(shot);
    battle.shotTail = added;
}

inline void removeShot(Battle& battle, int32_t id) {
    Shot* previous = nullptr;
    for (Shot* shot = battle.shotHead.get(); shot; previous = shot, shot = shot->next.get()) {
        if (shot->id != id) continue;
        if (shot == battle.shotTail) battle.shotTail = previous;
        std::unique_ptr<Shot>& link = previous ? previous->next : battle.shotHead;
        link = std::move(shot->next);
        return;
    }
}

// One frame without the write-back; true when the battle is over.
inline bool advance(Battle& battle, Generator& generator, float dt) {
    for (Ship* ship = battle.shipHead.get(); ship; ship = ship->next.get()) {
        int32_t count = ship->side == kAttacker ? battle.attackerCount : battle.defenderCount;
        if (count >= 200) count = 200;
        const float limit = static_cast<float>(count);
        if (ship->direction == 1) {
            ship->y = ship->y + dt * static_cast<float>(draw(generator) % 31);
            if (ship->y >= limit) ship->direction = -1;
        } else {
            ship->y = ship->y - dt * static_cast<float>(draw(generator) % 31);
            if (ship->y <= -limit) ship->direction = 1;
        }
        if (battle.volleyPending == 1) addShot(battle, ship->side, ship->y);
    }
    if (battle.volleyPending == 1) battle.volleyPending = 0;

    Shot* shot = battle.shotHead.get();
    while (shot) {
        Shot* following = shot->next.get();
        if (shot->side == kAttacker)
            shot->x = shot->x + 50.0f * dt;
        else
            shot->x = shot->x - 50.0f * dt;
        const bool outOfPlay = shot->side == kAttacker ? shot->x > 49.0f : shot->x < -49.0f;
        if (outOfPlay) {
            removeShot(battle, shot->id);
        } else if (shot->side == kAttacker ? shot->x > 43.0f : shot->x < -43.0f) {
            const int32_t enemy = shot->side == kAttacker ? kDefender : kAttacker;
            for (Ship* ship = battle.shipHead.get(); ship; ship = ship->next.get()) {
                if (ship->side == enemy && std::fabs(ship->y - shot->y) < 4.0f) {
                    removeShip(battle, ship->id);
                    removeShot(battle, shot->id);
                    break;
                }
            }
        }
        shot = following;
    }

    if (battle.shotHead) return false;
    if (battle.attackerCount > 0 && battle.defenderCount > 0) {
        battle.volleyPending = 1;
        return false;
    }
    return true;
}

}  // namespace oracle
