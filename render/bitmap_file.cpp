// Bitmap files: every header field is checked against the bytes actually
// there before a single pixel is read, so a damaged file can only be refused.
#include "render/bitmap_file.h"

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kHeaderBytes = kFileHeaderBytes + kInfoHeaderBytes;
constexpr uint16_t kSignature = 0x4D42;  // "BM"
constexpr uint32_t kUncompressed = 0;
constexpr uint16_t kBitsPerPixel = 24;
constexpr int32_t kLargestSide = 4096;
constexpr uint8_t kKeyWhite = 255;

uint32_t readU32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t readU16(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

int32_t readI32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<int32_t>(readU32(bytes, at));
}

bool fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

}  // namespace

bool parseBitmap(const std::vector<uint8_t>& bytes, Bitmap& bitmap, std::string& error) {
    if (bytes.size() < kHeaderBytes) return fail(error, "too short for a bitmap header");
    if (readU16(bytes, 0) != kSignature) return fail(error, "not a BMP file");
    const uint32_t pixelOffset = readU32(bytes, 10);
    const uint32_t infoSize = readU32(bytes, 14);
    const int32_t width = readI32(bytes, 18);
    const int32_t height = readI32(bytes, 22);
    const uint16_t bitsPerPixel = readU16(bytes, 28);
    const uint32_t compression = readU32(bytes, 30);

    if (infoSize < kInfoHeaderBytes) return fail(error, "unknown bitmap header");
    if (bitsPerPixel != kBitsPerPixel) return fail(error, "not 24 bits per pixel");
    if (compression != kUncompressed) return fail(error, "compressed");
    if (height < 0) return fail(error, "rows stored top-down");
    if (width < 1 || width > kLargestSide || height < 1 || height > kLargestSide) {
        return fail(error, "size out of range (1 to 4096 per side)");
    }
    // Rows are read back to back: a width whose rows need fill bytes would
    // shear the picture.
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    if (rowBytes % 4 != 0) return fail(error, "rows need padding (width not a multiple of 4)");
    const size_t pixelBytes = rowBytes * static_cast<size_t>(height);
    if (pixelOffset < kFileHeaderBytes + infoSize || pixelOffset > bytes.size() ||
        bytes.size() - pixelOffset < pixelBytes) {
        return fail(error, "pixel data lies outside the file");
    }

    std::vector<uint8_t> rgba(pixelBytes / 3 * 4);
    for (size_t from = pixelOffset, to = 0; to < rgba.size(); from += 3, to += 4) {
        const uint8_t blue = bytes[from];
        const uint8_t green = bytes[from + 1];
        const uint8_t red = bytes[from + 2];
        rgba[to] = red;
        rgba[to + 1] = green;
        rgba[to + 2] = blue;
        const bool key = red == kKeyWhite && green == kKeyWhite && blue == kKeyWhite;
        rgba[to + 3] = key ? 0 : 255;
    }
    bitmap.width = width;
    bitmap.height = height;
    bitmap.rgba = std::move(rgba);
    return true;
}
