#include <algorithm>
#include <memory>

#include "tools/font_art.h"

namespace {

// Glyph texels: light enough that text shows the colour it is drawn in, yet
// not the pure white that the game treats as transparent.
constexpr Rgb kGlyphColour{254, 254, 254};

struct GridStyle {
    FontGrid grid;
    int pixelSize;
    int ascent;  // rows above the baseline inside a cell
};

// Fits a glyph into a cell: a glyph taller than the cell first loses rows
// that are empty (the gap under the dot of a j), then its lowest rows.
GlyphBits fitHeight(GlyphBits glyph, int cellHeight) {
    auto rowEmpty = [&](int row) {
        for (int column = 0; column < glyph.width; ++column)
            if (glyph.lit[static_cast<size_t>(row) * glyph.width + column]) return false;
        return true;
    };
    for (int row = 1; glyph.height > cellHeight && row < glyph.height - 1;) {
        if (rowEmpty(row)) {
            glyph.lit.erase(glyph.lit.begin() + static_cast<long>(row) * glyph.width,
                            glyph.lit.begin() + static_cast<long>(row + 1) * glyph.width);
            --glyph.height;
        } else {
            ++row;
        }
    }
    if (glyph.height > cellHeight) {
        glyph.height = cellHeight;
        glyph.lit.resize(static_cast<size_t>(glyph.width) * glyph.height);
    }
    return glyph;
}

void paintGrid(Canvas& image, FontFace& face, const GridStyle& style) {
    const FontGrid& grid = style.grid;
    for (int code = 33; code < 127; ++code) {
        const GlyphBits glyph =
            fitHeight(renderGlyph(face, static_cast<char>(code)), grid.cellHeight);
        // The last column of a cell stays empty: it is the gap between letters.
        const int usableWidth = grid.cellWidth - 1;
        // The font's own side bearing keeps narrow marks (. , ' |) where a
        // monospaced reader expects them.
        const int left = std::clamp(glyph.left + (usableWidth - glyph.advance) / 2, 0,
                                    std::max(0, usableWidth - glyph.width));
        const int top = std::clamp(style.ascent - glyph.top, 0, grid.cellHeight - glyph.height);
        const int cellX = (code % kGridColumns) * grid.cellWidth;
        const int cellY = grid.firstRowFromTop + (code / kGridColumns) * grid.cellHeight;
        for (int row = 0; row < glyph.height; ++row)
            for (int column = 0; column < std::min(glyph.width, usableWidth - left); ++column)
                if (glyph.lit[static_cast<size_t>(row) * glyph.width + column])
                    setPixel(image, cellX + left + column, cellY + top + row, kGlyphColour);
    }
}

}  // namespace

bool makeFontImage(Canvas& image) {
    image = makeCanvas(256, 256);
    const GridStyle styles[] = {{kSmallGrid, 10, 7}, {kLargeGrid, 11, 8}};
    for (const GridStyle& style : styles) {
        const FaceHandle face = openFace(monoFontPath(), style.pixelSize);
        if (!face) return false;
        paintGrid(image, *face, style);
    }
    return true;
}
