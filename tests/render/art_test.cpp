// Textures and bitmap text in the window: the cells of the right codes lit in
// the text's colour, white texels left out, bytes past ASCII left blank, and
// a damaged picture replaced by a transparent texel with one line of notice.
#include "render/render_fixture.h"

#include "render/art.h"
#include "render/text.h"
#include "render/texture.h"

namespace {

using Text = RenderTest;
using Texture = RenderTest;

// A glyph texel of the test font as drawn in `colour` (components 0 or 1).
Texel glyphIn(char code, Texel colour) {
    const Texel texel = glyphTexel(code);
    return {static_cast<uint8_t>(colour.r ? texel.r : 0), static_cast<uint8_t>(colour.g ? texel.g : 0),
            static_cast<uint8_t>(colour.b ? texel.b : 0)};
}

TEST_F(Text, LightsTheCellsOfItsCodesInItsColourAndLeavesWhiteTexelsOut) {
    beginMapDrawing();
    glEnable(GL_DEPTH_TEST);
    drawTextColoured(art(), 10, 20, "AB", ColourTable[7], FontSize::Small);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    // A covers x 10 to 17 and y 11 to 20; B follows 7 units on.
    EXPECT_EQ(pixelAt(13, 15), glyphTexel('A'));
    EXPECT_EQ(pixelAt(20, 15), glyphTexel('B'));
    EXPECT_EQ(pixelAt(10, 15), kBlack);  // the cell's white border
    EXPECT_EQ(pixelAt(13, 19), kBlack);

    beginMapDrawing();
    drawText(art(), -100, 20, "A", FontSize::Large);  // 9 x 11 cells
    EXPECT_EQ(pixelAt(-96, 14), glyphIn('A', {1, 1, 0}));
    EXPECT_EQ(pixelAt(-93, 14), glyphIn('A', {1, 1, 0}));
    EXPECT_EQ(pixelAt(-100, 14), kBlack);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
}

TEST_F(Text, ByteBeyondAsciiDrawsNothingButKeepsItsPlace) {
    beginMapDrawing();
    drawText(art(), 10, 20, "A\xC8" "B", FontSize::Small);
    for (int x = 17; x < 24; ++x) {
        for (int y = 11; y < 20; ++y) EXPECT_EQ(pixelAt(x, y), kBlack) << x << ", " << y;
    }
    EXPECT_EQ(pixelAt(27, 15), glyphIn('B', {1, 1, 0}));
}

TEST_F(Texture, DamagedOrMissingPictureGivesOneLineAndATransparentTexel) {
    std::vector<uint8_t> cut = testHudFile();
    cut.resize(cut.size() / 2);
    writeBytes("Data/cut.bmp", cut);
    for (const char* name : {"cut.bmp", "missing.bmp"}) {
        testing::internal::CaptureStderr();
        const uint32_t texture = loadTexture(name);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find(std::string("Data/") + name), std::string::npos) << errors;

        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_NE(texture, 0u);
        EXPECT_EQ(width, 1);
        EXPECT_EQ(height, 1);
        std::array<GLubyte, 4> texel{};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel.data());
        EXPECT_EQ(texel, (std::array<GLubyte, 4>{255, 255, 255, 0}));
    }
}

}  // namespace
