// The random baseline: each of its groups and planets does something the
// rules allow, picked at random, or nothing. Orders the game refuses are
// dropped by the seat as every level's are.
#include "ai/baseline_planners.h"

#include "game/groups.h"

namespace {

int below(Random& random, int n) { return n <= 0 ? 0 : nextRandom(random) % n; }

// A planet anywhere, for a course.
const SeenPlanet& anyPlanet(const FairView& view, Random& random) {
    return view.planets[below(random, kPlanetCount)];
}

int planetUnder(const FairView& view, const SeenGroup& group) {
    if (group.stepsLeft != 0) return -1;
    for (int i = 0; i < kPlanetCount; ++i)
        if (view.planets[i].x == group.x && view.planets[i].y == group.y) return i;
    return -1;
}

void moveRandomly(const FairView& view, Random& random, std::vector<Order>& orders) {
    for (const SeenGroup& group : view.groups) {
        if (group.owner != view.player) continue;
        const SeenPlanet& to = anyPlanet(view, random);
        switch (below(random, 4)) {
            case 0: orders.push_back({OrderKind::Send, group.id, -1, 0, to.x, to.y}); break;
            case 1:
                if (group.ships > 1)
                    orders.push_back({OrderKind::Split, group.id, -1,
                                      1 + below(random, group.ships - 1), to.x, to.y});
                break;
            case 2: orders.push_back({OrderKind::Combine, group.id}); break;
            default: break;  // stays its course
        }
    }
    for (int i = 0; i < kPlanetCount; ++i) {
        const SeenPlanet& planet = view.planets[i];
        if (planet.owner != view.player || planet.ships <= 0 || below(random, 2) == 0) continue;
        const SeenPlanet& to = anyPlanet(view, random);
        orders.push_back({OrderKind::Launch, -1, i, 1 + below(random, planet.ships), to.x, to.y});
    }
}

void fightRandomly(const FairView& view, Random& random, std::vector<Order>& orders) {
    for (const SeenGroup& group : view.groups) {
        if (group.owner != view.player || below(random, 2) == 0) continue;
        bool enemyNear = false;
        for (const SeenGroup& other : view.groups)
            enemyNear |= view.teams[other.owner] != view.teams[view.player] &&
                         isInContact(group.x, group.y, other.x, other.y);
        if (enemyNear) {
            orders.push_back({OrderKind::AttackGroup, group.id});
            continue;
        }
        const int under = planetUnder(view, group);
        if (under == -1) continue;
        const int owner = view.planets[under].owner;
        const bool teamPlanet = owner != -1 && view.teams[owner] == view.teams[view.player];
        orders.push_back(
            {teamPlanet ? OrderKind::Donate : OrderKind::AttackPlanet, group.id, under});
    }
}

}  // namespace

std::vector<Order> planRandomly(const FairView& view, Random& random) {
    std::vector<Order> orders;
    if (view.phase == GamePhase::Movement)
        moveRandomly(view, random, orders);
    else
        fightRandomly(view, random, orders);
    return orders;
}
