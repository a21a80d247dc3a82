// Bitmap text: strings drawn as rows of textured quads from the two glyph
// grids of the font image, in map coordinates, left-aligned.
#pragma once

#include "game/font_layout.h"

struct Art;
struct Colour;

// Every glyph fills a cell of the font image, drawn one map unit per texel,
// and the next glyph starts right after it: right-aligned text of n glyphs
// starts n advances left of its end.
constexpr int glyphAdvance(FontSize size) { return fontGrid(size).cellWidth; }
constexpr int glyphHeight(FontSize size) { return fontGrid(size).cellHeight; }

// (x, y) is the top-left corner of the first glyph. drawText draws in yellow
// and leaves the depth test on; drawTextColoured does not touch it.
void drawText(const Art& art, int x, int y, const char* text, FontSize size);
void drawTextColoured(const Art& art, int x, int y, const char* text, const Colour& colour,
                      FontSize size);
