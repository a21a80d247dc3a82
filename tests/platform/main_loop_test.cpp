// The main loop and its tick in a real window: events from SDL's queue one
// per tick and in order, pointer moves collapsed, buttons other than left and
// right ignored, the tick's order as far as it shows (press time, harness
// before the battle step, the step before the timing), frame timing by the
// clock, and the loop's end.
#include <gtest/gtest.h>

#include <string>

#include "game/commands.h"
#include "window_fixture.h"

namespace {

using MainLoop = WindowFixture;
using Tick = WindowFixture;

TEST_F(MainLoop, DeliversOneEventPerTickInOrderAndLosesNone) {
    pushEvents({mouseButton(SDL_BUTTON_LEFT, true), mouseButton(SDL_BUTTON_LEFT, false),
                mouseButton(SDL_BUTTON_RIGHT, true), mouseButton(SDL_BUTTON_LEFT, true),
                mouseButton(SDL_BUTTON_RIGHT, false), mouseButton(SDL_BUTTON_LEFT, false),
                key(SDLK_F5, true), key(SDLK_F5, false)});
    const InputState& input = program->play.input;

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_TRUE(input.leftPressed);

    ASSERT_TRUE(runLoopPass(*program));  // this tick saw the press
    EXPECT_TRUE(input.leftReleased);
    EXPECT_FALSE(input.leftPressed);
    EXPECT_FALSE(input.leftHeld);

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_TRUE(input.rightPressed);
    EXPECT_TRUE(input.leftReleaseSeen);

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_TRUE(input.leftPressed);
    EXPECT_TRUE(input.rightHeld);

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_TRUE(input.rightReleased);
    EXPECT_TRUE(input.leftHeld);

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_TRUE(input.leftReleased);
    EXPECT_TRUE(input.rightReleaseSeen);

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_TRUE(input.keyDown[116]);
    EXPECT_TRUE(input.leftReleaseSeen);

    ASSERT_TRUE(runLoopPass(*program));
    EXPECT_FALSE(input.keyDown[116]);
}

TEST_F(MainLoop, ButtonsOtherThanLeftAndRightAreIgnored) {
    for (const uint8_t button : {SDL_BUTTON_MIDDLE, SDL_BUTTON_X1, SDL_BUTTON_X2}) {
        SCOPED_TRACE("button " + std::to_string(button));
        pushEvents({mouseButton(button, true), mouseButton(button, false)});
        for (int pass = 0; pass < 3; ++pass) {
            runLoopPass(*program);
            const InputState& input = program->play.input;
            EXPECT_FALSE(input.leftPressed || input.leftHeld || input.leftReleased ||
                         input.leftReleaseSeen || input.rightPressed || input.rightHeld ||
                         input.rightReleased || input.rightReleaseSeen);
        }
    }
}

TEST_F(MainLoop, PointerMovesCollapseIntoTheLatest) {
    pushEvents({mouseMove(1, 1), mouseMove(2, 2), mouseMove(3, 3),
                mouseButton(SDL_BUTTON_LEFT, true), mouseMove(4, 4), mouseMove(5, 5),
                mouseButton(SDL_BUTTON_LEFT, false)});
    const InputState& input = program->play.input;

    runLoopPass(*program);
    EXPECT_EQ(input.mouseX, 3);
    EXPECT_EQ(input.mouseY, 3);
    EXPECT_FALSE(input.leftPressed);

    runLoopPass(*program);  // the press is never merged into a move
    EXPECT_TRUE(input.leftPressed);
    EXPECT_EQ(input.mouseX, 3);

    runLoopPass(*program);
    EXPECT_EQ(input.mouseX, 5);
    EXPECT_EQ(input.mouseY, 5);
    EXPECT_TRUE(input.leftHeld);

    runLoopPass(*program);
    EXPECT_TRUE(input.leftReleased);
    EXPECT_EQ(program->play.input.mapX, 5 - 400);  // mapped by the last tick
    EXPECT_EQ(program->play.input.mapY, 300 - 5);
}

TEST_F(MainLoop, CloseRequestStopsTheLoopBeforeTheNextTickWithCodeZero) {
    pushEvents({mouseMove(10, 10), quitEvent(), mouseMove(20, 20)});
    now = 500;

    EXPECT_EQ(runMainLoop(*program), 0);
    EXPECT_EQ(program->play.input.mouseX, 10);
    EXPECT_EQ(program->play.input.mapX, 10 - 400);  // the tick after the move ran
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION), 1);
    EXPECT_EQ(left.motion.x, 20);  // taken by no further pass
}

TEST_F(MainLoop, QuitRequestStandsBeforeAnyTickGivesItsCode) {
    pushEvents({mouseMove(10, 10)});
    requestQuit(program->game, 3);
    now = 900;
    EXPECT_EQ(runMainLoop(*program), 3);
    EXPECT_EQ(program->frameTime, 0u);  // no tick took the clock
    EXPECT_EQ(program->play.input.mouseX, 0);
}

TEST_F(MainLoop, HeldF2StartsTheTestModeOnce) {
    SDL_Event held = key(SDLK_F2, true, true);
    pushEvents({key(SDLK_F2, true), held, held, held, held, held, held, held, held,
                key(SDLK_F2, false), mouseMove(1, 1)});
    runLoopPass(*program);
    runLoopPass(*program);  // this tick starts it, and steps the new battle
    EXPECT_EQ(program->game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(program->game.battle.shots.size(), 10000u);  // the first volley
    for (int pass = 0; pass < 9; ++pass) runLoopPass(*program);

    EXPECT_FALSE(program->play.input.keyDown[113]);
    EXPECT_EQ(program->play.harness.battleNumber, 2u);
    EXPECT_EQ(readFile("Data/output.txt"), "Battle 1:\n5000 VS 5000\n");
}

TEST_F(Tick, FrameDeltaFollowsTheClockAndWraps) {
    now = 1016;
    runTick(*program);
    EXPECT_EQ(program->frameDelta, 1016u);
    EXPECT_EQ(program->frameTime, 1016u);
    runTick(*program);
    EXPECT_EQ(program->frameDelta, 0u);

    now = 0xFFFFFFF0u;
    runTick(*program);
    now = 0x10u;
    runTick(*program);
    EXPECT_EQ(program->frameDelta, 0x20u);
}

TEST_F(Tick, PressTimeIsTheClockOfTheTickThatSeesThePress) {
    pushEvents(
        {mouseButton(SDL_BUTTON_LEFT, true), mouseButton(SDL_BUTTON_LEFT, false), mouseMove(1, 1)});
    uint32_t& pressTime = program->play.input.pressTime;
    now = 100;
    runLoopPass(*program);  // delivers the press after its tick
    EXPECT_EQ(pressTime, 0u);
    now = 250;
    runLoopPass(*program);
    EXPECT_EQ(pressTime, 250u);
    now = 700;
    runLoopPass(*program);  // the release tick turns it into the duration
    EXPECT_EQ(pressTime, 450u);
    now = 900;
    runLoopPass(*program);
    EXPECT_EQ(pressTime, 450u);
}

TEST_F(Tick, BattleStepTakesThePreviousFramesDelta) {
    // One attacker against nobody: its single shot must fly 92 units (1.84 s)
    // out of play before the battle can end.
    Game& game = program->game;
    fillBattle(game.battle, game.random, 1, 0);
    game.session.phase = GamePhase::GroupBattle;

    runTick(*program);  // fires the shot; a frame of 0 ms
    now = 2000;
    runTick(*program);  // this frame took 2 s, but the step had the 0 ms one
    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    ASSERT_EQ(game.battle.shots.size(), 1u);
    EXPECT_EQ(game.battle.shots[0].x, -43.0f);
    runTick(*program);  // now the step has the 2 s frame, simulated as 0.1 s
    EXPECT_EQ(game.battle.shots[0].x, -38.0f);

    // Frames of 0.1 s from here (the first step still has the 0 ms frame):
    // 18 more steps carry the shot past 49 and end the battle.
    for (int frame = 0; frame < 18; ++frame) {
        now += 100;
        runTick(*program);
    }
    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    now += 100;
    runTick(*program);  // now the shot leaves play and the battle ends
    EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
    EXPECT_EQ(game.lastOutcome.attackerCount, 1);
    EXPECT_EQ(game.lastOutcome.defenderCount, 0);

    now += 7000;
    runTick(*program);  // no battle, no step
    EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
}

}  // namespace
