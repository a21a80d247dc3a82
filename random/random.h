// Random source: the one linear congruential generator behind every draw of
// the game and of its battles. Shared by the rules and the battle simulation,
// so it depends on nothing else of ours.
#pragma once

#include <cstdint>

struct Random {
    uint32_t state = 1;
};

// Next value 0..32767.
int nextRandom(Random& random);
void seedRandom(Random& random, uint32_t seed);
