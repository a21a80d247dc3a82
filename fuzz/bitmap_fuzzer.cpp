// Fuzzes the bitmap reader: any bytes as a BMP file. A refused file leaves the
// bitmap as it was and says why; an accepted one has exactly its pixels.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_failure.h"
#include "render/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    Bitmap bitmap;
    bitmap.width = -7;
    bitmap.rgba = {1, 2, 3};
    std::string error;
    if (!parseBitmap(bytes, bitmap, error)) {
        if (error.empty()) fuzzFailure("a refused bitmap gives no reason");
        if (bitmap.width != -7 || bitmap.height != 0 ||
            bitmap.rgba != std::vector<uint8_t>{1, 2, 3})
            fuzzFailure("a refused bitmap changed the result");
        return 0;
    }
    if (bitmap.width <= 0 || bitmap.height <= 0) fuzzFailure("an accepted bitmap has no pixels");
    if (bitmap.rgba.size() != size_t(bitmap.width) * size_t(bitmap.height) * 4)
        fuzzFailure("an accepted bitmap's pixels do not match its size");
    return 0;
}
