// The HUD atlas: buttons, the Setup table pieces, the count selector, the
// owner marker, the group sprite and the four info panels on one 256 x 256 image.
#pragma once

#include "tools/canvas.h"

// A rectangle of the atlas in texels: columns s0..s1-1, rows t0..t1-1 counted
// from the bottom of the picture.
struct AtlasRect {
    int s0, s1, t0, t1;
};

constexpr int kButtonCount = 21;
// The rectangles the game samples for buttons 0..20, and the second face of button 3.
extern const AtlasRect kButtonRects[kButtonCount];
constexpr AtlasRect kDonateFace{158, 190, 26, 58};

constexpr AtlasRect kOwnerMarker{0, 40, 216, 256};
constexpr AtlasRect kGroupSprite{41, 51, 246, 256};
constexpr AtlasRect kHoveredPlanetPanel{41, 85, 213, 240};
constexpr AtlasRect kHoveredGroupPanel{41, 85, 185, 212};
constexpr AtlasRect kSelectedPlanetPanel{0, 136, 139, 184};
constexpr AtlasRect kSelectedGroupPanel{0, 128, 93, 138};
constexpr AtlasRect kCountSelector{0, 128, 40, 92};
constexpr AtlasRect kPlayerHeader{0, 58, 21, 36};
constexpr AtlasRect kTeamHeader{59, 99, 21, 36};
constexpr AtlasRect kPlayerBar{0, 58, 5, 20};
constexpr AtlasRect kTeamBox{59, 74, 5, 20};

// The eight count selector controls (confirm, max, +10, +1, -1, -10, min,
// cancel) inside the selector picture: columns from its left, rows from its top.
constexpr int kSelectorControlLeft = 29;
constexpr int kSelectorControlPitch = 9;
constexpr int kSelectorControlWidth = 6;
constexpr int kSelectorControlTop = 43;
constexpr int kSelectorControlHeight = 9;

// Fails (false) only when a font can't be opened.
bool makeHudImage(Canvas& atlas);
