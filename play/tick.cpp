// The shared tick. A game on one machine hands every command straight to the
// rules, so a click or a computer's action is in force for the next one.
#include "play/tick.h"

#include "game/animation.h"
#include "game/combat.h"
#include "game/game.h"
#include "game/player_command.h"

void playBeforeFrame(Game& game, PlayState& play, uint32_t clock) {
    const CommandSink apply = [&game](const PlayerCommand& command) {
        applyCommand(game, command);
    };
    InputState& input = play.input;
    runHarness(play.harness, game, input.keyDown, input.keyLatch, clock);
    handleLeftClick(game, input, clock, apply);
    handleRightClick(game, input, apply);
    stepComputerSeat(play.computers, game, clock, apply);
}

void playAfterFrame(Game& game, uint32_t frameDelta) {
    advanceAnimation(game, frameDelta);
    if (isBattlePhase(game.session.phase)) battleStep(game, frameDelta);
}
