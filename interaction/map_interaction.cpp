// Map interaction: the left and right mouse buttons turned into game actions.
// For now only the press timing is here; what a release does in each phase
// comes with the star map and its pick passes.
#include "game/game.h"
#include "interaction/interaction.h"

void handleLeftClick(Game& game, const InputState& input, uint32_t clock) {
    uint32_t& pressTime = game.interaction.pressTime;
    if (input.leftPressed) {
        pressTime = clock;
        return;
    }
    if (!input.leftReleased) return;
    pressTime = clock - pressTime;  // wraps with the clock
    handleLeftRelease(game, input);
}

void handleLeftRelease(Game&, const InputState&) {}

void handleRightClick(Game&, const InputState&) {}
