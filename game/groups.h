// Group registry: every fleet ("group") in creation order, found by id, moved
// one step per movement phase of its owner, merged, split and removed here,
// and the questions of contact and sight between groups.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/galaxy.h"

constexpr float kContactDistanceSquared = 25.0f;
constexpr float kSightDistanceSquared = 1024.0f;
constexpr float kStepLength = 32.0f;

struct Group {
    float x = 0.0f;
    float y = 0.0f;
    float destinationX = 0.0f;
    float destinationY = 0.0f;
    float stepX = 0.0f;
    float stepY = 0.0f;
    int32_t stepsLeft = 0;
    int32_t owner = 0;
    int32_t ships = 0;
    int32_t id = 0;
};

struct GroupRegistry {
    std::vector<Group> groups;  // list order = creation order
    int32_t nextId = 0;
};

bool isInContact(float x1, float y1, float x2, float y2);
bool isWithinSight(float x1, float y1, float x2, float y2);
// Whether a course from (x, y) to the destination can be planned: both ends
// finite and the number of steps small enough to count.
bool isPlannableCourse(float x, float y, float destinationX, float destinationY);

// Appends a group owned by `owner` that heads from (x, y) to the destination;
// returns its id, or -1 (and appends nothing) when the course cannot be planned.
int createGroup(GroupRegistry& registry, float x, float y, float destinationX, float destinationY,
                int ships, int owner);
// Appends a stored record with a fresh id; returns that id.
int appendGroupRecord(GroupRegistry& registry, const Group& record);
void removeGroup(GroupRegistry& registry, int id);
void clearGroups(GroupRegistry& registry);

// A destination whose course cannot be planned is ignored, and so is a split
// towards one: the group keeps its ships and its course.
void setDestination(GroupRegistry& registry, int id, float x, float y);
void splitGroup(GroupRegistry& registry, int id, float destinationX, float destinationY, int count,
                int owner);
void combineGroup(GroupRegistry& registry, int id);
void advanceGroups(GroupRegistry& registry, int player);
void setShips(GroupRegistry& registry, int id, int count);

// The returned pointer is valid until the registry next changes.
Group* findGroup(GroupRegistry& registry, int id);
const Group* findGroup(const GroupRegistry& registry, int id);
int ownerOf(const GroupRegistry& registry, int id);
int shipsOf(const GroupRegistry& registry, int id);
void positionOf(const GroupRegistry& registry, int id, float& x, float& y);
int countGroups(const GroupRegistry& registry);
int playerShips(const GroupRegistry& registry, int player);
int teamShips(const GroupRegistry& registry, const Teams& teams, int team);
int findFriendInContact(const GroupRegistry& registry, float x, float y, int excludedId,
                        int player);
const Group* findEnemyInContact(const GroupRegistry& registry, const Teams& teams, float x, float y,
                                int player);
const Group* findEnemyInContactOf(const GroupRegistry& registry, const Teams& teams, int id,
                                  int player);
bool isSeenByTeam(const GroupRegistry& registry, const Teams& teams, float x, float y, int team);
bool isInPosition(const GroupRegistry& registry, const Galaxy& planets, const Teams& teams,
                  const Group& group, int player);
bool hasGroupInPosition(const GroupRegistry& registry, const Galaxy& planets, const Teams& teams,
                        int player);
void revealPlanetsUnderGroups(const GroupRegistry& registry, const Galaxy& planets,
                              const GameSession& session,
                              std::array<PlanetIntel, kMaxPlayers>& intel, int player);
