// The icon is drawn by sampling one scene, given in units of the icon's side,
// several times per pixel: the same picture at every size, smooth edges, and
// the rounded square's edge turned into alpha.
#include "tools/icon_art.h"

#include <png.h>

#include <algorithm>
#include <cmath>

#include "tools/canvas.h"

namespace {

constexpr int kSamples = 4;  // per pixel and axis

struct Colour {
    float r = 0, g = 0, b = 0;
};

Colour blend(Colour a, Colour b, float amount) {
    return {a.r + (b.r - a.r) * amount, a.g + (b.g - a.g) * amount, a.b + (b.b - a.b) * amount};
}

constexpr Colour kSpaceTop{12, 16, 46};
constexpr Colour kSpaceBottom{36, 18, 72};
constexpr Colour kStar{236, 238, 255};
constexpr Colour kBandLight{246, 200, 130};
constexpr Colour kBandDark{198, 112, 58};
constexpr Colour kRing{214, 204, 186};
constexpr Colour kFleet{96, 214, 255};

constexpr float kPlanetX = 0.54f, kPlanetY = 0.45f, kPlanetRadius = 0.25f;
constexpr float kRingTilt = -0.36f;     // radians, the ring's long axis against the horizontal
constexpr float kRingFlatness = 0.30f;  // its short axis over its long axis
constexpr float kRingInner = 0.32f, kRingOuter = 0.42f;

struct Star {
    float x, y, radius;
};
constexpr Star kStars[] = {{0.20f, 0.18f, 0.018f}, {0.36f, 0.10f, 0.010f}, {0.84f, 0.14f, 0.014f},
                           {0.90f, 0.62f, 0.010f}, {0.14f, 0.50f, 0.012f}, {0.70f, 0.88f, 0.012f},
                           {0.46f, 0.90f, 0.008f}, {0.26f, 0.34f, 0.008f}};

// Three ships in a wedge, pointing up and to the right at the planet.
struct Ship {
    float x, y;
};
constexpr Ship kFleetShips[] = {{0.22f, 0.79f}, {0.14f, 0.70f}, {0.32f, 0.86f}};
constexpr float kShipLength = 0.10f, kShipWidth = 0.06f;

// The ring's point (x along its long axis, y along the short one, stretched
// to a circle) for a point of the icon.
void ringPlane(float x, float y, float& along, float& across) {
    const float dx = x - kPlanetX, dy = y - kPlanetY;
    along = dx * std::cos(kRingTilt) + dy * std::sin(kRingTilt);
    across = (-dx * std::sin(kRingTilt) + dy * std::cos(kRingTilt)) / kRingFlatness;
}

bool onRing(float x, float y, bool frontHalf) {
    float along = 0, across = 0;
    ringPlane(x, y, along, across);
    const float distance = std::sqrt(along * along + across * across);
    return distance >= kRingInner && distance <= kRingOuter && (across > 0) == frontHalf;
}

Colour planetColour(float x, float y) {
    const float nx = (x - kPlanetX) / kPlanetRadius, ny = (y - kPlanetY) / kPlanetRadius;
    const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
    // Bands follow the ring's plane, as a gas giant's do.
    float along = 0, across = 0;
    ringPlane(x, y, along, across);
    const float latitude = across * kRingFlatness / kPlanetRadius;
    const float band = 0.5f + 0.5f * std::sin(latitude * 11.0f + 0.8f * std::sin(latitude * 5.0f));
    const Colour surface = blend(kBandDark, kBandLight, band);
    // Light from the upper left and in front.
    const float light = std::max(0.0f, -0.55f * nx - 0.55f * ny + 0.63f * nz);
    const float shade = 0.18f + 0.95f * light;
    return {surface.r * shade, surface.g * shade, surface.b * shade};
}

bool onShip(float x, float y) {
    for (const Ship& ship : kFleetShips) {
        // The ship's axis points from its place towards the planet.
        const float ax = kPlanetX - ship.x, ay = kPlanetY - ship.y;
        const float length = std::sqrt(ax * ax + ay * ay);
        const float ux = ax / length, uy = ay / length;
        const Shape hull = triangle(ship.x + ux * kShipLength, ship.y + uy * kShipLength,
                                    ship.x - uy * kShipWidth / 2, ship.y + ux * kShipWidth / 2,
                                    ship.x + uy * kShipWidth / 2, ship.y - ux * kShipWidth / 2);
        if (hull(x, y)) return true;
    }
    return false;
}

Colour sceneColour(float x, float y) {
    if (onShip(x, y)) return kFleet;
    if (onRing(x, y, true)) return kRing;
    if (disc(kPlanetX, kPlanetY, kPlanetRadius)(x, y)) return planetColour(x, y);
    if (onRing(x, y, false)) return blend(kRing, kSpaceTop, 0.35f);
    for (const Star& star : kStars) {
        if (disc(star.x, star.y, star.radius)(x, y)) return kStar;
    }
    return blend(kSpaceTop, kSpaceBottom, y);
}

uint8_t channel(float value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

struct IconPixel {
    Colour colour;   // the mean over the samples inside the tile
    float coverage;  // the share of them inside
};

IconPixel iconPixel(int size, int px, int py) {
    // The rounded square leaves a margin, as the icons around it in a menu do.
    static const Shape tile = roundedBox(0.04f, 0.04f, 0.96f, 0.96f, 0.18f);
    Colour sum;
    int inside = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            const float x = (px + (sx + 0.5f) / kSamples) / size;
            const float y = (py + (sy + 0.5f) / kSamples) / size;
            if (!tile(x, y)) continue;
            const Colour colour = sceneColour(x, y);
            sum = {sum.r + colour.r, sum.g + colour.g, sum.b + colour.b};
            ++inside;
        }
    }
    if (inside == 0) return {{}, 0};
    return {{sum.r / inside, sum.g / inside, sum.b / inside},
            static_cast<float>(inside) / (kSamples * kSamples)};
}

}  // namespace

std::string iconFileName(int size) { return "brennolt-" + std::to_string(size) + ".png"; }

std::vector<uint8_t> makeIconPng(int size) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const IconPixel icon = iconPixel(size, px, py);
            uint8_t* pixel = &rgba[(static_cast<size_t>(py) * size + px) * 4];
            if (icon.coverage == 0) continue;  // fully transparent black
            pixel[0] = channel(icon.colour.r);
            pixel[1] = channel(icon.colour.g);
            pixel[2] = channel(icon.colour.b);
            pixel[3] = channel(255.0f * icon.coverage);
        }
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size);
    image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t bytes = 0;
    if (!png_image_write_to_memory(&image, nullptr, &bytes, 0, rgba.data(), 0, nullptr)) return {};
    std::vector<uint8_t> file(bytes);
    if (!png_image_write_to_memory(&image, file.data(), &bytes, 0, rgba.data(), 0, nullptr)) {
        return {};
    }
    file.resize(bytes);
    return file;
}

std::vector<uint8_t> makeWindowIconBmp() {
    // Without alpha the tile's edge is hard: a pixel at least half inside is
    // the picture's, the rest the colour key, which the picture never uses.
    Canvas canvas = makeCanvas(kWindowIconSize, kWindowIconSize);
    for (int py = 0; py < kWindowIconSize; ++py) {
        for (int px = 0; px < kWindowIconSize; ++px) {
            const IconPixel icon = iconPixel(kWindowIconSize, px, py);
            if (icon.coverage < 0.5f) continue;
            Rgb colour{channel(icon.colour.r), channel(icon.colour.g), channel(icon.colour.b)};
            if (colour == kTransparent) colour.b = 254;
            setPixel(canvas, px, py, colour);
        }
    }
    return encodeBmp(canvas);
}
