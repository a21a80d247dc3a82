#include "tools/planet_art.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kTextureWidth = 128;
constexpr int kTextureHeight = 64;

// ---- geometry ----

std::array<float, 3> spherePoint(float polar, float azimuth) {
    return {kPlanetRadius * std::sin(polar) * std::cos(azimuth),
            kPlanetRadius * std::sin(polar) * std::sin(azimuth), kPlanetRadius * std::cos(polar)};
}

std::array<float, 3> normalised(std::array<float, 3> v) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return {v[0] / length, v[1] / length, v[2] / length};
}

// A latitude-longitude sphere about the z axis (the axis the game spins
// planets about), one strip per quad so every facet gets its own normal.
// Vertices run so that the faces turn counter-clockwise to the outside.
std::vector<ArtStrip> sphereStrips(int latitudes, int longitudes) {
    std::vector<ArtStrip> strips;
    auto vertex = [&](int row, int column, float s) {
        const auto p = spherePoint(kPi * row / latitudes, 2 * kPi * column / longitudes);
        return ArtVertex{p[0], p[1], p[2], s, 1.0f - static_cast<float>(row) / latitudes};
    };
    for (int row = 0; row < latitudes; ++row) {
        for (int column = 0; column < longitudes; ++column) {
            const float s0 = static_cast<float>(column) / longitudes;
            const float s1 = static_cast<float>(column + 1) / longitudes;
            const float sMid = (s0 + s1) / 2;
            ArtStrip strip;
            if (row == 0) {
                strip.vertices = {vertex(0, column, sMid), vertex(1, column, s0),
                                  vertex(1, column + 1, s1)};
            } else if (row == latitudes - 1) {
                strip.vertices = {vertex(row, column, s0), vertex(row + 1, column, sMid),
                                  vertex(row, column + 1, s1)};
            } else {
                strip.vertices = {vertex(row, column, s0), vertex(row + 1, column, s0),
                                  vertex(row, column + 1, s1), vertex(row + 1, column + 1, s1)};
            }
            std::array<float, 3> sum{0, 0, 0};
            for (const ArtVertex& v : strip.vertices) {
                sum[0] += v.x;
                sum[1] += v.y;
                sum[2] += v.z;
            }
            strip.normal = normalised(sum);
            strips.push_back(strip);
        }
    }
    return strips;
}

// A flat ring in the equator plane as one strip: one normal serves it all.
ArtStrip ringStrip(float inner, float outer, int segments) {
    ArtStrip strip;
    strip.normal = {0, 0, 1};
    for (int i = 0; i <= segments; ++i) {
        const float angle = 2 * kPi * (i % segments) / segments;
        const float c = std::cos(angle), s = std::sin(angle);
        strip.vertices.push_back({inner * c, inner * s, 0, -1, 0});
        strip.vertices.push_back({outer * c, outer * s, 0, -1, 0});
    }
    return strip;
}

// ---- textures ----

uint32_t hash3(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed;
    for (int v : {x, y, z}) {
        h ^= static_cast<uint32_t>(v) * 0x9E3779B1u;
        h = (h ^ (h >> 15)) * 0x85EBCA77u;
        h = (h ^ (h >> 13)) * 0xC2B2AE3Du;
        h ^= h >> 16;
    }
    return h;
}

float lattice(int x, int y, int z, uint32_t seed) {
    return (hash3(x, y, z, seed) & 0xFFFF) / 65535.0f;
}

float smooth(float f) { return f * f * (3 - 2 * f); }

// Value noise in 0..1, smooth across the texture's seam because it is taken on the sphere.
float noise(float x, float y, float z, uint32_t seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y)),
              iz = static_cast<int>(std::floor(z));
    const float fx = smooth(x - ix), fy = smooth(y - iy), fz = smooth(z - iz);
    float result = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const int dx = corner & 1, dy = (corner >> 1) & 1, dz = (corner >> 2) & 1;
        const float weight = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy) * (dz ? fz : 1 - fz);
        result += weight * lattice(ix + dx, iy + dy, iz + dz, seed);
    }
    return result;
}

float fractalNoise(const std::array<float, 3>& p, float scale, uint32_t seed) {
    float total = 0, amplitude = 0.5f, weight = 0;
    for (int octave = 0; octave < 4; ++octave) {
        total += amplitude * noise(p[0] * scale, p[1] * scale, p[2] * scale, seed + octave);
        weight += amplitude;
        scale *= 2.03f;
        amplitude *= 0.5f;
    }
    return total / weight;
}

// The unit direction a texel of the sphere texture shows.
std::array<float, 3> texelDirection(int x, int y) {
    const float azimuth = 2 * kPi * (x + 0.5f) / kTextureWidth;
    const float polar = kPi * (y + 0.5f) / kTextureHeight;
    return {std::sin(polar) * std::cos(azimuth), std::sin(polar) * std::sin(azimuth),
            std::cos(polar)};
}

Rgb notWhite(Rgb colour) {
    return {std::min<uint8_t>(colour.r, 250), std::min<uint8_t>(colour.g, 250), colour.b};
}

// A small generator of our own so the craters land in the same places on every run.
struct CraterSource {
    uint32_t state = 20240611u;
    float next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0f;
    }
};

struct Crater {
    std::array<float, 3> centre;
    float radius;  // in radians of arc
};

Canvas rockTexture() {
    std::vector<Crater> craters;
    CraterSource source;
    for (int i = 0; i < 26; ++i) {
        const float z = source.next() * 2 - 1, azimuth = source.next() * 2 * kPi;
        const float r = std::sqrt(1 - z * z);
        const float size = 0.09f + 0.26f * source.next() * source.next();
        craters.push_back({{r * std::cos(azimuth), r * std::sin(azimuth), z}, size});
    }
    const Rgb dark{92, 94, 106}, mid{170, 168, 174}, light{236, 232, 224}, plain{120, 118, 134};
    Canvas texture = makeCanvas(kTextureWidth, kTextureHeight);
    for (int y = 0; y < kTextureHeight; ++y) {
        for (int x = 0; x < kTextureWidth; ++x) {
            const auto p = texelDirection(x, y);
            const float ground = fractalNoise(p, 2.5f, 11);
            const float detail = fractalNoise(p, 9.0f, 23);
            Rgb colour =
                ground < 0.5f ? mix(dark, mid, ground * 2) : mix(mid, light, (ground - 0.5f) * 2);
            if (fractalNoise(p, 1.6f, 37) < 0.42f)
                colour = mix(colour, plain, 0.65f);  // dark lowlands
            colour = scaled(colour, 0.82f + 0.36f * detail);
            for (const Crater& crater : craters) {
                const float along =
                    p[0] * crater.centre[0] + p[1] * crater.centre[1] + p[2] * crater.centre[2];
                const float distance = std::acos(std::clamp(along, -1.0f, 1.0f)) / crater.radius;
                if (distance < 0.75f)
                    colour = scaled(colour, 0.5f + 0.35f * distance);
                else if (distance < 1.1f)
                    colour = mix(colour, light, 0.7f);
                else if (distance < 1.35f)
                    colour = scaled(colour, 0.85f);
            }
            setPixel(texture, x, y, notWhite(colour));
        }
    }
    return texture;
}

Canvas gasTexture() {
    const Rgb bands[] = {{236, 214, 170}, {206, 150, 96}, {232, 196, 140}, {170, 104, 62},
                         {226, 176, 112}, {196, 128, 80}, {240, 222, 184}, {184, 120, 74}};
    constexpr int kBands = sizeof bands / sizeof bands[0];
    Canvas texture = makeCanvas(kTextureWidth, kTextureHeight);
    for (int y = 0; y < kTextureHeight; ++y) {
        for (int x = 0; x < kTextureWidth; ++x) {
            const auto p = texelDirection(x, y);
            // Bands follow latitude, stirred a little by noise so their edges swirl.
            const float latitude = p[2] + 0.09f * (fractalNoise(p, 4.0f, 51) - 0.5f);
            const float position = (latitude + 1) * 0.5f * (kBands * 1.5f);
            const int band = static_cast<int>(position) % kBands;
            const float within = position - std::floor(position);
            Rgb colour = mix(bands[band], bands[(band + 1) % kBands],
                             smooth(std::clamp((within - 0.7f) / 0.3f, 0.0f, 1.0f)));
            colour = scaled(colour, 0.92f + 0.16f * fractalNoise(p, 12.0f, 63));
            // One great storm, an oval on the southern belt.
            const float stormAzimuth = 2 * kPi * (x + 0.5f) / kTextureWidth - 2.2f;
            const float stormPolar = kPi * (y + 0.5f) / kTextureHeight - 1.95f;
            const float oval = (stormAzimuth / 0.42f) * (stormAzimuth / 0.42f) +
                               (stormPolar / 0.17f) * (stormPolar / 0.17f);
            if (oval < 1.0f)
                colour = mix(colour, Rgb{196, 84, 54}, 0.85f - 0.4f * oval);
            else if (oval < 1.5f)
                colour = mix(colour, Rgb{244, 224, 190}, 0.5f);
            setPixel(texture, x, y, notWhite(colour));
        }
    }
    return texture;
}

std::string number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(value));
    if (std::string(text) == "-0.0000") return "0.0000";
    return text;
}

}  // namespace

std::string modelFileText(const std::string& textureFileName, const std::vector<ArtStrip>& strips) {
    std::string text = textureFileName + "\n";
    text += "Objects 1\nMeshes 1\nStrips " + std::to_string(strips.size()) + "\n";
    for (const ArtStrip& strip : strips) {
        text += "Normal " + number(strip.normal[0]) + " " + number(strip.normal[1]) + " " +
                number(strip.normal[2]) + "\n";
        text += "Vertices " + std::to_string(strip.vertices.size()) + "\n";
        for (const ArtVertex& v : strip.vertices) {
            text += "Position " + number(v.x) + " " + number(v.y) + " " + number(v.z) + "\n";
            text += "TexCoord " + number(v.s) + " " + number(v.t) + "\n";
        }
    }
    return text;
}

int triangleCount(const std::vector<ArtStrip>& strips) {
    int count = 0;
    for (const ArtStrip& strip : strips)
        count += std::max(0, static_cast<int>(strip.vertices.size()) - 2);
    return count;
}

std::vector<PlanetArt> makePlanets() {
    std::vector<PlanetArt> planets(2);
    planets[0].modelFileName = "Sphere Model00.txt";
    planets[0].textureFileName = "rock.bmp";
    planets[0].strips = sphereStrips(8, 12);
    planets[0].texture = rockTexture();

    planets[1].modelFileName = "Sphere Model01.txt";
    planets[1].textureFileName = "gasgiant.bmp";
    planets[1].strips = sphereStrips(7, 12);
    planets[1].strips.push_back(ringStrip(19.5f, 24.0f, 18));
    planets[1].texture = gasTexture();

    for (PlanetArt& planet : planets)
        planet.modelText = modelFileText(planet.textureFileName, planet.strips);
    return planets;
}
