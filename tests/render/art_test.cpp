// Textures and text in the window: the cells of the right codes lit in the
// text's colour with white texels left out, bytes past ASCII left blank, and
// a damaged picture replaced by a transparent texel with one line of notice.
#include <sys/stat.h>

#include <filesystem>
#include <utility>

#include "render/text.h"
#include "render/texture.h"
#include "window_fixture.h"

namespace {

using Text = WindowFixture;
using Texture = WindowFixture;

Texel inYellow(char code) { return {glyphTexel(code).r, glyphTexel(code).g, 0}; }

TEST_F(Text, LightsTheCellsOfItsCodesInItsColourAndLeavesWhiteTexelsOut) {
    beginFrame(false);
    drawTextColoured(art, 10, 20, "AB", ColourTable[7], FontSize::Small);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(pixelAt(13, 15), glyphTexel('A'));  // A: x 10 to 17, y 11 to 20
    EXPECT_EQ(pixelAt(20, 15), glyphTexel('B'));  // B: 7 units on
    EXPECT_EQ(pixelAt(10, 15), kBlack);           // the cell's white border
    EXPECT_EQ(pixelAt(13, 19), kBlack);
}

TEST_F(Text, ByteBeyondAsciiDrawsNothingButKeepsItsPlace) {
    beginFrame(false);
    drawText(art, -100, 20,
             "A\xC8"
             "B",
             FontSize::Large);
    EXPECT_EQ(pixelAt(-93, 14), inYellow('A'));
    for (int x = -91; x < -82; ++x) EXPECT_EQ(pixelAt(x, 14), kBlack) << x;  // no cell for 200
    EXPECT_EQ(pixelAt(-79, 14), inYellow('B'));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_ALPHA_TEST));
}

TEST_F(Texture, DamagedOrMissingPictureGivesOneLineAndATransparentTexel) {
    std::vector<uint8_t> cut = encodeBitmap(kAtlasSide, kAtlasSide, hudTexel);
    cut.resize(cut.size() / 2);
    writeBytes("Data/cut.bmp", cut);
    // A 4096 x 4096 bitmap whose pixels lie beyond a gap that takes the file
    // one byte past the cap: a picture that only the cap refuses.
    const uint32_t hugeSize = 64 * 1024 * 1024 + 1;
    std::vector<uint8_t> huge = encodeBitmap(4, 1, hudTexel);
    huge.resize(54);
    auto setField = [&huge](int at, uint32_t value) {
        for (int i = 0; i < 4; ++i) huge[at + i] = static_cast<uint8_t>(value >> 8 * i);
    };
    setField(2, hugeSize);
    setField(10, hugeSize - 4096 * 4096 * 3);  // where the pixels start
    setField(18, 4096);
    setField(22, 4096);
    writeBytes("Data/huge.bmp", huge);
    std::filesystem::resize_file("Data/huge.bmp", hugeSize);
    ASSERT_EQ(mkfifo("Data/pipe.bmp", 0600), 0);
    const std::pair<std::string, std::string> cases[] = {{"cut.bmp", "outside the file"},
                                                         {"missing.bmp", "no such file"},
                                                         {"huge.bmp", "larger than 64 MB"},
                                                         {"pipe.bmp", "not a regular file"}};
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        testing::internal::CaptureStderr();
        EXPECT_NE(loadTexture("Data", name), 0u);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find("Data/" + name), std::string::npos) << errors;
        EXPECT_NE(errors.find(reason), std::string::npos) << errors;
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        std::array<GLubyte, 8> texels{};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_EQ(width, 1);
        EXPECT_EQ(texels, (std::array<GLubyte, 8>{255, 255, 255, 0}));
    }
}

}  // namespace
