// What must hold of a game after every action a player can take: the tests'
// own rules, checked by the fuzz targets that load or play games. A broken
// rule aborts, so the fuzzer keeps the input that broke it.
#pragma once

#include <string>

#include "fuzz/fuzz_failure.h"
#include "game/game_invariants.h"

// While the test mode runs, its battles come and go in a game nobody may own
// anything in, so only the records are checked.
inline void checkInvariants(const Game& game, bool testModeRunning = false) {
    const std::string broken =
        testModeRunning ? brokenRecordInvariant(game) : brokenInvariant(game);
    if (!broken.empty()) fuzzFailure("invariant broken: " + broken);
}
