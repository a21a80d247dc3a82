// The strategic planner. A fight's outcome is close to linear in the counts
// (the larger side wins and keeps about the difference), so every decision
// weighs estimated counts: what a planet not seen owned may hold (the level's
// guess: a neutral planet holds 1..production ships and never grows), what a
// foreign group may hold (its "??" is guessed as a starting group), what a planet seen in foreign
// hands has produced since. Targets are ranked by what they produce against the steps to them and
// the ships they cost; each gets the nearest ships that suffice.
#include "ai/strategic_planner.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ai/galaxy_points.h"
#include "game/galaxy.h"
#include "game/groups.h"

namespace {

constexpr int kGuessedGroupShips = kStartingShips;  // a foreign group's "??": a starting group
// The mean production, for a planet never seen owned.
constexpr int kGuessedProduction = (kLeastProduction + kMostProduction) / 2;
constexpr int kThreatSteps = 1;           // a standing enemy this near may strike next turn
constexpr int kLeastWorthSplitting = 20;  // ships a split must leave behind
constexpr int kLeastParcel = 30;          // fewer ships are not worth a journey of their own
constexpr int kScoutShips = 1;
constexpr int kGatherSteps = 4;  // ships farther away would arrive too late to meet

float distanceBetween(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

int stepsBetween(Point a, Point b) {
    return static_cast<int>(std::ceil(distanceBetween(a, b) / kStepLength));
}

// Ships enough to beat `defenders` with room for the luck of the volleys.
int enoughToBeat(float margin, int defenders) {
    return static_cast<int>(std::ceil(margin * static_cast<float>(defenders))) + 8;
}

enum class TargetKind { Planet, Group, Guard };

// Something to take, destroy or hold: where, what it costs and what it is worth.
struct Target {
    TargetKind kind;
    Point at;
    int planet = -1;
    int need = 0;      // ships that must arrive
    int incoming = 0;  // ships of ours already there or on their way
    float value = 0.0f;
};

// Ships of ours that can go somewhere: a standing group or a planet's spare.
struct Source {
    Point at;
    int group = -1;  // the group's id, or -1 for a planet
    int planet = -1;
    int ships = 0;
};

struct Planner {
    const Strategy& strategy;
    const FairView& view;
    Random& random;
    int team = 0;
    std::vector<Order> orders;

    Planner(const Strategy& s, const FairView& v, Random& r)
        : strategy(s), view(v), random(r), team(v.teams[v.player]) {}

    bool ofTheTeam(int owner) const { return owner != -1 && view.teams[owner] == team; }
    bool isOwn(const SeenGroup& group) const { return group.owner == view.player; }
    bool isEnemy(const SeenGroup& group) const { return !ofTheTeam(group.owner); }
    Point planetPoint(int index) const { return {view.planets[index].x, view.planets[index].y}; }

    int planetAtPoint(Point at) const {
        for (int i = 0; i < kPlanetCount; ++i)
            if (planetPoint(i) == at) return i;
        return -1;
    }

    int planetUnder(const SeenGroup& group) const {
        return group.stepsLeft != 0 ? -1 : planetAtPoint({group.x, group.y});
    }

    // What a planet not of the team is thought to hold when ships arrive.
    int defenders(int index) const {
        const SeenPlanet& planet = view.planets[index];
        if (planet.ships < 0) return strategy.neutralGuess;
        // A planet seen in foreign hands has produced since, and will again.
        return planet.owner == -1 ? planet.ships : planet.ships + 2 * planet.production;
    }

    int production(int index) const {
        const int seen = view.planets[index].production;
        return seen < 0 ? kGuessedProduction : seen;
    }

    bool hasEnemyInContact(const SeenGroup& group) const {
        for (const SeenGroup& other : view.groups)
            if (isEnemy(other) && isInContact(group.x, group.y, other.x, other.y)) return true;
        return false;
    }

    // The guessed ships of the enemy groups that head for the planet, or
    // stand a step from it, ready to strike.
    int threatTo(int index) const {
        const Point planet = planetPoint(index);
        int threat = 0;
        for (const SeenGroup& group : view.groups) {
            if (!isEnemy(group)) continue;
            const bool headingHere = Point{group.destinationX, group.destinationY} == planet;
            const bool poised =
                group.stepsLeft == 0 && stepsBetween({group.x, group.y}, planet) <= kThreatSteps;
            if (headingHere || poised) threat += kGuessedGroupShips;
        }
        return threat;
    }

    // What a planet of the player's keeps at home.
    int garrison(int index) const {
        const SeenPlanet& planet = view.planets[index];
        if (strategy.defends && threatTo(index) > 0) return planet.ships;
        return std::min(planet.ships, strategy.garrisonTurns * planet.production);
    }

    bool isKnownEnemyPlanet(int index) const {
        const int owner = view.planets[index].owner;
        return owner != -1 && !ofTheTeam(owner);
    }

    bool enemyInSight() const {
        for (const SeenGroup& group : view.groups)
            if (isEnemy(group)) return true;
        for (int i = 0; i < kPlanetCount; ++i)
            if (isKnownEnemyPlanet(i)) return true;
        return false;
    }

    std::vector<Target> targets() const {
        std::vector<Target> all;
        for (int i = 0; i < kPlanetCount; ++i) {
            const SeenPlanet& planet = view.planets[i];
            if (ofTheTeam(planet.owner)) {
                if (!strategy.defends) continue;
                const int threat = threatTo(i);
                if (threat == 0) continue;
                const int held = planet.ships + production(i);
                const int shortfall = enoughToBeat(strategy.margin, threat) - held;
                if (shortfall <= 0) continue;
                // Losing a planet costs its production and its ships.
                all.push_back({TargetKind::Guard, planetPoint(i), i, shortfall, 0,
                               3.0f * static_cast<float>(production(i)) +
                                   0.1f * static_cast<float>(planet.ships)});
                continue;
            }
            // A planet taken from an enemy weakens it as much as it strengthens us.
            const float worth =
                static_cast<float>(production(i)) * (isKnownEnemyPlanet(i) ? 2.0f : 1.0f);
            all.push_back({TargetKind::Planet, planetPoint(i), i,
                           enoughToBeat(strategy.margin, defenders(i)), 0, worth});
        }
        for (const SeenGroup& group : view.groups) {
            if (!isEnemy(group)) continue;
            // A group on its way is met where its course ends.
            all.push_back({TargetKind::Group,
                           {group.destinationX, group.destinationY},
                           -1,
                           enoughToBeat(strategy.margin, kGuessedGroupShips),
                           0,
                           25.0f});
        }
        // What is already there or on its way counts against the need.
        for (const SeenGroup& group : view.groups) {
            if (!isOwn(group)) continue;
            for (Target& target : all)
                if (Point{group.destinationX, group.destinationY} == target.at)
                    target.incoming += group.ships;
        }
        return all;
    }

    // Whether a standing group stays to fight or to hold what it stands on.
    // One too weak for an enemy beside it is free to go or to be joined:
    // waiting there for good would let any enemy group hold it in place.
    bool staysPut(const SeenGroup& group) const {
        if (hasEnemyInContact(group))
            return group.ships >= enoughToBeat(strategy.margin, kGuessedGroupShips);
        const int under = planetUnder(group);
        if (under == -1) return false;
        if (ofTheTeam(view.planets[under].owner)) return strategy.defends && threatTo(under) > 0;
        // It fights there in the battle phase when it is enough; else it is
        // free to go, or to wait there as part of a gathering.
        return group.ships >= enoughToBeat(strategy.margin, defenders(under));
    }

    void sendTo(Source& source, Point to, int ships) {
        if (source.group == -1) {
            orders.push_back({OrderKind::Launch, -1, source.planet, ships, to.x, to.y});
        } else if (ships < source.ships) {
            orders.push_back({OrderKind::Split, source.group, -1, ships, to.x, to.y});
        } else {
            orders.push_back({OrderKind::Send, source.group, -1, 0, to.x, to.y});
        }
        source.ships -= ships;
    }

    void send(Source& source, Target& target, int ships) {
        sendTo(source, target.at, ships);
        target.incoming += ships;
    }

    // What to send from a source: the need with a fifth to spare, or all of
    // it when what would stay behind is too few to matter.
    static int shipsToSend(const Source& source, int missing) {
        const int wanted = missing + missing / 5;
        if (source.group != -1 && source.ships - wanted < kLeastWorthSplitting) return source.ships;
        return std::min(source.ships, wanted);
    }

    float score(const Source& source, const Target& target) const {
        const int steps = stepsBetween(source.at, target.at);
        return target.value /
               (static_cast<float>(steps) + 1.0f + static_cast<float>(target.need) / 60.0f);
    }

    // Each target in order of worth takes the nearest sources that suffice.
    void assign(std::vector<Source>& sources, std::vector<Target>& all) {
        while (true) {
            Source* bestSource = nullptr;
            Target* bestTarget = nullptr;
            float best = 0.0f;
            for (Target& target : all) {
                const int missing = target.need - target.incoming;
                if (missing <= 0) continue;
                for (Source& source : sources) {
                    if (source.ships <= 0) continue;
                    if (stepsBetween(source.at, target.at) > strategy.lookAheadSteps) continue;
                    if (source.ships < missing) continue;
                    const float s = score(source, target);
                    if (bestSource == nullptr || s > best) {
                        best = s;
                        bestSource = &source;
                        bestTarget = &target;
                    }
                }
            }
            if (bestSource == nullptr) return;
            const int missing = bestTarget->need - bestTarget->incoming;
            send(*bestSource, *bestTarget, shipsToSend(*bestSource, missing));
        }
    }

    // Whether a source can join a gathering on the target: ships enough to
    // matter, near enough to come in time (ships already there are counted).
    static bool isInReach(const Source& source, const Target& target) {
        return source.ships >= kLeastParcel && !(source.at == target.at) &&
               stepsBetween(source.at, target.at) <= kGatherSteps;
    }

    // A planet a group of ours stands on or heads for but cannot take
    // alone: the nearest ships in reach set out to meet it there, and the
    // first to arrive waits for the rest. One gathering a turn, the
    // worthiest, so that ships are not spread over many.
    void gather(std::vector<Source>& sources, std::vector<Target>& all) {
        if (!strategy.gathers) return;
        Target* best = nullptr;
        for (Target& target : all) {
            if (target.kind != TargetKind::Planet || target.incoming == 0 ||
                target.need <= target.incoming)
                continue;
            int reach = 0;
            for (const Source& source : sources)
                if (isInReach(source, target)) reach += source.ships;
            if (reach >= target.need - target.incoming &&
                (best == nullptr || target.value > best->value))
                best = &target;
        }
        if (best == nullptr) return;
        // What stands there already waits for the rest.
        for (Source& source : sources)
            if (source.at == best->at) source.ships = 0;
        std::vector<Source*> inReach;
        for (Source& source : sources)
            if (isInReach(source, *best)) inReach.push_back(&source);
        std::sort(inReach.begin(), inReach.end(), [&](const Source* a, const Source* b) {
            return distanceBetween(a->at, best->at) < distanceBetween(b->at, best->at);
        });
        for (Source* source : inReach) {
            const int missing = best->need - best->incoming;
            if (missing <= 0) break;
            send(*source, *best, shipsToSend(*source, std::max(missing, kLeastParcel)));
        }
    }

    int scoutsOut() const {
        int scouts = 0;
        for (const SeenGroup& group : view.groups)
            if (isOwn(group) && group.ships <= kScoutShips && group.stepsLeft > 0) ++scouts;
        return scouts;
    }

    // The team's planet nearest to the nearest enemy planet known, where
    // ships with nothing to do wait; -1 while none is known.
    int front(Point from) const {
        int enemy = -1;
        for (int i = 0; i < kPlanetCount; ++i)
            if (isKnownEnemyPlanet(i) &&
                (enemy == -1 ||
                 distanceBetween(from, planetPoint(i)) < distanceBetween(from, planetPoint(enemy))))
                enemy = i;
        if (enemy == -1) return -1;
        int best = -1;
        for (int i = 0; i < kPlanetCount; ++i)
            if (view.planets[i].owner == view.player &&
                (best == -1 || distanceBetween(planetPoint(enemy), planetPoint(i)) <
                                   distanceBetween(planetPoint(enemy), planetPoint(best))))
                best = i;
        return best;
    }

    // Groups left with nothing to do wait at the front, where the next
    // attack sets out from, or, with no enemy in sight, go out to look, as
    // planets' spare ships do when they are many. Scouts sweep the galaxy
    // all the while.
    void idle(std::vector<Source>& sources) {
        const bool searching = !enemyInSight();
        int scouts = scoutsOut();
        // A scout that has arrived sweeps on from where it stands; only
        // while too few are out does a new one set out.
        for (Source& source : sources) {
            if (source.group == -1 || source.ships <= 0 || source.ships > kScoutShips) continue;
            sendTo(source, anywhereInGalaxy(random), source.ships);
            ++scouts;
        }
        for (Source& source : sources) {
            if (source.ships <= 0) continue;
            if (scouts < strategy.scouts && source.ships > kScoutShips) {
                sendTo(source, anywhereInGalaxy(random), kScoutShips);
                ++scouts;
            }
            if (source.ships < kLeastParcel) continue;
            const int gathering = front(source.at);
            if (gathering != -1) {
                if (planetPoint(gathering) == source.at || source.group == -1) continue;
                sendTo(source, planetPoint(gathering), source.ships);
            } else if (searching &&
                       (source.group != -1 || source.ships >= 2 * kGuessedGroupShips)) {
                sendTo(source, anywhereInGalaxy(random), source.ships);
            }
        }
    }

    void planMovement() {
        const std::vector<SeenGroup> groups = combineStacks(view, orders);
        std::vector<Source> sources;
        for (const SeenGroup& group : groups)
            if (group.stepsLeft == 0 && !staysPut(group))
                sources.push_back({{group.x, group.y}, group.id, -1, group.ships});
        for (int i = 0; i < kPlanetCount; ++i) {
            if (view.planets[i].owner != view.player) continue;
            const int spare = view.planets[i].ships - garrison(i);
            if (spare > 0) sources.push_back({planetPoint(i), -1, i, spare});
        }
        std::vector<Target> all = targets();
        assign(sources, all);
        gather(sources, all);
        idle(sources);
    }

    // Fights what the counts say it wins: a planet's count as last seen
    // (revealed as the group arrived) with what it may have produced since
    // is already a cautious guess. A group too weak for a planet waits on it
    // for the others on their way.
    void planBattles() {
        for (const SeenGroup& group : combineStacks(view, orders)) {
            if (hasEnemyInContact(group)) {
                if (group.ships >= enoughToBeat(strategy.margin, kGuessedGroupShips))
                    orders.push_back({OrderKind::AttackGroup, group.id});
                else if (const int under = planetUnder(group);
                         under != -1 && ofTheTeam(view.planets[under].owner))
                    orders.push_back({OrderKind::Donate, group.id, under});
                continue;
            }
            const int under = planetUnder(group);
            if (under == -1) continue;
            if (ofTheTeam(view.planets[under].owner)) {
                orders.push_back({OrderKind::Donate, group.id, under});
            } else if (group.ships > defenders(under)) {
                orders.push_back({OrderKind::AttackPlanet, group.id, under});
            }
        }
    }
};

}  // namespace

std::vector<Order> planStrategically(const Strategy& strategy, const FairView& view,
                                     Random& random) {
    Planner planner(strategy, view, random);
    if (view.phase == GamePhase::Movement)
        planner.planMovement();
    else
        planner.planBattles();
    return planner.orders;
}
