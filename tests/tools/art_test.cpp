#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstring>
#include <sstream>

#include "game/buttons.h"
#include "game/commands.h"
#include "tools/canvas.h"
#include "tools/font_art.h"
#include "tools/hud_art.h"
#include "tools/icon_art.h"
#include "tools/planet_art.h"

namespace {

uint32_t readLittle(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

}  // namespace

TEST(ArtBitmap, HeaderIsTheUncompressedBottomUpFormAndRowsStartAtTheBottom) {
    Canvas canvas = makeCanvas(8, 4);
    setPixel(canvas, 0, 3, Rgb{255, 0, 0});  // bottom-left of the picture
    setPixel(canvas, 7, 0, Rgb{0, 0, 255});  // top-right
    const std::vector<uint8_t> bytes = encodeBmp(canvas);
    ASSERT_EQ(bytes.size(), 54u + 8 * 4 * 3);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(readLittle(bytes, 2, 4), bytes.size());
    EXPECT_EQ(readLittle(bytes, 10, 4), 54u);
    EXPECT_EQ(readLittle(bytes, 14, 4), 40u);
    EXPECT_EQ(readLittle(bytes, 18, 4), 8u);
    EXPECT_EQ(readLittle(bytes, 22, 4), 4u);  // positive: bottom-up
    EXPECT_EQ(readLittle(bytes, 28, 2), 24u);
    EXPECT_EQ(readLittle(bytes, 30, 4), 0u);
    EXPECT_EQ(readLittle(bytes, 34, 4), 8u * 4 * 3);
    // First stored pixel: the picture's bottom-left, in blue-green-red order.
    EXPECT_EQ(bytes[54], 0);
    EXPECT_EQ(bytes[56], 255);
    const size_t last = bytes.size() - 3;
    EXPECT_EQ(bytes[last], 255);
    EXPECT_EQ(bytes[last + 2], 0);
}

// Where the game samples glyph k: its cell's texels as the text routine's
// single-precision constants address them (t counted from the bottom).
struct SampledCell {
    int firstColumn, lastColumn, lowestRow, highestRow;
};

SampledCell sampledCell(int code, bool large) {
    const float width = large ? 0.035156f : 0.027344f;
    const float height = large ? 0.042969f : 0.035156f;
    const float rowZero = large ? 0.2890625f : 0.589844f;
    const FontGrid& grid = large ? kLargeGrid : kSmallGrid;
    const int cellWidth = grid.cellWidth, cellHeight = grid.cellHeight;
    const float s0 = (code % 20) * width, tBottom = rowZero - (code / 20) * height;
    // Texel centres of the first and last screen pixel of the quad.
    const float firstS = s0 + width * 0.5f / cellWidth,
                lastS = s0 + width * (cellWidth - 0.5f) / cellWidth;
    const float lowT = tBottom + height * 0.5f / cellHeight,
                highT = tBottom + height * (cellHeight - 0.5f) / cellHeight;
    return {static_cast<int>(firstS * 256), static_cast<int>(lastS * 256),
            static_cast<int>(lowT * 256), static_cast<int>(highT * 256)};
}

TEST(ArtFont, EveryPrintableGlyphLiesInTheCellTheGameSamples) {
    Canvas font;
    ASSERT_TRUE(makeFontImage(font));
    std::vector<bool> covered(256 * 256, false);
    for (bool large : {false, true}) {
        const FontGrid grid = large ? kLargeGrid : kSmallGrid;
        for (int code = 0; code < kGridCodes; ++code) {
            const SampledCell cell = sampledCell(code, large);
            ASSERT_EQ(cell.lastColumn - cell.firstColumn + 1, grid.cellWidth) << code;
            ASSERT_EQ(cell.highestRow - cell.lowestRow + 1, grid.cellHeight) << code;
            int litTexels = 0;
            for (int s = cell.firstColumn; s <= cell.lastColumn; ++s) {
                for (int t = cell.lowestRow; t <= cell.highestRow; ++t) {
                    covered[static_cast<size_t>(t) * 256 + s] = true;
                    if (!(texelAt(font, s, t) == kTransparent)) {
                        ++litTexels;
                        EXPECT_EQ(texelAt(font, s, t), (Rgb{254, 254, 254}));
                    }
                }
            }
            const bool drawn = code > 32 && code < 127;
            EXPECT_EQ(litTexels > 0, drawn) << "code " << code << (large ? " large" : " small");
        }
    }
    // Nothing lit outside the cells: no glyph spills over its neighbours' edges.
    for (int t = 0; t < 256; ++t)
        for (int s = 0; s < 256; ++s)
            if (!covered[static_cast<size_t>(t) * 256 + s]) {
                ASSERT_EQ(texelAt(font, s, t), kTransparent) << s << "," << t;
            }
}

TEST(ArtHud, ButtonsFillTheirRectanglesAndNothingLeaksBetweenThem) {
    Canvas hud;
    ASSERT_TRUE(makeHudImage(hud));
    std::vector<AtlasRegion> faces(std::begin(kButtonFaces), std::end(kButtonFaces));
    faces.push_back(kDonationFace);
    for (const AtlasRegion& r : faces) {
        int opaque = 0;
        for (int s = r.sLeft; s < r.sRight; ++s)
            for (int t = r.tBottom; t < r.tTop; ++t)
                opaque += !(texelAt(hud, s, t) == kTransparent);
        // Only the rounded corners may be see-through.
        EXPECT_GE(opaque, (r.sRight - r.sLeft) * (r.tTop - r.tBottom) - 16)
            << r.sLeft << "," << r.tBottom;
        // The texel rows just outside stay clear, so a neighbour never shows at an edge.
        for (int s = r.sLeft; s < r.sRight && r.tTop < 256; ++s) {
            bool inOther = false;
            for (const AtlasRegion& o : faces)
                inOther |= &o != &r && s >= o.sLeft && s < o.sRight && r.tTop >= o.tBottom &&
                           r.tTop < o.tTop;
            if (!inOther) {
                EXPECT_EQ(texelAt(hud, s, r.tTop), kTransparent) << s << "," << r.tTop;
            }
        }
    }
}

// What the game's button table samples must be the picture the art program
// painted for that button: a wrong row or column in the table shows a piece
// of a neighbour, or a neighbour's whole face.
TEST(ArtHud, EveryButtonOfTheGameSamplesItsOwnFace) {
    Canvas hud;
    ASSERT_TRUE(makeHudImage(hud));
    ButtonPanel panel = constructButtonPanel();
    auto expectShows = [&](const Button& button, const Canvas& face, const std::string& what) {
        const int sLeft = static_cast<int>(std::lround(button.sLeft * kHudAtlasSize));
        const int sRight = static_cast<int>(std::lround(button.sRight * kHudAtlasSize));
        const int tBottom = static_cast<int>(std::lround(button.tBottom * kHudAtlasSize));
        const int tTop = static_cast<int>(std::lround(button.tTop * kHudAtlasSize));
        ASSERT_EQ(sRight - sLeft, face.width) << what;
        ASSERT_EQ(tTop - tBottom, face.height) << what;
        EXPECT_EQ(button.width, face.width) << what << ": one unit per texel";
        EXPECT_EQ(button.height, face.height) << what << ": one unit per texel";
        int differing = 0;
        for (int y = 0; y < face.height; ++y)
            for (int x = 0; x < face.width; ++x)
                differing += !(texelAt(hud, sLeft + x, tTop - 1 - y) == pixelAt(face, x, y));
        EXPECT_EQ(differing, 0) << what << " samples another picture";
    };
    for (int index = 0; index < kButtonCount; ++index) {
        Canvas face;
        ASSERT_TRUE(makeButtonFace(index, face));
        expectShows(panel.buttons[index], face, "button " + std::to_string(index));
    }
    setPlanetButtonDonation(panel, true);
    expectShows(panel.buttons[static_cast<int>(CommandId::AttackOrDonatePlanet)],
                makeDonationFace(), "the donation face");
}

TEST(ArtHud, CountSelectorControlsSitExactlyOnThePickedRectangles) {
    Canvas hud;
    ASSERT_TRUE(makeHudImage(hud));
    // The selector is drawn one texel per unit at x 36..164, y -26..26; the
    // game picks control i at x 65 + 9i .. 71 + 9i, y -26 .. -17.
    auto atMap = [&](int x, int y) {
        return texelAt(hud, kCountSelector.sLeft + (x - 36), kCountSelector.tBottom + (y + 26));
    };
    // Left of the controls the selector shows its plain panel, row by row.
    auto background = [&](int y) { return atMap(60, y); };
    for (int i = 0; i < 8; ++i) {
        int differing = 0;
        for (int x = 65 + 9 * i; x < 71 + 9 * i; ++x)
            for (int y = -26; y < -17; ++y) {
                EXPECT_FALSE(atMap(x, y) == kTransparent);
                differing += !(atMap(x, y) == background(y));
            }
        EXPECT_EQ(differing, 6 * 9) << "control " << i << " does not cover its rectangle";
        for (int y = -26; y < -17; ++y) {
            EXPECT_EQ(atMap(71 + 9 * i, y), background(y)) << "gap after control " << i;
            EXPECT_EQ(atMap(64 + 9 * i, y), background(y)) << "gap before control " << i;
        }
    }
}

TEST(ArtHud, TintedSpritesAreLightWithClearCorners) {
    Canvas hud;
    ASSERT_TRUE(makeHudImage(hud));
    for (const AtlasRegion& r : {kOwnerMarker, kGroupSprite}) {
        int opaque = 0;
        for (int s = r.sLeft; s < r.sRight; ++s)
            for (int t = r.tBottom; t < r.tTop; ++t) {
                const Rgb p = texelAt(hud, s, t);
                if (p == kTransparent) continue;
                ++opaque;
                EXPECT_GE(std::min({p.r, p.g, p.b}), 180) << s << "," << t;
            }
        EXPECT_GT(opaque, 20);
        EXPECT_EQ(texelAt(hud, r.sLeft, r.tBottom), kTransparent);
        EXPECT_EQ(texelAt(hud, r.sRight - 1, r.tTop - 1), kTransparent);
    }
}

TEST(ArtPlanets, SpheresFaceOutwardAndTheFileSaysWhatTheStripsHold) {
    for (const PlanetArt& planet : makePlanets()) {
        SCOPED_TRACE(planet.modelFileName);
        const int triangles = triangleCount(planet.strips);
        EXPECT_GE(triangles, 100);
        EXPECT_LE(triangles, 200);
        for (const ArtStrip& strip : planet.strips) {
            const bool textured = strip.vertices.front().s >= 0;
            for (size_t i = 0; i + 2 < strip.vertices.size(); ++i) {
                // A strip's odd triangles run the other way round.
                const ArtVertex& a = strip.vertices[i];
                const ArtVertex& b = strip.vertices[i % 2 ? i + 2 : i + 1];
                const ArtVertex& c = strip.vertices[i % 2 ? i + 1 : i + 2];
                const float nx = (b.y - a.y) * (c.z - a.z) - (b.z - a.z) * (c.y - a.y);
                const float ny = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
                const float nz = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
                // Counter-clockwise seen along the strip's normal, so culling keeps the near side.
                EXPECT_GT(nx * strip.normal[0] + ny * strip.normal[1] + nz * strip.normal[2], 0)
                    << i;
            }
            for (const ArtVertex& v : strip.vertices) {
                if (textured) {
                    EXPECT_NEAR(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), kPlanetRadius, 1e-3f);
                }
            }
        }
        // Read the text back the way the game does: line 1, then label and numbers.
        std::istringstream in(planet.modelText);
        std::string line, label;
        std::getline(in, line);
        EXPECT_EQ(line, planet.textureFileName);
        int objects = 0, meshes = 0, strips = 0;
        in >> label >> objects >> label >> meshes >> label >> strips;
        ASSERT_EQ(objects, 1);
        ASSERT_EQ(meshes, 1);
        ASSERT_EQ(strips, static_cast<int>(planet.strips.size()));
        for (const ArtStrip& strip : planet.strips) {
            float n[3];
            int count = 0;
            in >> label >> n[0] >> n[1] >> n[2] >> label >> count;
            ASSERT_EQ(count, static_cast<int>(strip.vertices.size()));
            EXPECT_NEAR(n[2], strip.normal[2], 1e-4f);
            for (const ArtVertex& v : strip.vertices) {
                float p[5];
                in >> label >> p[0] >> p[1] >> p[2] >> label >> p[3] >> p[4];
                EXPECT_NEAR(p[0], v.x, 1e-4f);
                EXPECT_NEAR(p[4], v.t, 1e-4f);
            }
        }
        EXPECT_TRUE(static_cast<bool>(in));
        const Canvas& texture = planet.texture;
        EXPECT_EQ(texture.width & (texture.width - 1), 0);
        EXPECT_EQ(texture.height & (texture.height - 1), 0);
        for (const Rgb& p : texture.pixels) ASSERT_FALSE(p == kTransparent);
    }
}

// A menu shows the icon on any background: its corners must be see-through
// and the picture itself solid, at every size the install places.
TEST(IconArt, EachSizeDecodesAsASolidTileWithSeeThroughCorners) {
    for (int size : kIconSizes) {
        const std::vector<uint8_t> file = makeIconPng(size);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&image, file.data(), file.size()));
        image.format = PNG_FORMAT_RGBA;
        std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
        ASSERT_EQ(image.width * image.height, static_cast<png_uint_32>(size * size)) << size;
        const auto alpha = [&](int x, int y) { return rgba[(size_t(y) * size + x) * 4 + 3]; };
        EXPECT_EQ(alpha(0, 0) + alpha(size - 1, size - 1), 0) << size;
        EXPECT_EQ(alpha(size / 2, size / 2) & alpha(size / 10, size / 2), 255) << size;
    }
}
