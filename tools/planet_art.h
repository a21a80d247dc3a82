// Planet art: the two sphere models (a cratered rock and a banded gas giant
// with a ring) in the game's model text format, with their textures.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/canvas.h"

struct ArtVertex {
    float x, y, z;
    float s, t;
};

// One triangle strip with one normal; a negative s marks it untextured.
struct ArtStrip {
    std::array<float, 3> normal;
    std::vector<ArtVertex> vertices;
};

struct PlanetArt {
    std::string modelFileName;    // "Sphere Model00.txt"
    std::string textureFileName;  // named on line 1 of the model file
    std::vector<ArtStrip> strips;
    std::string modelText;
    Canvas texture;
};

constexpr float kPlanetRadius = 15.0f;  // one unit is about one pixel of the map

std::vector<PlanetArt> makePlanets();
// The model file text for a texture name and one object of one mesh.
std::string modelFileText(const std::string& textureFileName, const std::vector<ArtStrip>& strips);
int triangleCount(const std::vector<ArtStrip>& strips);
