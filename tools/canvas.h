// Canvas: an RGB picture that the art program paints into, with shapes
// smoothed by supersampling and a writer for the 24-bit BMP form the game reads.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 255;
    uint8_t g = 255;
    uint8_t b = 255;
    bool operator==(const Rgb&) const = default;
};

// Pure white is the game's colour key: texels of this colour are not drawn.
constexpr Rgb kTransparent{255, 255, 255};

// Rows are held top row first, as the picture is seen; `writeBmp` turns them
// over so that the file starts with the bottom row.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
};

Canvas makeCanvas(int width, int height, Rgb fill = kTransparent);
Rgb pixelAt(const Canvas& canvas, int x, int yFromTop);
void setPixel(Canvas& canvas, int x, int yFromTop, Rgb colour);

// Atlas coordinates: column s, texel row t counted from the bottom of the picture.
Rgb texelAt(const Canvas& canvas, int s, int t);
void setTexel(Canvas& canvas, int s, int t, Rgb colour);

Rgb mix(Rgb a, Rgb b, float amount);  // amount 0 gives a, 1 gives b
Rgb scaled(Rgb colour, float factor);

// A shape answers whether a point (in pixel units, pixel centres at +0.5) lies inside it.
using Shape = std::function<bool(float x, float y)>;

// Paints `colour` over the pixels of the box [x0, x1) x [y0, y1) that the shape
// covers, mixing edge pixels by the share of 4 x 4 sample points inside. With
// `hardEdges` a pixel is painted whole when at least half of it is covered,
// which keeps outlines against the transparent white free of pale fringes.
void paint(Canvas& canvas, int x0, int y0, int x1, int y1, const Shape& shape, Rgb colour,
           bool hardEdges = false);

// Shapes in the canvas's own coordinates (y grows downward).
Shape disc(float cx, float cy, float radius);
Shape ring(float cx, float cy, float inner, float outer);
Shape box(float x0, float y0, float x1, float y1);
Shape roundedBox(float x0, float y0, float x1, float y1, float radius);
Shape segment(float ax, float ay, float bx, float by, float halfWidth);
Shape triangle(float ax, float ay, float bx, float by, float cx, float cy);
Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
Shape intersect(Shape a, Shape b);

// The file bytes of an uncompressed 24-bit bottom-up BMP (width a multiple of 4).
std::vector<uint8_t> encodeBmp(const Canvas& canvas);
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
