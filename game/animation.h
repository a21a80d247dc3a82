// Animation: the angles that turn with time while the star map is shown
// (every planet's spin, the selected planet's marker and the marker around the
// selected group), advanced once per tick after the frame has shown them.
#pragma once

#include <cstdint>

struct Game;

// Turns them by 30 degrees a second of `frameDelta` ms, each only while it is
// shown: in a map phase, the planet marker of the selected planet, the group
// marker while the selected group exists. Every angle wraps at a full turn.
void advanceAnimation(Game& game, uint32_t frameDelta);
