// The group registry: movement plans, stepping, contact and sight, combining,
// splitting, removal and the reveal of planets under standing groups.
#include <gtest/gtest.h>

#include <cmath>

#include "game/game.h"

namespace {

int stepsFor(float distance) {
    GroupRegistry registry;
    const int id = createGroup(registry, 0.0f, 0.0f, distance, 0.0f, 1, 0);
    return findGroup(registry, id)->stepsLeft;
}

}  // namespace

TEST(GroupRegistry, StepsLeftAtTheBoundaryDistances) {
    EXPECT_EQ(stepsFor(64.0f), 2);
    EXPECT_EQ(stepsFor(64.5f), 3);
    EXPECT_EQ(stepsFor(31.9f), 1);
    EXPECT_EQ(stepsFor(32.0f), 1);
    EXPECT_EQ(stepsFor(32.01f), 2);
    EXPECT_EQ(stepsFor(0.0f), 0);
}

TEST(GroupRegistry, AdvancesStepByStepToTheExactDestination) {
    GroupRegistry registry;
    // 41 units away along a slanted line: 2 steps.
    const float dx = 41.0f * 0.6f, dy = 41.0f * 0.8f;
    const int id = createGroup(registry, 10.0f, 20.0f, 10.0f + dx, 20.0f + dy, 5, 1);
    const int other = createGroup(registry, 0.0f, 0.0f, 100.0f, 0.0f, 5, 0);
    Group* g = findGroup(registry, id);
    EXPECT_EQ(g->stepsLeft, 2);
    EXPECT_NEAR(std::sqrt(g->stepX * g->stepX + g->stepY * g->stepY), 32.0f, 1e-4f);

    advanceGroups(registry, 1);
    g = findGroup(registry, id);
    EXPECT_EQ(g->stepsLeft, 1);
    EXPECT_NEAR(std::hypot(g->x - 10.0f, g->y - 20.0f), 32.0f, 1e-4f);
    EXPECT_EQ(findGroup(registry, other)->x, 0.0f);  // another player's group stays

    advanceGroups(registry, 1);
    g = findGroup(registry, id);
    EXPECT_EQ(g->stepsLeft, 0);
    EXPECT_EQ(g->x, g->destinationX);
    EXPECT_EQ(g->y, g->destinationY);
    advanceGroups(registry, 1);
    EXPECT_EQ(findGroup(registry, id)->x, 10.0f + dx);

    setDestination(registry, id, g->x, g->y);  // a destination where it stands
    EXPECT_EQ(findGroup(registry, id)->stepsLeft, 0);
}

TEST(GroupRegistry, ContactAndSightBoundsAreInclusive) {
    EXPECT_TRUE(isInContact(0.0f, 0.0f, 3.0f, 4.0f));
    EXPECT_FALSE(isInContact(0.0f, 0.0f, 3.0f, 4.01f));
    EXPECT_TRUE(isWithinSight(0.0f, 0.0f, 0.0f, 32.0f));
    EXPECT_FALSE(isWithinSight(0.0f, 0.0f, 0.0f, 32.01f));

    GroupRegistry registry;
    Teams teams{0, 1, 0};
    createGroup(registry, 0.0f, 0.0f, 0.0f, 0.0f, 10, 1);
    EXPECT_TRUE(isSeenByTeam(registry, teams, 32.0f, 0.0f, 1));
    EXPECT_FALSE(isSeenByTeam(registry, teams, 32.0f, 0.0f, 0));
}

TEST(GroupRegistry, EnemiesAreOtherTeamsNotOtherPlayers) {
    GroupRegistry registry;
    Teams teams{0, 0, 1, 2};
    const int own = createGroup(registry, 0, 0, 0, 0, 10, 0);
    createGroup(registry, 1, 0, 1, 0, 10, 1);  // ally in contact
    EXPECT_EQ(findEnemyInContact(registry, teams, 0, 0, 0), nullptr);
    const int enemy = createGroup(registry, 0, 2, 0, 2, 10, 3);
    createGroup(registry, 0, 1, 0, 1, 10, 2);
    ASSERT_NE(findEnemyInContactOf(registry, teams, own, 0), nullptr);
    EXPECT_EQ(findEnemyInContactOf(registry, teams, own, 0)->id, enemy);  // first in list order
    EXPECT_EQ(findEnemyInContactOf(registry, teams, 99, 0), nullptr);
    EXPECT_EQ(findFriendInContact(registry, 0, 0, own, 0), -1);  // the ally is not a friend
}

TEST(GroupRegistry, CombineAbsorbsOnlyTheFirstSameOwnerGroupInContact) {
    GroupRegistry registry;
    const int a = createGroup(registry, 0, 0, 50, 50, 10, 0);
    createGroup(registry, 2, 0, 2, 0, 99, 1);  // another owner in contact
    const int b = createGroup(registry, 4, 0, 4, 0, 20, 0);
    const int c = createGroup(registry, 0, 3, 0, 3, 30, 0);
    combineGroup(registry, a);
    const Group* g = findGroup(registry, a);
    EXPECT_EQ(g->ships, 30);
    EXPECT_EQ(g->x, 2.0f);
    EXPECT_EQ(g->y, 0.0f);
    EXPECT_EQ(g->destinationX, 2.0f);
    EXPECT_EQ(g->stepsLeft, 0);
    EXPECT_EQ(findGroup(registry, b), nullptr);
    EXPECT_NE(findGroup(registry, c), nullptr);
    EXPECT_EQ(registry.groups.front().id, a);  // keeps its list place
    combineGroup(registry, 77);                // unknown id: nothing
    EXPECT_EQ(countGroups(registry), 3);
}

TEST(GroupRegistry, SplitKeepsTheCourseOfTheOldGroup) {
    GroupRegistry registry;
    const int id = createGroup(registry, 0, 0, 100, 0, 10, 2);
    advanceGroups(registry, 2);
    const int newId = registry.nextId;
    splitGroup(registry, id, -50, 0, 3, 2);
    const Group* old = findGroup(registry, id);
    const Group* split = findGroup(registry, newId);
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(old->ships, 7);
    EXPECT_EQ(old->destinationX, 100.0f);
    EXPECT_EQ(old->stepsLeft, 3);
    EXPECT_EQ(split->ships, 3);
    EXPECT_EQ(split->x, 32.0f);
    EXPECT_EQ(split->destinationX, -50.0f);
    EXPECT_EQ(split->owner, 2);
    EXPECT_EQ(registry.groups.back().id, newId);
}

TEST(GroupRegistry, RemoveHeadTailAndOnlyKeepsTheListConsistent) {
    GroupRegistry registry;
    for (int i = 0; i < 4; ++i) createGroup(registry, 0, 0, 0, 0, i + 1, 0);
    removeGroup(registry, 0);  // head
    removeGroup(registry, 3);  // tail
    removeGroup(registry, 9);  // nothing
    ASSERT_EQ(countGroups(registry), 2);
    const int appended = createGroup(registry, 0, 0, 0, 0, 9, 0);
    EXPECT_EQ(appended, 4);  // ids are never reused
    EXPECT_EQ(registry.groups.back().id, 4);
    removeGroup(registry, 1);
    removeGroup(registry, 2);
    removeGroup(registry, 4);
    EXPECT_EQ(countGroups(registry), 0);
    EXPECT_EQ(createGroup(registry, 0, 0, 0, 0, 1, 0), 5);
    clearGroups(registry);
    EXPECT_EQ(createGroup(registry, 0, 0, 0, 0, 1, 0), 0);

    float x = 7.0f, y = 8.0f;
    positionOf(registry, 42, x, y);
    EXPECT_EQ(x, 7.0f);
    EXPECT_EQ(ownerOf(registry, 42), -1);
    EXPECT_EQ(shipsOf(registry, 42), -1);
}

TEST(GroupRegistry, StandingGroupsRevealEnemyPlanetsToTheWholeTeamOnly) {
    Game game;
    game.session.playerCount = 4;
    game.session.teams = {0, 1, 0, 1, 0, 0, 0, 0};
    Planet& enemy = game.planets[5];
    enemy.x = 40.0f, enemy.y = 40.0f, enemy.owner = 1, enemy.ships = 17;
    Planet& allied = game.planets[6];
    allied.x = 80.0f, allied.y = 0.0f, allied.owner = 2, allied.ships = 3;
    Planet& neutral = game.planets[7];
    neutral.x = -80.0f, neutral.y = 0.0f, neutral.owner = -1;
    Planet& passed = game.planets[8];
    passed.x = 0.0f, passed.y = 100.0f, passed.owner = 3, passed.ships = 4;
    createGroup(game.registry, 40, 40, 40, 40, 5, 0);
    createGroup(game.registry, 80, 0, 80, 0, 5, 0);
    createGroup(game.registry, -80, 0, -80, 0, 5, 0);
    createGroup(game.registry, 0, 100, 0, 200, 5, 0);  // still moving over planet 8

    revealPlanetsUnderGroups(game.registry, game.planets, game.session, game.intel, 0);
    for (int player : {0, 2}) {
        EXPECT_EQ(game.intel[player].knownOwner[5], 1);
        EXPECT_EQ(game.intel[player].knownShips[5], 17);
    }
    for (int player : {1, 3, 4, 5, 6, 7}) EXPECT_EQ(game.intel[player].knownOwner[5], -1);
    for (int player = 0; player < kMaxPlayers; ++player) {
        EXPECT_EQ(game.intel[player].knownOwner[6], -1);
        EXPECT_EQ(game.intel[player].knownOwner[7], -1);
        EXPECT_EQ(game.intel[player].knownOwner[8], -1);
    }
}
