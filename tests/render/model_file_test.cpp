// The planet model reader on whole files and on each kind of damaged one,
// without a window.
#include "render/model_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Two objects; line 1 ended as on Windows; numbers split over lines any old
// way; words after the end.
constexpr const char* kGoodModel =
    "rocky planet.bmp\r\n"
    "objects 2\n"
    "meshes 1 strips\n2\n"
    "normal 0 0\n1 vertices 2\n"
    "v 1.5 -2 3 t 0.25 1\n"
    "v\n4 5 6\nt -1 0.5\n"
    "normal 1 0 0 vertices 1 v 7 8 9 t 0 0\n"
    "meshes 0\n"
    "anything after the last number is ignored";

}  // namespace

TEST(ModelFile, ReadsObjectsMeshesAndStripsWhereverTheLinesBreak) {
    Model model;
    std::string texture, error;
    ASSERT_TRUE(parseModel(kGoodModel, model, texture, error)) << error;
    EXPECT_EQ(texture, "rocky planet.bmp");
    ASSERT_EQ(model.objects.size(), 2u);
    EXPECT_TRUE(model.objects[1].meshes.empty());
    ASSERT_EQ(model.objects[0].meshes.size(), 1u);
    const auto& strips = model.objects[0].meshes[0].strips;
    ASSERT_EQ(strips.size(), 2u);
    EXPECT_EQ(strips[0].normal.z, 1.0f);
    ASSERT_EQ(strips[0].vertices.size(), 2u);
    EXPECT_EQ(strips[0].vertices[0].y, -2.0f);
    EXPECT_EQ(strips[0].vertices[1].z, 6.0f);
    EXPECT_EQ(strips[0].texCoords[1].s, -1.0f);
    EXPECT_EQ(strips[1].vertices[0].x, 7.0f);
}

TEST(ModelFile, DamagedFilesAreRejectedAndLeaveTheModelAlone) {
    const std::string header = "planet.bmp\nobjects 1 meshes 1 strips ";
    const std::string strip = "normal 0 0 1 vertices ";
    // One vertex, then a strip whose count alone is allowed but not the sum.
    const std::string pastTheBound =
        header + "2 " + strip + "1 v 0 0 0 t 0 0 " + strip + "1000000 v 0 0 0 t 0 0";
    const std::string longLabel = header + "1 " + std::string(256, 'x') + " 0 0 1 vertices 0";
    const std::pair<const char*, std::string> damaged[] = {
        {"no line 1", ""},
        {"negative count", "planet.bmp\nobjects -1"},
        {"negative vertex count", header + "1 " + strip + "-3"},
        {"count past the bound", "planet.bmp\nobjects 2000000"},
        {"vertices past the bound in all", pastTheBound},
        {"file ends", header + "1 " + strip + "2 v 0 0 0 t 0 0 v 1 1"},
        {"line 1 only", "planet.bmp\n"},
        {"unreadable count", "planet.bmp\nobjects two"},
        {"fraction for a count", "planet.bmp\nobjects 1.5"},
        {"unreadable real", header + "1 " + strip + "1 v 0 zero 0 t 0 0"},
        {"label too long", longLabel},
    };
    for (const auto& [kind, text] : damaged) {
        Model model;
        model.objects.resize(3);
        std::string texture = "kept.bmp", error;
        EXPECT_FALSE(parseModel(text, model, texture, error)) << kind;
        EXPECT_FALSE(error.empty()) << kind;
        EXPECT_EQ(model.objects.size(), 3u) << kind;
        EXPECT_EQ(texture, "kept.bmp") << kind;
    }
}
