// The tick every runner shares: the part of it that neither reads the window
// nor draws, as two calls around the frame, so the program, the arena and the
// tests play a game in the same order.
#pragma once

#include <cstdint>

#include "ai/computer_seat.h"
#include "game/player_command.h"
#include "game/test_mode.h"
#include "interaction/interaction.h"

struct Game;

// A battle over a network advances in steps of this much game time, so every
// machine computes it alike whatever its frames.
constexpr uint32_t kFixedBattleStepMs = 16;
// At most this many steps a tick: a machine that falls behind catches up
// over several ticks rather than freezing in one.
constexpr uint32_t kMostBattleStepsATick = 6;

// What a runner keeps beside the game for the tick: the input as the events
// left it (a runner without a mouse leaves it untouched), the test mode, and
// the computer's seats.
struct PlayState {
    InputState input;
    TestHarness harness;
    ComputerSeats computers;
    // A game over a network: this machine's commands go to `send` rather
    // than straight to the rules, and while one is on its way (`waiting`)
    // the clicks and the computer wait for the game they would act on.
    CommandSink send;
    bool waiting = false;
    // ... and its battles advance in fixed steps, carrying what a frame leaves over.
    bool fixedBattleSteps = false;
    uint32_t battleCarryMs = 0;
};

// Before the frame: the test mode's step, the left click, the right click,
// then the computer's step. On one machine their commands are applied at
// once, in that order.
void playBeforeFrame(Game& game, PlayState& play, uint32_t clock);

// After the frame: the animation step, then the battle step with the frame's
// delta (or the fixed steps it adds up to).
void playAfterFrame(Game& game, PlayState& play, uint32_t frameDelta);
