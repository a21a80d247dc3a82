// Planet models loaded from their files in Data/ and drawn in a real window.
#include <fstream>
#include <utility>

#include "render/model.h"
#include "window_fixture.h"

namespace {

using PlanetModel = WindowFixture;

// A square facing the viewer, x0 to x0 + 20 by -10 to 10, its texture s given.
std::string squareStrip(int x0, int s) {
    std::string text = "normal 0 0 1 vertices 4\n";
    for (int corner = 0; corner < 4; ++corner)
        text += "v " + std::to_string(x0 + corner / 2 * 20) + (corner % 2 ? " -10" : " 10") +
                " 0 t " + std::to_string(s) + " 0\n";
    return text;
}

}  // namespace

TEST_F(PlanetModel, StripWithNegativeSIsDrawnUntexturedAndTheNextTexturedAgain) {
    writeBytes("Data/red.bmp", encodeBitmap(8, 8, [](int, int) { return Texel{255, 0, 0}; }));
    std::ofstream("Data/Squares.txt")
        << "red.bmp\nobjects 1 meshes 1 strips 3\n"
        << squareStrip(-30, 0) << squareStrip(-10, -1) << squareStrip(10, 0);
    Model model;
    loadModel(model, "Data", "Squares");
    ASSERT_EQ(model.objects.size(), 1u);

    beginFrame();
    drawModel(model);
    const Texel left = pixelAt(-20, 0), middle = pixelAt(0, 0), right = pixelAt(20, 0);
    EXPECT_TRUE(left.r > 150 && left.g == 0) << left;
    EXPECT_TRUE(middle.g > 150 && middle.r == middle.g && middle.g == middle.b)
        << middle << " should be lit grey, not the red texture";
    EXPECT_TRUE(right.r > 150 && right.g == 0) << right;
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_LIGHTING));
}

TEST_F(PlanetModel, DamagedFileLeavesTheModelEmptyWithOneLineOnStandardError) {
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
