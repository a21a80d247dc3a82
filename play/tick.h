// The tick every runner shares: the part of it that neither reads the window
// nor draws, as two calls around the frame, so the program, the arena and the
// tests play a game in the same order.
#pragma once

#include <cstdint>

#include "ai/computer_seat.h"
#include "game/test_mode.h"
#include "interaction/interaction.h"

struct Game;

// What a runner keeps beside the game for the tick: the input as the events
// left it (a runner without a mouse leaves it untouched), the test mode, and
// the computer's seats.
struct PlayState {
    InputState input;
    TestHarness harness;
    ComputerSeats computers;
};

// Before the frame: the test mode's step, the left click, the right click,
// then the computer's step. Their commands are applied at once, in that order.
void playBeforeFrame(Game& game, PlayState& play, uint32_t clock);

// After the frame: the animation step, then the battle step with the frame's
// delta.
void playAfterFrame(Game& game, uint32_t frameDelta);
