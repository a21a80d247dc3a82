// The game's one pseudo-random generator: a linear congruential generator
// whose sequence is fixed, so that a seed replays a game draw for draw.
#include "random/random.h"

int nextRandom(Random& random) {
    random.state = random.state * 214013u + 2531011u;
    return static_cast<int>((random.state >> 16) & 32767u);
}

void seedRandom(Random& random, uint32_t seed) { random.state = seed; }
