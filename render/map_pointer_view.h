// What the pointer meets on the star map: the pick pass over the planet
// discs, and the meter that shows how long the left button has been held.
#pragma once

#include "game/game.h"
#include "render/frame_input.h"

// Sets hoveredPlanet to the planet whose disc is under the pointer, or -1;
// every planet takes part, whoever owns it.
void pickPlanet(const Galaxy& planets, PickResults& picks, const FrameInput& input);
// A bar growing from the press time at one unit per 10 ms, red below 500 ms,
// green to 1500 ms, blue beyond, where it stops.
void drawHoldMeter(const FrameInput& input);
