// The group registry: every fleet in creation order, found by id, moved one
// step per movement phase of its owner, merged, split and removed here.
#include "game/groups.h"

#include <cmath>
#include <limits>

namespace {

float distanceSquared(float x1, float y1, float x2, float y2) {
    const float dx = x1 - x2;
    const float dy = y1 - y2;
    return dx * dx + dy * dy;
}

// Courses at least this long (2^31 as a float) cannot have their length
// turned into an int to count the steps.
constexpr float kCourseLengthLimit = static_cast<float>(std::numeric_limits<int32_t>::max());

float courseLength(float x, float y, float destinationX, float destinationY) {
    const float dx = destinationX - x;
    const float dy = destinationY - y;
    return std::sqrt(dx * dx + dy * dy);
}

// Steps of kStepLength units towards the destination, the last one possibly
// shorter. The course must be plannable.
void planMovement(Group& group) {
    const float dx = group.destinationX - group.x;
    const float dy = group.destinationY - group.y;
    const float distance = courseLength(group.x, group.y, group.destinationX, group.destinationY);
    const int wholeSteps = static_cast<int>(distance) / static_cast<int>(kStepLength);
    const bool partStep = static_cast<float>(wholeSteps) < distance / kStepLength;
    group.stepsLeft = partStep ? wholeSteps + 1 : wholeSteps;
    if (distance == 0.0f) {
        group.stepX = 0.0f;
        group.stepY = 0.0f;
    } else {
        group.stepX = dx / (distance / kStepLength);
        group.stepY = dy / (distance / kStepLength);
    }
}

std::vector<Group>::iterator findIterator(GroupRegistry& registry, int id) {
    for (auto it = registry.groups.begin(); it != registry.groups.end(); ++it)
        if (it->id == id) return it;
    return registry.groups.end();
}

bool isEnemyOf(const Teams& teams, const Group& group, int player) {
    return teams[group.owner] != teams[player];
}

}  // namespace

bool isInContact(float x1, float y1, float x2, float y2) {
    return distanceSquared(x1, y1, x2, y2) <= kContactDistanceSquared;
}

bool isWithinSight(float x1, float y1, float x2, float y2) {
    return distanceSquared(x1, y1, x2, y2) <= kSightDistanceSquared;
}

bool isPlannableCourse(float x, float y, float destinationX, float destinationY) {
    // Not finite covers a NaN or infinite end as well as a length that overflowed.
    const float distance = courseLength(x, y, destinationX, destinationY);
    return std::isfinite(distance) && distance < kCourseLengthLimit;
}

int createGroup(GroupRegistry& registry, float x, float y, float destinationX, float destinationY,
                int ships, int owner) {
    if (!isPlannableCourse(x, y, destinationX, destinationY)) return -1;
    Group group;
    group.x = x;
    group.y = y;
    group.destinationX = destinationX;
    group.destinationY = destinationY;
    planMovement(group);
    group.owner = owner;
    group.ships = ships;
    group.id = registry.nextId++;
    registry.groups.push_back(group);
    return group.id;
}

int appendGroupRecord(GroupRegistry& registry, const Group& record) {
    Group group = record;
    group.id = registry.nextId++;
    registry.groups.push_back(group);
    return group.id;
}

void removeGroup(GroupRegistry& registry, int id) {
    auto it = findIterator(registry, id);
    if (it != registry.groups.end()) registry.groups.erase(it);
}

void clearGroups(GroupRegistry& registry) {
    registry.groups.clear();
    registry.nextId = 0;
}

void setDestination(GroupRegistry& registry, int id, float x, float y) {
    Group* group = findGroup(registry, id);
    if (!group || !isPlannableCourse(group->x, group->y, x, y)) return;
    group->destinationX = x;
    group->destinationY = y;
    planMovement(*group);
}

void splitGroup(GroupRegistry& registry, int id, float destinationX, float destinationY, int count,
                int owner) {
    const Group* group = findGroup(registry, id);
    if (!group) return;
    const float x = group->x;
    const float y = group->y;
    if (createGroup(registry, x, y, destinationX, destinationY, count, owner) == -1) return;
    findGroup(registry, id)->ships -= count;  // the append may have moved it
}

void combineGroup(GroupRegistry& registry, int id) {
    Group* group = findGroup(registry, id);
    if (!group) return;
    const Group* partner = nullptr;
    for (const Group& other : registry.groups) {
        if (other.id != group->id && other.owner == group->owner &&
            isInContact(group->x, group->y, other.x, other.y)) {
            partner = &other;
            break;
        }
    }
    if (!partner) return;
    // The merged group stands still at the midpoint and forgets both courses.
    group->stepX = 0.0f;
    group->stepY = 0.0f;
    group->x = (group->x + partner->x) / 2.0f;
    group->y = (group->y + partner->y) / 2.0f;
    group->ships += partner->ships;
    group->destinationX = group->x;
    group->destinationY = group->y;
    group->stepsLeft = 0;
    removeGroup(registry, partner->id);
}

void advanceGroups(GroupRegistry& registry, int player) {
    for (Group& group : registry.groups) {
        if (group.owner != player) continue;
        if (group.stepsLeft > 1) {
            group.x += group.stepX;
            group.y += group.stepY;
            group.stepsLeft -= 1;
        } else if (group.stepsLeft == 1) {
            // Arrival copies the destination, so a group sent to a planet
            // ends exactly on the planet's coordinates.
            group.x = group.destinationX;
            group.y = group.destinationY;
            group.stepsLeft = 0;
        }
    }
}

void setShips(GroupRegistry& registry, int id, int count) {
    for (Group& group : registry.groups)
        if (group.id == id) group.ships = count;
}

Group* findGroup(GroupRegistry& registry, int id) {
    auto it = findIterator(registry, id);
    return it == registry.groups.end() ? nullptr : &*it;
}

const Group* findGroup(const GroupRegistry& registry, int id) {
    for (const Group& group : registry.groups)
        if (group.id == id) return &group;
    return nullptr;
}

int ownerOf(const GroupRegistry& registry, int id) {
    const Group* group = findGroup(registry, id);
    return group ? group->owner : -1;
}

int shipsOf(const GroupRegistry& registry, int id) {
    const Group* group = findGroup(registry, id);
    return group ? group->ships : -1;
}

void positionOf(const GroupRegistry& registry, int id, float& x, float& y) {
    if (const Group* group = findGroup(registry, id)) {
        x = group->x;
        y = group->y;
    }
}

int countGroups(const GroupRegistry& registry) { return static_cast<int>(registry.groups.size()); }

int playerShips(const GroupRegistry& registry, int player) {
    int sum = 0;
    for (const Group& group : registry.groups)
        if (group.owner == player) sum += group.ships;
    return sum;
}

int teamShips(const GroupRegistry& registry, const Teams& teams, int team) {
    int sum = 0;
    for (const Group& group : registry.groups)
        if (teams[group.owner] == team) sum += group.ships;
    return sum;
}

int findFriendInContact(const GroupRegistry& registry, float x, float y, int excludedId,
                        int player) {
    for (const Group& group : registry.groups)
        if (group.owner == player && group.id != excludedId && isInContact(x, y, group.x, group.y))
            return group.id;
    return -1;
}

const Group* findEnemyInContact(const GroupRegistry& registry, const Teams& teams, float x, float y,
                                int player) {
    for (const Group& group : registry.groups)
        if (isEnemyOf(teams, group, player) && isInContact(x, y, group.x, group.y)) return &group;
    return nullptr;
}

const Group* findEnemyInContactOf(const GroupRegistry& registry, const Teams& teams, int id,
                                  int player) {
    const Group* group = findGroup(registry, id);
    if (!group) return nullptr;
    return findEnemyInContact(registry, teams, group->x, group->y, player);
}

bool isSeenByTeam(const GroupRegistry& registry, const Teams& teams, float x, float y, int team) {
    for (const Group& group : registry.groups)
        if (teams[group.owner] == team && isWithinSight(x, y, group.x, group.y)) return true;
    return false;
}

bool isInPosition(const GroupRegistry& registry, const Galaxy& planets, const Teams& teams,
                  const Group& group, int player) {
    if (group.owner != player) return false;
    if (group.stepsLeft == 0 && planetAt(planets, group.x, group.y) != -1) return true;
    return findEnemyInContact(registry, teams, group.x, group.y, player) != nullptr;
}

bool hasGroupInPosition(const GroupRegistry& registry, const Galaxy& planets, const Teams& teams,
                        int player) {
    for (const Group& group : registry.groups)
        if (isInPosition(registry, planets, teams, group, player)) return true;
    return false;
}

void revealPlanetsUnderGroups(const GroupRegistry& registry, const Galaxy& planets,
                              const GameSession& session,
                              std::array<PlanetIntel, kMaxPlayers>& intel, int player) {
    const int team = session.teams[player];
    for (const Group& group : registry.groups) {
        if (group.owner != player || group.stepsLeft != 0) continue;
        for (int index = 0; index < kPlanetCount; ++index) {
            const Planet& planet = planets[index];
            if (planet.x != group.x || planet.y != group.y) continue;
            if (planet.owner == -1 || session.teams[planet.owner] == team) continue;
            for (int member = 0; member < session.playerCount; ++member) {
                if (session.teams[member] != team) continue;
                intel[member].knownOwner[index] = planet.owner;
                intel[member].knownShips[index] = planet.ships;
            }
        }
    }
}
