// The count selector on screen: the number of ships chosen and what would be
// left behind, and the pick pass over its eight controls along the lower edge.
#pragma once

#include "render/frame_input.h"

struct Art;
struct Game;
struct PickResults;

// The remainder is taken from the selected group (a split) or the selected
// planet (a new group); with neither there is no remainder line.
void drawCountSelector(const Art& art, const Game& game);
// Sets hoveredSelectorControl to the control under the pointer, or -1.
void pickCountSelector(PickResults& picks, const FrameInput& input);
