// The bitmap reader on a whole file and on every kind of damage: a header
// is checked against the bytes there before any pixel is read.
#include "render/bitmap_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "render/test_bitmaps.h"

namespace {

void putAt(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(BitmapFile, GoodFileGivesRgbaInFileRowOrderWithOnlyPureWhiteTransparent) {
    const Texel bottomRow[] = {{255, 0, 0}, {255, 255, 255}, {255, 255, 254}, {0, 0, 0}};
    const std::vector<uint8_t> file = encodeBitmap(4, 2, [&](int s, int t) {
        return t == 1 ? Texel{0, 255, 0} : bottomRow[s];
    });
    Bitmap bitmap;
    std::string error;
    ASSERT_TRUE(parseBitmap(file, bitmap, error)) << error;
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.height, 2);
    const std::vector<uint8_t> green = {0, 255, 0, 255};
    std::vector<uint8_t> expected = {255, 0,   0,   255, 255, 255, 255, 0,
                                     255, 255, 254, 255, 0,   0,   0,   255};
    for (int i = 0; i < 4; ++i) expected.insert(expected.end(), green.begin(), green.end());
    EXPECT_EQ(bitmap.rgba, expected);
}

TEST(BitmapFile, AnythingButAnUncompressedBottomUp24BitPictureInsideTheFileIsRefused) {
    const std::vector<uint8_t> good = encodeBitmap(4, 4, [](int, int) { return Texel{1, 2, 3}; });
    const std::pair<const char*, std::function<void(std::vector<uint8_t>&)>> damages[] = {
        {"no BM", [](auto& b) { b[0] = 'P'; }},
        {"cut in the header", [](auto& b) { b.resize(53); }},
        {"8 bits", [](auto& b) { putAt(b, 28, 8, 2); }},
        {"compressed", [](auto& b) { putAt(b, 30, 1); }},
        {"top-down", [](auto& b) { putAt(b, 22, static_cast<uint32_t>(-4)); }},
        {"no width", [](auto& b) { putAt(b, 18, 0); }},
        {"4097 wide", [](auto& b) { putAt(b, 18, 4097); }},
        {"padded rows", [](auto& b) { putAt(b, 18, 2), putAt(b, 22, 8); }},
        {"a byte short", [](auto& b) { b.pop_back(); }},
        {"pixels past the end", [](auto& b) { putAt(b, 10, 0xFFFFFFF0u); }},
        {"pixels in the header", [](auto& b) { putAt(b, 10, 20); }},
        {"huge sides", [](auto& b) { putAt(b, 18, 4096), putAt(b, 22, 4096); }},
    };
    for (const auto& [damage, apply] : damages) {
        std::vector<uint8_t> file = good;
        apply(file);
        Bitmap bitmap;
        std::string error;
        EXPECT_FALSE(parseBitmap(file, bitmap, error)) << damage;
        EXPECT_FALSE(error.empty()) << damage;
        EXPECT_TRUE(bitmap.rgba.empty()) << damage;
    }
    std::vector<uint8_t> file = good;
    putAt(file, 34, 0);  // a wrong image size field is harmless: the sides decide
    Bitmap bitmap;
    std::string error;
    EXPECT_TRUE(parseBitmap(file, bitmap, error)) << error;
}

}  // namespace
