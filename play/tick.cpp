// The shared tick. A game on one machine hands every command straight to the
// rules, so a click or a computer's action is in force for the next one.
#include "play/tick.h"

#include <algorithm>

#include "game/animation.h"
#include "game/combat.h"
#include "game/game.h"

namespace {

// What a slow machine may still owe its battle; beyond it the battle is
// simply slower on that screen.
constexpr uint32_t kMostCarriedMs = 10 * kMostBattleStepsATick * kFixedBattleStepMs;

void stepBattleFixed(Game& game, PlayState& play, uint32_t frameDelta) {
    if (!isBattlePhase(game.session.phase)) {
        play.battleCarryMs = 0;
        return;
    }
    const uint32_t owed = std::min(play.battleCarryMs, kMostCarriedMs) + frameDelta;
    const uint32_t steps = std::min(owed / kFixedBattleStepMs, kMostBattleStepsATick);
    play.battleCarryMs = owed - steps * kFixedBattleStepMs;
    for (uint32_t step = 0; step < steps && isBattlePhase(game.session.phase); ++step)
        battleStep(game, kFixedBattleStepMs);
    if (!isBattlePhase(game.session.phase)) play.battleCarryMs = 0;
}

}  // namespace

void playBeforeFrame(Game& game, PlayState& play, uint32_t clock) {
    const CommandSink apply = [&game](const PlayerCommand& command) {
        applyCommand(game, command);
    };
    const CommandSink& sink = play.send ? play.send : apply;
    InputState& input = play.input;
    // The test mode's battles are this machine's alone: never over a network.
    if (!game.network.on) runHarness(play.harness, game, input.keyDown, input.keyLatch, clock);
    if (play.waiting) return;
    handleLeftClick(game, input, clock, sink);
    if (play.waiting) return;
    handleRightClick(game, input, sink);
    if (play.waiting) return;
    stepComputerSeat(play.computers, game, clock, sink);
}

void playAfterFrame(Game& game, PlayState& play, uint32_t frameDelta) {
    advanceAnimation(game, frameDelta);
    if (play.fixedBattleSteps) {
        stepBattleFixed(game, play, frameDelta);
    } else if (isBattlePhase(game.session.phase)) {
        battleStep(game, frameDelta);
    }
}
