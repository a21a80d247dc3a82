// Planet model files: a text file naming its texture on line 1, then objects,
// meshes and triangle strips with one normal each. The records and the parser
// need no OpenGL, so the reader can be tested and fuzzed without a context.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct TexCoord {
    float s = 0.0f;
    float t = 0.0f;
};

struct ModelStrip {
    std::vector<Vector3> vertices;
    std::vector<TexCoord> texCoords;  // one per vertex
    Vector3 normal;
};

struct ModelMesh {
    std::vector<ModelStrip> strips;
};

struct ModelObject {
    std::vector<ModelMesh> meshes;
    int32_t currentMesh = 0;
};

struct Model {
    std::vector<ModelObject> objects;
    int32_t currentObject = 0;
    Vector3 position;
    uint32_t texture = 0;
    float angleY = 0.0f;
    float angleX = 0.0f;
};

// Parses a whole model file. False, with the reason in `error`, when the file
// is damaged; `model` and `textureName` are then untouched.
bool parseModel(std::string_view text, Model& model, std::string& textureName, std::string& error);
