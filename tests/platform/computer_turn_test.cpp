// The computer's turn inside the real tick, on a controlled clock: it begins
// half a second after its turn screen first shows, draws on its own random
// source and never on the game's, and hands over to the next player's turn
// screen by itself.
#include <gtest/gtest.h>

#include "game/commands.h"
#include "window_fixture.h"

namespace {

using ComputerTurn = WindowFixture;

TEST_F(ComputerTurn, BeginsHalfASecondAfterItsTurnScreenAndEndsByItself) {
    game.seats[1] = Seat::Computer;
    dispatchCommand(game, CommandId::BeginTurn);
    for (CommandId id : {CommandId::BeginTurn, CommandId::EndMovement, CommandId::EndBattle})
        dispatchCommand(game, id);
    ASSERT_EQ(game.session.currentPlayer, 1);
    // Every planet is the computer's already: its groups have nothing to take
    // and go out to look, where they please.
    for (Planet& planet : game.planets) planet.owner = 1;

    now = 1000;
    runTick(*program);  // the first frame of its turn screen
    now = 1499;
    runTick(*program);
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    now = 1500;
    runTick(*program);
    EXPECT_EQ(game.session.phase, GamePhase::Movement);

    // The game's generator is left to the battles.
    const uint32_t generator = game.random.state;
    for (int ticks = 0; game.session.phase != GamePhase::TurnStart && ticks < 5000; ++ticks) {
        now += 16;
        runTick(*program);
    }
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(game.session.currentPlayer, 0);
    EXPECT_EQ(game.random.state, generator);
    int settingOut = 0;
    for (const Group& group : game.registry.groups)
        settingOut += group.owner == 1 && group.stepsLeft > 0;
    EXPECT_EQ(settingOut, 2);
}

}  // namespace
