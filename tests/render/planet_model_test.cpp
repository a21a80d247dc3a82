// Planet models loaded from their files in Data/ and drawn in a real window.
#include "render/model.h"

#include <filesystem>
#include <fstream>

#include "render/map_fixture.h"

namespace {

// Runs the test in a fresh directory with its own Data/.
class PlanetModel : public MapFixture {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        char pattern[] = "/tmp/brennolt-model-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        directory = pattern;
        std::filesystem::current_path(directory);
        std::filesystem::create_directory("Data");
        MapFixture::SetUp();
    }
    void TearDown() override {
        MapFixture::TearDown();
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(directory);
    }
    std::filesystem::path previous, directory;
};

// An 8 x 8 24-bit bitmap of pure red.
void writeRedBitmap(const char* path) {
    std::ofstream file(path, std::ios::binary);
    auto little = [&file](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file.put(static_cast<char>(value >> (8 * i) & 0xff));
    };
    file << "BM";
    little(54 + 192, 4), little(0, 4), little(54, 4);
    little(40, 4), little(8, 4), little(8, 4), little(1, 2), little(24, 2), little(0, 4);
    little(192, 4), little(0, 4), little(0, 4), little(0, 4), little(0, 4);
    for (int i = 0; i < 64; ++i) file << '\0' << '\0' << '\xff';
}

// A square of the map plane from x0 to x0 + 20, facing the viewer.
std::string squareStrip(int x0, float s) {
    std::string text = "normal 0 0 1 vertices 4\n";
    for (int corner = 0; corner < 4; ++corner)
        text += "v " + std::to_string(x0 + corner / 2 * 20) + " " + (corner % 2 ? "-10" : "10") +
                " 0 t " + std::to_string(s) + " 0\n";
    return text;
}

}  // namespace

TEST_F(PlanetModel, StripWithNegativeSIsDrawnUntexturedAndTheNextTexturedAgain) {
    writeRedBitmap("Data/red.bmp");
    std::ofstream("Data/Squares.txt")
        << "red.bmp\r\nobjects 1 meshes 1 strips 3\n"
        << squareStrip(-30, 0.5f) << squareStrip(-10, -1.0f) << squareStrip(10, 0.5f);
    Model model;
    loadModel(model, "Squares");
    ASSERT_EQ(model.objects.size(), 1u);

    beginFrame();
    drawModel(model);
    const Rgb left = pixelAt(-20, 0), middle = pixelAt(0, 0), right = pixelAt(20, 0);
    EXPECT_GT(left.r, 150);
    EXPECT_EQ(left.g, 0);
    EXPECT_GT(middle.g, 150) << "lit grey, not the red texture";
    EXPECT_EQ(middle.r, middle.g);
    EXPECT_EQ(middle.g, middle.b);
    EXPECT_GT(right.r, 150);
    EXPECT_EQ(right.g, 0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(PlanetModel, DamagedFileLeavesTheModelEmptyWithOneLineOnStandardError) {
    std::ofstream("Data/Broken.txt") << "red.bmp\nobjects -4\n";
    Model model;
    testing::internal::CaptureStderr();
    loadModel(model, "Broken");
    loadModel(model, "Missing");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(model.objects.empty());
    EXPECT_EQ(model.texture, 0u);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;
    EXPECT_NE(errors.find("Broken.txt"), std::string::npos) << errors;
    beginFrame();
    drawModel(model);
    EXPECT_EQ(pixelAt(0, 0).r, 0);
}
