// Bitmap files: the bytes of a 24-bit BMP turned into RGBA pixels with the
// white colour key, checked before anything is trusted. No OpenGL here, so
// the reader can be tested and fuzzed without a context.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes, stored rows bottom-up
};

// False, with the reason in `error`, for anything but an uncompressed 24-bit
// bottom-up bitmap whose pixels lie inside `bytes`; `bitmap` is then untouched.
bool parseBitmap(const std::vector<uint8_t>& bytes, Bitmap& bitmap, std::string& error);
