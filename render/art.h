// Art: the game's textures and planet models, loaded once at start-up with the
// window's context current and kept for the whole run.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render/model_file.h"

constexpr int kPlanetModelCount = 2;

struct Art {
    uint32_t fontTexture = 0;  // "myFont.bmp"
    uint32_t hudTexture = 0;   // "HUD.bmp"
    std::array<Model, kPlanetModelCount> planetModels;
};

// Start-up loading, in order: the font, the HUD atlas, then "Sphere Model00"
// and "Sphere Model01" with their textures, all from the data folder
// `folder`. Needs a current GL context.
void loadArt(Art& art, const std::string& folder);
// The two halves of loadArt: the font and the HUD atlas, then the models.
void loadHudArt(Art& art, const std::string& folder);
void loadPlanetModels(Art& art, const std::string& folder);
