// Lettering: glyphs rasterised one bit deep with FreeType from the system's
// DejaVu fonts, for the game's font image and for the labels painted into the HUD.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/font_layout.h"
#include "tools/canvas.h"

struct FontFace;  // an open FreeType face at one pixel size

struct GlyphBits {
    int width = 0;
    int height = 0;
    int left = 0;           // from the pen position to the first column
    int top = 0;            // from the baseline up to the first row
    int advance = 0;        // pixels from this pen position to the next
    std::vector<bool> lit;  // row by row, top row first
};

struct FaceCloser {
    void operator()(FontFace* face) const;
};
using FaceHandle = std::unique_ptr<FontFace, FaceCloser>;

// Empty (with a line on standard error) when the font file can't be opened.
FaceHandle openFace(const std::string& path, int pixelSize);
GlyphBits renderGlyph(FontFace& face, char code);

// The font image: both glyph grids for codes 0..127, 256 x 256. Fails (false)
// only when a font can't be opened.
bool makeFontImage(Canvas& image);

// Writes `text` with its baseline at `baseline` (rows from the top) starting at
// x; returns the x after the last glyph. Lit pixels get `colour`.
// With `tight` the letters sit one column apart whatever the font's spacing,
// for labels in the smallest panels.
int paintText(Canvas& canvas, FontFace& face, int x, int baseline, const std::string& text,
              Rgb colour, bool tight = false);
int textWidth(FontFace& face, const std::string& text, bool tight = false);

// The fonts the art is lettered with (from the fonts-dejavu-core package).
std::string monoFontPath();
std::string sansFontPath();
std::string boldFontPath();
