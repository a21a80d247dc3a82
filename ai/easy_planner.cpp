// The easy computer player. It weighs a fight by counts alone (the side with
// more ships wins and keeps about the difference) and guesses what it cannot
// see from the rules: a planet never seen owned is neutral and neutral planets
// hold at most 30 ships, a foreign group holds what every player starts with.
#include "ai/easy_planner.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ai/galaxy_points.h"
#include "game/galaxy.h"
#include "game/groups.h"

namespace {

constexpr int kMostNeutralShips = kMostProduction;     // neutral planets never grow
constexpr int kGuessedGroupShips = kStartingShips;     // a foreign group's "??": a starting group
constexpr float kThreatDistance = 3.0f * kStepLength;  // an enemy three steps away or nearer
constexpr int kLeastWorthSplitting = 60;               // ships a split must leave to be worth it
constexpr int kScoutShips = 5;

float distanceSquared(float x1, float y1, float x2, float y2) {
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    return dx * dx + dy * dy;
}

// Clearly more: half as many again, and a few over for the ships a volley takes.
bool clearlyOutnumbers(int ships, int defenders) { return 2 * ships >= 3 * defenders + 10; }
int enoughToBeat(int defenders) { return (3 * defenders + 11) / 2; }

// Something to take or destroy, where it will stand, and what it is thought to hold.
struct Prey {
    Point at;
    int defenders;
};

struct Planner {
    const FairView& view;
    Random& random;
    int team = 0;
    std::vector<Point> claimed;  // where orders of this phase already go

    Planner(const FairView& v, Random& r) : view(v), random(r), team(v.teams[v.player]) {}

    bool ofTheTeam(int owner) const { return owner != -1 && view.teams[owner] == team; }
    bool isOwn(const SeenGroup& group) const { return group.owner == view.player; }
    bool isEnemy(const SeenGroup& group) const { return !ofTheTeam(group.owner); }
    bool isClaimed(Point point) const {
        return std::find(claimed.begin(), claimed.end(), point) != claimed.end();
    }

    // What a planet not of the team is thought to hold.
    int defenders(int index) const {
        const SeenPlanet& planet = view.planets[index];
        if (planet.ships < 0) return kMostNeutralShips;
        // A planet seen in foreign hands has produced at least once since.
        return planet.owner == -1 ? planet.ships : planet.ships + planet.production;
    }

    int planetUnder(const SeenGroup& group) const {
        if (group.stepsLeft != 0) return -1;
        for (int i = 0; i < kPlanetCount; ++i)
            if (view.planets[i].x == group.x && view.planets[i].y == group.y) return i;
        return -1;
    }

    bool hasEnemyInContact(const SeenGroup& group) const {
        for (const SeenGroup& other : view.groups)
            if (isEnemy(other) && isInContact(group.x, group.y, other.x, other.y)) return true;
        return false;
    }

    // The ships of the enemy groups that head for the planet or stand near it,
    // as far as they can be guessed.
    int threatTo(int index) const {
        const SeenPlanet& planet = view.planets[index];
        const float reach = kThreatDistance * kThreatDistance;
        int threat = 0;
        for (const SeenGroup& group : view.groups) {
            if (!isEnemy(group)) continue;
            const bool headingHere =
                group.destinationX == planet.x && group.destinationY == planet.y;
            if (headingHere || distanceSquared(group.x, group.y, planet.x, planet.y) <= reach)
                threat += kGuessedGroupShips;
        }
        return threat;
    }

    // What a planet of the player's keeps at home: one turn's production, and
    // against a threat as many as clearly beat it, though no more than half.
    int garrison(int index) const {
        const SeenPlanet& planet = view.planets[index];
        const int threat = threatTo(index);
        if (threat == 0) return planet.production;
        return std::max(planet.production, std::min(planet.ships / 2, enoughToBeat(threat)));
    }

    // The nearest planet or enemy group that `ships` clearly beat and that no
    // other order of this phase goes for; a group on its way is met where its
    // course ends.
    std::optional<Prey> nearestPrey(float x, float y, int ships) const {
        std::optional<Prey> best;
        float bestDistance = 0.0f;
        auto consider = [&](Point at, int defenders) {
            if (!clearlyOutnumbers(ships, defenders) || isClaimed(at)) return;
            const float distance = distanceSquared(x, y, at.x, at.y);
            if (!best || distance < bestDistance) {
                best = Prey{at, defenders};
                bestDistance = distance;
            }
        };
        for (int i = 0; i < kPlanetCount; ++i) {
            const SeenPlanet& planet = view.planets[i];
            if (!ofTheTeam(planet.owner)) consider({planet.x, planet.y}, defenders(i));
        }
        for (const SeenGroup& group : view.groups)
            if (isEnemy(group))
                consider({group.destinationX, group.destinationY}, kGuessedGroupShips);
        return best;
    }

    // The index of the planet nearest to (x, y) among those `counts` accepts, or -1.
    template <typename Accept>
    int nearestPlanet(float x, float y, Accept counts) const {
        int best = -1;
        float bestDistance = 0.0f;
        for (int i = 0; i < kPlanetCount; ++i) {
            const SeenPlanet& planet = view.planets[i];
            if (!counts(i)) continue;
            const float distance = distanceSquared(x, y, planet.x, planet.y);
            if (best == -1 || distance < bestDistance) {
                best = i;
                bestDistance = distance;
            }
        }
        return best;
    }

    // The weakest enemy planet known, as last seen; -1 while none is known.
    int weakestEnemyPlanet() const {
        int weakest = -1;
        for (int i = 0; i < kPlanetCount; ++i) {
            const int owner = view.planets[i].owner;
            if (owner == -1 || ofTheTeam(owner)) continue;
            if (weakest == -1 || defenders(i) < defenders(weakest)) weakest = i;
        }
        return weakest;
    }

    // Where ships gather that nothing is in reach of: the team's planet
    // nearest to the weakest enemy planet known. -1 while none is known.
    int front() const {
        const int target = weakestEnemyPlanet();
        if (target == -1) return -1;
        const SeenPlanet& planet = view.planets[target];
        return nearestPlanet(planet.x, planet.y,
                             [&](int i) { return ofTheTeam(view.planets[i].owner); });
    }

    // A count seen long ago may be far from what a planet holds now: a few
    // ships sent to stand on it show what it holds. One scout at a time, from
    // the front, to the planet the front gathers against.
    std::optional<Order> scout() {
        const int target = weakestEnemyPlanet();
        const int from = front();
        if (target == -1 || from == -1 || view.planets[from].owner != view.player)
            return std::nullopt;
        const SeenPlanet& planet = view.planets[target];
        for (const SeenGroup& group : view.groups)
            if (isOwn(group) && group.destinationX == planet.x && group.destinationY == planet.y)
                return std::nullopt;
        const int spare = view.planets[from].ships - garrison(from);
        if (spare < kScoutShips) return std::nullopt;
        return Order{OrderKind::Launch, -1, from, kScoutShips, planet.x, planet.y};
    }

    // Steps a group needs from (x, y) to (tx, ty).
    static int stepsBetween(float x, float y, float tx, float ty) {
        const float steps = std::sqrt(distanceSquared(x, y, tx, ty)) / kStepLength;
        return static_cast<int>(std::ceil(steps));
    }

    // Enemy groups on their way are met where their courses end, by the
    // nearest group of the player's that clearly beats one and is there first;
    // a standing one by a group a step away. Those groups take no other order.
    void intercept(std::vector<Order>& orders, std::vector<int>& busy) {
        for (const SeenGroup& enemy : view.groups) {
            if (!isEnemy(enemy)) continue;
            const Point at{enemy.destinationX, enemy.destinationY};
            if (isClaimed(at)) continue;
            const int time = std::max(enemy.stepsLeft, 1);
            const SeenGroup* hunter = nullptr;
            int fastest = 0;
            for (const SeenGroup& group : view.groups) {
                if (!isOwn(group) || !clearlyOutnumbers(group.ships, kGuessedGroupShips) ||
                    std::find(busy.begin(), busy.end(), group.id) != busy.end())
                    continue;
                const int steps = stepsBetween(group.x, group.y, at.x, at.y);
                if (steps <= time && (hunter == nullptr || steps < fastest)) {
                    hunter = &group;
                    fastest = steps;
                }
            }
            if (hunter == nullptr) continue;
            busy.push_back(hunter->id);
            if (hunter->destinationX != at.x || hunter->destinationY != at.y)
                orders.push_back(towards(OrderKind::Send, hunter->id, -1, 0, at));
            else
                claimed.push_back(at);
        }
    }

    Order towards(OrderKind kind, int group, int planet, int count, Point to) {
        claimed.push_back(to);
        return {kind, group, planet, count, to.x, to.y};
    }

    // A standing group stays where it is to fight or to guard, or sets out:
    // at the nearest prey (splitting off what it takes when much more is
    // left), to the front, or out to look.
    void moveGroup(const SeenGroup& group, std::vector<Order>& orders) {
        if (hasEnemyInContact(group) && clearlyOutnumbers(group.ships, kGuessedGroupShips)) return;
        const int under = planetUnder(group);
        if (under != -1) {
            const bool home = ofTheTeam(view.planets[under].owner);
            if (home && isThreatened(under)) return;
            if (!home && clearlyOutnumbers(group.ships, defenders(under))) return;
        }
        if (const std::optional<Prey> prey = nearestPrey(group.x, group.y, group.ships)) {
            const int needed = enoughToBeat(prey->defenders) * 6 / 5;  // a fifth to spare
            if (group.ships - needed >= kLeastWorthSplitting) {
                orders.push_back(towards(OrderKind::Split, group.id, -1, needed, prey->at));
                SeenGroup rest = group;
                rest.ships -= needed;
                moveGroup(rest, orders);
                return;
            }
            orders.push_back(towards(OrderKind::Send, group.id, -1, 0, prey->at));
            return;
        }
        const int gathering = front();
        if (gathering == -1) {
            orders.push_back(towards(OrderKind::Send, group.id, -1, 0, anywhereInGalaxy(random)));
        } else if (gathering != under) {
            const SeenPlanet& planet = view.planets[gathering];
            orders.push_back({OrderKind::Send, group.id, -1, 0, planet.x, planet.y});
        }
    }

    bool isThreatened(int index) const { return threatTo(index) > 0; }

    // Whether a group on its way clearly beats what stands where it goes: a
    // planet not of the team, else a foreign group met there.
    bool isEnoughFor(const SeenGroup& group) const {
        for (int i = 0; i < kPlanetCount; ++i) {
            const SeenPlanet& planet = view.planets[i];
            if (planet.x != group.destinationX || planet.y != group.destinationY) continue;
            return ofTheTeam(planet.owner) || clearlyOutnumbers(group.ships, defenders(i));
        }
        return clearlyOutnumbers(group.ships, kGuessedGroupShips);
    }

    // A planet of the player's sends its spare ships at the nearest prey, or
    // to the front when they are too few alone.
    std::optional<Order> launchFrom(int index) {
        const SeenPlanet& planet = view.planets[index];
        if (planet.owner != view.player || planet.ships <= 0) return std::nullopt;
        const int spare = planet.ships - garrison(index);
        if (spare <= 0) return std::nullopt;
        const Point here{planet.x, planet.y};
        if (const std::optional<Prey> prey = nearestPrey(here.x, here.y, spare))
            return towards(OrderKind::Launch, -1, index, spare, prey->at);
        const int gathering = front();
        if (gathering == -1 || gathering == index || spare < 100) return std::nullopt;
        const SeenPlanet& to = view.planets[gathering];
        return Order{OrderKind::Launch, -1, index, spare, to.x, to.y};
    }

    // With no enemy planet known, a planet with ships enough for a starting
    // group sends them out to look for the enemy.
    std::optional<Order> explore(int index) {
        const SeenPlanet& planet = view.planets[index];
        if (planet.owner != view.player) return std::nullopt;
        const int spare = planet.ships - garrison(index);
        if (!clearlyOutnumbers(spare, kGuessedGroupShips)) return std::nullopt;
        return towards(OrderKind::Launch, -1, index, spare, anywhereInGalaxy(random));
    }
};

}  // namespace

std::vector<Order> planMovement(const FairView& view, Random& random) {
    Planner planner(view, random);
    std::vector<Order> orders;
    const std::vector<SeenGroup> ownGroups = combineStacks(view, orders);
    std::vector<int> busy;
    planner.intercept(orders, busy);
    // A course already set claims its destination when the group is strong
    // enough for what it finds there.
    for (const SeenGroup& group : view.groups)
        if (planner.isOwn(group) && group.stepsLeft > 0 && planner.isEnoughFor(group))
            planner.claimed.push_back({group.destinationX, group.destinationY});
    for (const SeenGroup& group : ownGroups)
        if (group.stepsLeft == 0 && std::find(busy.begin(), busy.end(), group.id) == busy.end())
            planner.moveGroup(group, orders);
    const bool enemyPlanetKnown = planner.front() != -1;
    if (std::optional<Order> order = planner.scout()) orders.push_back(*order);
    for (int index = 0; index < kPlanetCount; ++index) {
        std::optional<Order> order = planner.launchFrom(index);
        if (!order && !enemyPlanetKnown) order = planner.explore(index);
        if (order) orders.push_back(*order);
    }
    return orders;
}

std::vector<Order> planBattles(const FairView& view, Random& random) {
    Planner planner(view, random);
    std::vector<Order> orders;
    for (const SeenGroup& group : combineStacks(view, orders)) {
        if (planner.hasEnemyInContact(group) &&
            clearlyOutnumbers(group.ships, kGuessedGroupShips)) {
            orders.push_back({OrderKind::AttackGroup, group.id});
            continue;
        }
        const int under = planner.planetUnder(group);
        if (under == -1) continue;
        if (planner.ofTheTeam(view.planets[under].owner)) {
            orders.push_back({OrderKind::Donate, group.id, under});
        } else if (clearlyOutnumbers(group.ships, planner.defenders(under))) {
            orders.push_back({OrderKind::AttackPlanet, group.id, under});
        }
    }
    return orders;
}
