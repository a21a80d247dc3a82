// Bitmap text: strings drawn as rows of textured quads from the two glyph
// grids of the font image, in map coordinates, left-aligned.
#pragma once

#include <cstdint>

struct Art;
struct Colour;

enum class FontSize : int32_t {
    Small = 0,  // 7 x 9 cells
    Large = 1,  // 9 x 11 cells
};

// (x, y) is the top-left corner of the first glyph. drawText draws in yellow
// and leaves the depth test on; drawTextColoured does not touch it.
void drawText(const Art& art, int x, int y, const char* text, FontSize size);
void drawTextColoured(const Art& art, int x, int y, const char* text, const Colour& colour,
                      FontSize size);
