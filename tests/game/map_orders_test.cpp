// Map orders as the computer gives them, without a pointer: only what a
// player's click could do is done.
#include "game/map_orders.h"

#include <gtest/gtest.h>

#include "game/commands.h"
#include "game/describe_game.h"
#include "game/game.h"

TEST(MapOrders, OnlyOwnGroupsAndPlanetsInTheirPhasesAnswer) {
    Game game;
    initialiseGame(game);
    game.session.teams = {0, 1};
    dispatchCommand(game, CommandId::BeginTurn);
    clearGroups(game.registry);
    const int mine = createGroup(game.registry, 0, 0, 0, 0, 20, 0);
    const int theirs = createGroup(game.registry, 50, 0, 50, 0, 20, 1);
    game.planets[3].owner = 0;
    game.planets[3].ships = 4;
    game.planets[4].owner = 1;

    const std::string onTheTurnScreen = describeGame(game);
    EXPECT_FALSE(selectGroup(game, mine));
    EXPECT_FALSE(selectPlanet(game, 3));
    giveDestination(game, 10, 10);
    cancelSelection(game);
    EXPECT_EQ(describeGame(game), onTheTurnScreen);

    dispatchCommand(game, CommandId::BeginTurn);
    EXPECT_FALSE(selectGroup(game, theirs));
    EXPECT_FALSE(selectGroup(game, 99));
    EXPECT_FALSE(selectPlanet(game, 4));
    EXPECT_FALSE(selectPlanet(game, 32));
    EXPECT_TRUE(selectPlanet(game, 3));
    EXPECT_TRUE(game.buttons.buttons[static_cast<int>(CommandId::CreateGroup)].visible);
    EXPECT_TRUE(selectGroup(game, mine));
    giveDestination(game, 64, 0);
    EXPECT_EQ(findGroup(game.registry, mine)->stepsLeft, 2);

    dispatchCommand(game, CommandId::EndMovement);
    EXPECT_FALSE(selectPlanet(game, 3)) << "no planet is selected in the battle phase";
    EXPECT_TRUE(selectGroup(game, mine));
    game.session.selectedGroupId = theirs;  // however it came to be selected
    giveDestination(game, -64, 0);
    EXPECT_EQ(findGroup(game.registry, theirs)->stepsLeft, 0);
}
