// The bitmap reader on whole files and on every kind of damage: a damaged
// header must be refused before any pixel is read, never trusted.
#include <gtest/gtest.h>

#include <functional>

#include "render/bitmap_file.h"
#include "render/test_bitmaps.h"

namespace {

void putAt(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(BitmapFile, GoodFileGivesRgbaInFileRowOrderWithOnlyPureWhiteTransparent) {
    // Bottom row: red, white, almost white, black; top row: green everywhere.
    const std::vector<uint8_t> file = encodeBitmap(4, 2, [](int s, int t) -> Texel {
        if (t == 1) return {0, 255, 0};
        const Texel bottom[] = {{255, 0, 0}, {255, 255, 255}, {255, 255, 254}, {0, 0, 0}};
        return bottom[s];
    });
    Bitmap bitmap;
    std::string error;
    ASSERT_TRUE(parseBitmap(file, bitmap, error)) << error;
    EXPECT_EQ(bitmap.width, 4);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.rgba, (std::vector<uint8_t>{255, 0, 0, 255,   255, 255, 255, 0,
                                                 255, 255, 254, 255, 0, 0, 0, 255,
                                                 0, 255, 0, 255,     0, 255, 0, 255,
                                                 0, 255, 0, 255,     0, 255, 0, 255}));
}

TEST(BitmapFile, FileThatIsNotAnUncompressedBottomUp24BitPictureInsideItsBytesIsRefused) {
    const std::vector<uint8_t> good = encodeBitmap(4, 4, [](int, int) { return Texel{1, 2, 3}; });
    const struct {
        const char* damage;
        std::function<void(std::vector<uint8_t>&)> apply;
    } cases[] = {
        {"no BM signature", [](auto& b) { b[0] = 'P'; }},
        {"cut inside the headers", [](auto& b) { b.resize(53); }},
        {"8 bits per pixel", [](auto& b) { putAt(b, 28, 8, 2); }},
        {"run-length compressed", [](auto& b) { putAt(b, 30, 1, 4); }},
        {"top-down rows", [](auto& b) { putAt(b, 22, static_cast<uint32_t>(-4), 4); }},
        {"zero width", [](auto& b) { putAt(b, 18, 0, 4); }},
        {"4097 wide", [](auto& b) { putAt(b, 18, 4097, 4); }},
        {"rows with fill bytes", [](auto& b) { putAt(b, 18, 2, 4); putAt(b, 22, 8, 4); }},
        {"one pixel byte short", [](auto& b) { b.pop_back(); }},
        {"pixels claimed past the end", [](auto& b) { putAt(b, 10, 0xFFFFFFF0u, 4); }},
        {"pixels claimed inside the header", [](auto& b) { putAt(b, 10, 20, 4); }},
        {"huge sides", [](auto& b) { putAt(b, 18, 4096, 4); putAt(b, 22, 4096, 4); }},
    };
    for (const auto& broken : cases) {
        std::vector<uint8_t> file = good;
        broken.apply(file);
        Bitmap bitmap;
        bitmap.width = 7;
        std::string error;
        EXPECT_FALSE(parseBitmap(file, bitmap, error)) << broken.damage;
        EXPECT_FALSE(error.empty()) << broken.damage;
        EXPECT_EQ(bitmap.width, 7) << broken.damage;
        EXPECT_TRUE(bitmap.rgba.empty()) << broken.damage;
    }
    // A size the header gets wrong is no damage: the sides decide.
    std::vector<uint8_t> file = good;
    putAt(file, 34, 0, 4);
    Bitmap bitmap;
    std::string error;
    EXPECT_TRUE(parseBitmap(file, bitmap, error)) << error;
    EXPECT_EQ(bitmap.rgba.size(), 4u * 4u * 4u);
}

}  // namespace
