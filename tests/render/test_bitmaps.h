// Bitmap files made by the tests: whole 24-bit files with every texel chosen,
// and the test font and HUD pictures whose texels tell what was sampled.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "data_folder.h"
#include "game/hud_atlas.h"

struct Texel {
    uint8_t r, g, b;
    bool operator==(const Texel&) const = default;
};

// An uncompressed bottom-up 24-bit BMP; t counts from the picture's bottom row.
inline std::vector<uint8_t> encodeBitmap(int width, int height,
                                         const std::function<Texel(int s, int t)>& texel) {
    std::vector<uint8_t> bytes{'B', 'M'};
    auto put = [&](uint32_t value, int size) {
        // Fields wider than the value (the 16 zero bytes) get zeros, not a shift past 31.
        for (int i = 0; i < size; ++i)
            bytes.push_back(i < 4 ? static_cast<uint8_t>(value >> (8 * i)) : uint8_t{0});
    };
    const uint32_t pixelBytes = static_cast<uint32_t>(width * height * 3);
    put(54 + pixelBytes, 4), put(0, 4), put(54, 4), put(40, 4), put(width, 4), put(height, 4);
    put(1, 2), put(24, 2), put(0, 4), put(pixelBytes, 4), put(0, 16);
    for (int t = 0; t < height; ++t) {
        for (int s = 0; s < width; ++s) {
            const Texel colour = texel(s, t);
            bytes.insert(bytes.end(), {colour.b, colour.g, colour.r});
        }
    }
    return bytes;
}

constexpr int kAtlasSide = 256;
constexpr Texel kWhite = {255, 255, 255};

// Glyph code k in grey 2k: the code survives any text colour, since every
// colour but black keeps at least one channel.
inline Texel glyphTexel(int code) {
    const auto grey = static_cast<uint8_t>(code * 2);
    return {grey, grey, grey};
}

// Both glyph grids (7 x 9 cells from texel row 151 down, 9 x 11 from row 74
// down, 20 columns, 7 rows): inside a one-texel white border each cell shows
// glyphTexel of its code. Outside the grids lies magenta, which no text shows.
inline Texel fontTexel(int s, int t) {
    for (const auto& [width, height, rowZero] : {std::array{7, 9, 151}, std::array{9, 11, 74}}) {
        const int fromTop = rowZero + height - 1 - t;  // texel rows below the grid's top
        if (fromTop < 0 || fromTop >= 7 * height) continue;
        const int inS = s % width;
        const int inT = height - 1 - fromTop % height;
        const int code = fromTop / height * 20 + s / width;
        const bool border = inS == 0 || inS == width - 1 || inT == 0 || inT == height - 1;
        return border || s >= 20 * width ? kWhite : glyphTexel(code);
    }
    return {255, 0, 255};
}

// The map's tinted pictures (owner markers, group sprites) are lit all but
// white, which would be transparent, so a pixel shows its tint at 254.
constexpr uint8_t kLit = 254;
// Each map panel's background in a grey of its own, so a pixel tells the panel.
constexpr uint8_t kSelectedPlanetPanelGrey = 40;
constexpr uint8_t kSelectedGroupPanelGrey = 60;
constexpr uint8_t kHoveredPanelGrey = 80;

// Every other HUD texel tells where it lies: red = s, green = t, blue 128.
inline Texel hudTexel(int s, int t) {
    const auto inside = [s, t](const AtlasRegion& region) {
        return s >= region.sLeft && s < region.sRight && t >= region.tBottom && t < region.tTop;
    };
    const auto grey = [](uint8_t level) { return Texel{level, level, level}; };
    if (inside(kOwnerMarker) || inside(kGroupSprite)) return grey(kLit);
    if (inside(kSelectedPlanetPanel)) return grey(kSelectedPlanetPanelGrey);
    if (inside(kSelectedGroupPanel)) return grey(kSelectedGroupPanelGrey);
    if (inside(kHoveredPlanetPanel) || inside(kHoveredGroupPanel)) return grey(kHoveredPanelGrey);
    return {static_cast<uint8_t>(s), static_cast<uint8_t>(t), 128};
}
