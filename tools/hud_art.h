// The HUD atlas: buttons, the Setup table pieces, the count selector, the
// owner marker, the group sprite and the four info panels on one image, each
// painted into its region of the game's atlas layout.
#pragma once

#include "game/hud_atlas.h"
#include "tools/canvas.h"

// Fails (false) only when a font can't be opened.
bool makeHudImage(Canvas& atlas);
// The face of button `index` alone, as makeHudImage places it in its region;
// false for an index without a face or a font that can't be opened.
bool makeButtonFace(int index, Canvas& face);
// The planet button's second face alone.
Canvas makeDonationFace();
