// Planet models loaded from their files in Data/ and drawn in a real window.
#include "render/model.h"

#include <filesystem>
#include <fstream>
#include <utility>

#include "render/map_fixture.h"

namespace {

// A square facing the viewer, x0 to x0 + 20 by -10 to 10, its texture s given.
std::string squareStrip(int x0, int s) {
    std::string text = "normal 0 0 1 vertices 4\n";
    for (int corner = 0; corner < 4; ++corner)
        text += "v " + std::to_string(x0 + corner / 2 * 20) + (corner % 2 ? " -10" : " 10") +
                " 0 t " + std::to_string(s) + " 0\n";
    return text;
}

}  // namespace

TEST_F(MapFixture, ModelStripWithNegativeSIsDrawnUntexturedAndTheNextTexturedAgain) {
    // An 8 x 8 24-bit bitmap of pure red.
    std::ofstream bitmap("Data/red.bmp", std::ios::binary);
    const uint8_t header[54] = {'B', 'M', 246, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                8, 0, 0, 0, 8, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 192};
    bitmap.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int i = 0; i < 64; ++i) bitmap.write("\0\0\xff", 3);
    bitmap.close();
    std::ofstream("Data/Squares.txt") << "red.bmp\nobjects 1 meshes 1 strips 3\n"
                                      << squareStrip(-30, 0) << squareStrip(-10, -1)
                                      << squareStrip(10, 0);
    Model model;
    loadModel(model, "Data", "Squares");
    ASSERT_EQ(model.objects.size(), 1u);

    beginFrame();
    drawModel(model);
    const Rgb left = pixelAt(-20, 0), middle = pixelAt(0, 0), right = pixelAt(20, 0);
    EXPECT_TRUE(left.r > 150 && left.g == 0) << left;
    EXPECT_TRUE(middle.g > 150 && middle.r == middle.g && middle.g == middle.b)
        << middle << " should be lit grey, not the red texture";
    EXPECT_TRUE(right.r > 150 && right.g == 0) << right;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_LIGHTING));
}

TEST_F(MapFixture, DamagedModelFileLeavesTheModelEmptyWithOneLineOnStandardError) {
    std::ofstream("Data/Broken.txt") << "red.bmp\nobjects -4\n";
    std::filesystem::create_symlink("/dev/zero", "Data/Endless.txt");
    const std::pair<std::string, std::string> cases[] = {
        {"Broken", "negative"}, {"Missing", "no such file"}, {"Endless", "not a regular file"}};
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        Model model;
        testing::internal::CaptureStderr();
        loadModel(model, "Data", name);
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(model.objects.empty());
        EXPECT_EQ(model.texture, 0u);
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find(name + ".txt"), std::string::npos) << errors;
        EXPECT_NE(errors.find(reason), std::string::npos) << errors;
    }
}
