// Bitmap files made by the tests: whole 24-bit files whose every texel a test
// chooses, and the font and HUD pictures the drawing tests read back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

struct Texel {
    uint8_t r, g, b;
};

inline void putLittle(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An uncompressed bottom-up 24-bit BMP; texel(s, t) with t counted from the
// bottom row of the picture.
inline std::vector<uint8_t> encodeBitmap(int width, int height,
                                         const std::function<Texel(int s, int t)>& texel) {
    const uint32_t pixelBytes = static_cast<uint32_t>(width * height * 3);
    std::vector<uint8_t> bytes{'B', 'M'};
    putLittle(bytes, 54 + pixelBytes, 4);
    putLittle(bytes, 0, 4);
    putLittle(bytes, 54, 4);
    putLittle(bytes, 40, 4);
    putLittle(bytes, static_cast<uint32_t>(width), 4);
    putLittle(bytes, static_cast<uint32_t>(height), 4);
    putLittle(bytes, 1, 2);
    putLittle(bytes, 24, 2);
    putLittle(bytes, 0, 4);
    putLittle(bytes, pixelBytes, 4);
    for (int i = 0; i < 4; ++i) putLittle(bytes, 0, 4);
    for (int t = 0; t < height; ++t) {
        for (int s = 0; s < width; ++s) {
            const Texel colour = texel(s, t);
            bytes.insert(bytes.end(), {colour.b, colour.g, colour.r});
        }
    }
    return bytes;
}

inline void writeBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

constexpr int kAtlasSide = 256;
constexpr Texel kWhite = {255, 255, 255};

// The font picture: in each glyph cell of both grids the texels inside a
// one-texel white border carry the cell's code (red = code * 2, green 100,
// blue 60); everything outside the grids is a colour no text may ever show.
constexpr Texel kOutsideGrids = {255, 0, 255};

inline Texel glyphTexel(int code) { return {static_cast<uint8_t>(code * 2), 100, 60}; }

inline Texel fontTexel(int s, int t) {
    struct Grid {
        int width, height, rowZero;  // rowZero: bottom texel row of codes 0 to 19
    };
    for (const Grid grid : {Grid{7, 9, 151}, Grid{9, 11, 74}}) {
        const int rowsBelow = grid.rowZero - t + grid.height - 1;  // t inside row r: r = this / height
        if (t >= grid.rowZero + grid.height || rowsBelow >= 7 * grid.height) continue;
        if (s >= 20 * grid.width) return kWhite;
        const int row = rowsBelow / grid.height;
        const int column = s / grid.width;
        const int inS = s % grid.width;
        const int inT = (t - (grid.rowZero - row * grid.height));
        const int code = row * 20 + column;
        const bool border = inS == 0 || inS == grid.width - 1 || inT == 0 || inT == grid.height - 1;
        return border || code > 127 ? kWhite : glyphTexel(code);
    }
    return kOutsideGrids;
}

// The HUD picture: every texel tells where it is (red = s, green = t, blue
// 128), so a drawn pixel shows which texel was sampled.
inline Texel hudTexel(int s, int t) {
    return {static_cast<uint8_t>(s), static_cast<uint8_t>(t), 128};
}

inline std::vector<uint8_t> testFontFile() { return encodeBitmap(kAtlasSide, kAtlasSide, fontTexel); }
inline std::vector<uint8_t> testHudFile() { return encodeBitmap(kAtlasSide, kAtlasSide, hudTexel); }
