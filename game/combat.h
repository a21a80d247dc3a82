// Combat: the game's side of a battle. It starts a battle from two groups or a
// group and a planet, runs one step of it per frame, and when it is over
// decides what the surviving counts mean: groups removed or thinned, planets
// taken, what each team learns, the statistics and the return to BattlePhase.
#pragma once

#include <cstdint>

struct Game;

// Where each side of the running battle came from; -1 for none (the test
// mode's battles come from nowhere and write nothing back).
struct BattleSources {
    int32_t attackerSource = -1;  // id of the attacking group
    int32_t defenderSource = -1;  // id of the defending group, or the planet's index
};

// Final counts of the last battle that ended, kept for the battle test mode.
struct BattleOutcome {
    int32_t attackerCount = 0;
    int32_t defenderCount = 0;
};

// The longest time one battle step simulates. A shot moves 50 units a second
// and hits only within a window of 6 units, so a longer step could carry every
// shot past its targets and a battle on a slow machine would never end.
constexpr uint32_t kLongestBattleStepMs = 100;

// Fills the battle with both groups' ships, or the group's and the planet's,
// and enters GroupBattle or PlanetBattle. A battle beyond the ship limit is
// not started: one line on standard error, and nothing changes. Returns
// whether it started.
bool startGroupBattle(Game& game, int attackerId, int defenderId);
bool startPlanetBattle(Game& game, int attackerId, int planetIndex);

// One frame of the running battle; frameDeltaMs is the previous frame's time,
// simulated up to kLongestBattleStepMs. When the battle ends, writes the
// outcome back, returns the phase to BattlePhase and empties the battle. Does
// nothing outside the two battle phases.
void battleStep(Game& game, uint32_t frameDeltaMs);

// Empties the battle and forgets where its sides came from.
void emptyBattle(Game& game);
