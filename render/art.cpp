// Art: loaded in the start-up order, each piece on its own so the platform
// can take its clock between the textures and the models.
#include "render/art.h"

#include "render/model.h"
#include "render/texture.h"

void loadHudArt(Art& art, const std::string& folder) {
    art.fontTexture = loadTexture(folder, "myFont.bmp");
    art.hudTexture = loadTexture(folder, "HUD.bmp");
}

void loadPlanetModels(Art& art, const std::string& folder) {
    loadModel(art.planetModels[0], folder, "Sphere Model00");
    loadModel(art.planetModels[1], folder, "Sphere Model01");
}

void loadArt(Art& art, const std::string& folder) {
    loadHudArt(art, folder);
    loadPlanetModels(art, folder);
}
