// The font image's layout: two grids of glyph cells for codes 0 to 127, drawn
// one map unit per texel. The art program paints these cells and the text on
// screen steps by them, so both read the sizes from here.
#pragma once

#include <cstdint>

enum class FontSize : int32_t {
    Small = 0,
    Large = 1,
};

// Rows of a grid count from the top of the picture; codes run along the rows.
struct FontGrid {
    int cellWidth;
    int cellHeight;
    int firstRowFromTop;
};
constexpr FontGrid kSmallGrid{7, 9, 96};
constexpr FontGrid kLargeGrid{9, 11, 171};
constexpr int kGridColumns = 20;
constexpr int kGridCodes = 128;

constexpr const FontGrid& fontGrid(FontSize size) {
    return size == FontSize::Large ? kLargeGrid : kSmallGrid;
}
