// Map interaction: the left and right mouse buttons turned into game actions.
// The Setup and turn screens answer the left button; what a release does on
// the star map, and the right button, come with the star map's mouse rules.
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

void handleLeftRelease(Game& game, const InputState&) {
    const int hoveredButton = game.buttons.hovered;
    switch (game.session.phase) {
        case GamePhase::Setup:
            if (hoveredButton != -1) {
                dispatchCommand(game, hoveredButton);
            } else if (game.interaction.hoveredSetupRow != -1) {
                cycleTeam(game.session, game.interaction.hoveredSetupRow);
            }
            break;
        case GamePhase::TurnStart:
            if (hoveredButton != -1) dispatchCommand(game, hoveredButton);
            break;
        default: break;
    }
}

void handleRightClick(Game&, const InputState&) {}
