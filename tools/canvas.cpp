#include "tools/canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>

Canvas makeCanvas(int width, int height, Rgb fill) {
    return Canvas{width, height, std::vector<Rgb>(static_cast<size_t>(width) * height, fill)};
}

Rgb pixelAt(const Canvas& canvas, int x, int yFromTop) {
    if (x < 0 || yFromTop < 0 || x >= canvas.width || yFromTop >= canvas.height)
        return kTransparent;
    return canvas.pixels[static_cast<size_t>(yFromTop) * canvas.width + x];
}

void setPixel(Canvas& canvas, int x, int yFromTop, Rgb colour) {
    if (x < 0 || yFromTop < 0 || x >= canvas.width || yFromTop >= canvas.height) return;
    canvas.pixels[static_cast<size_t>(yFromTop) * canvas.width + x] = colour;
}

Rgb texelAt(const Canvas& canvas, int s, int t) {
    return pixelAt(canvas, s, canvas.height - 1 - t);
}

void setTexel(Canvas& canvas, int s, int t, Rgb colour) {
    setPixel(canvas, s, canvas.height - 1 - t, colour);
}

static uint8_t channel(float value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Rgb mix(Rgb a, Rgb b, float amount) {
    return {channel(a.r + (b.r - a.r) * amount), channel(a.g + (b.g - a.g) * amount),
            channel(a.b + (b.b - a.b) * amount)};
}

Rgb scaled(Rgb colour, float factor) {
    return {channel(colour.r * factor), channel(colour.g * factor), channel(colour.b * factor)};
}

void paint(Canvas& canvas, int x0, int y0, int x1, int y1, const Shape& shape, Rgb colour,
           bool hardEdges) {
    constexpr int kSamples = 4;
    for (int y = std::max(y0, 0); y < std::min(y1, canvas.height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, canvas.width); ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    if (shape(x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples)) ++inside;
            if (inside == 0) continue;
            const float share = static_cast<float>(inside) / (kSamples * kSamples);
            if (hardEdges) {
                if (share >= 0.5f) setPixel(canvas, x, y, colour);
            } else {
                setPixel(canvas, x, y, mix(pixelAt(canvas, x, y), colour, share));
            }
        }
    }
}

Shape disc(float cx, float cy, float radius) {
    return [=](float x, float y) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}

Shape ring(float cx, float cy, float inner, float outer) {
    return [=](float x, float y) {
        const float d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d <= outer * outer && d >= inner * inner;
    };
}

Shape box(float x0, float y0, float x1, float y1) {
    return [=](float x, float y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}

Shape roundedBox(float x0, float y0, float x1, float y1, float radius) {
    return [=](float x, float y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        const float dx = std::max({x0 + radius - x, 0.0f, x - (x1 - radius)});
        const float dy = std::max({y0 + radius - y, 0.0f, y - (y1 - radius)});
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape segment(float ax, float ay, float bx, float by, float halfWidth) {
    return [=](float x, float y) {
        const float vx = bx - ax, vy = by - ay;
        const float lengthSquared = vx * vx + vy * vy;
        float along = lengthSquared > 0 ? ((x - ax) * vx + (y - ay) * vy) / lengthSquared : 0.0f;
        along = std::clamp(along, 0.0f, 1.0f);
        const float dx = x - (ax + along * vx), dy = y - (ay + along * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

Shape triangle(float ax, float ay, float bx, float by, float cx, float cy) {
    return [=](float x, float y) {
        const float d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by);
        const float d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy);
        const float d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay);
        const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
        const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
        return !(negative && positive);
    };
}

Shape unite(Shape a, Shape b) {
    return [=](float x, float y) { return a(x, y) || b(x, y); };
}

Shape subtract(Shape a, Shape b) {
    return [=](float x, float y) { return a(x, y) && !b(x, y); };
}

Shape intersect(Shape a, Shape b) {
    return [=](float x, float y) { return a(x, y) && b(x, y); };
}

static void putLittle(std::vector<uint8_t>& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> encodeBmp(const Canvas& canvas) {
    constexpr uint32_t kHeaderBytes = 14 + 40;
    const uint32_t imageBytes = static_cast<uint32_t>(canvas.width) * canvas.height * 3;
    std::vector<uint8_t> bytes;
    bytes.reserve(kHeaderBytes + imageBytes);
    bytes.push_back('B');
    bytes.push_back('M');
    putLittle(bytes, kHeaderBytes + imageBytes, 4);  // bfSize
    putLittle(bytes, 0, 4);                          // bfReserved1, bfReserved2
    putLittle(bytes, kHeaderBytes, 4);               // bfOffBits
    putLittle(bytes, 40, 4);                         // biSize
    putLittle(bytes, static_cast<uint32_t>(canvas.width), 4);
    putLittle(bytes, static_cast<uint32_t>(canvas.height), 4);  // positive: bottom-up rows
    putLittle(bytes, 1, 2);                                     // biPlanes
    putLittle(bytes, 24, 2);                                    // biBitCount
    putLittle(bytes, 0, 4);                                     // biCompression: none
    putLittle(bytes, imageBytes, 4);                            // biSizeImage
    putLittle(bytes, 2835, 4);                                  // 72 dots per inch
    putLittle(bytes, 2835, 4);
    putLittle(bytes, 0, 4);  // biClrUsed
    putLittle(bytes, 0, 4);  // biClrImportant
    for (int row = canvas.height - 1; row >= 0; --row) {
        for (int x = 0; x < canvas.width; ++x) {
            const Rgb p = pixelAt(canvas, x, row);
            bytes.push_back(p.b);
            bytes.push_back(p.g);
            bytes.push_back(p.r);
        }
    }
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
