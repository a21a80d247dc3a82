// The program's tick without its frame, at 16 ms frames on a controlled
// clock: how the whole games of the tests are played.
#pragma once

#include <cstdint>

#include "game/game.h"
#include "play/tick.h"

constexpr uint32_t kFrameMs = 16;

inline void tickWithoutFrame(Game& game, PlayState& play, uint32_t& clock) {
    playBeforeFrame(game, play, clock);
    playAfterFrame(game, play, kFrameMs);
    clock += kFrameMs;
}
