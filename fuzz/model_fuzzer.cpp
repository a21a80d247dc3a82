// Fuzzes the model reader: any bytes as a model file. A refused file leaves
// the model and the texture name as they were and says why; an accepted one
// has a texture coordinate for every vertex.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_failure.h"
#include "render/model_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Model model;
    model.angleX = 12.5f;
    std::string textureName = "untouched";
    std::string error;
    if (!parseModel(text, model, textureName, error)) {
        if (error.empty()) fuzzFailure("a refused model gives no reason");
        if (!model.objects.empty() || model.angleX != 12.5f || textureName != "untouched")
            fuzzFailure("a refused model changed the result");
        return 0;
    }
    for (const ModelObject& object : model.objects) {
        for (const ModelMesh& mesh : object.meshes) {
            for (const ModelStrip& strip : mesh.strips) {
                if (strip.texCoords.size() != strip.vertices.size())
                    fuzzFailure("a strip without one texture coordinate per vertex");
            }
        }
    }
    return 0;
}
