// Art: loaded in the start-up order, each piece on its own so the platform
// can take its clock between the textures and the models.
#include "render/art.h"

#include "render/model.h"
#include "render/texture.h"

void loadHudArt(Art& art) {
    art.fontTexture = loadTexture("myFont.bmp");
    art.hudTexture = loadTexture("HUD.bmp");
}

void loadPlanetModels(Art& art) {
    loadModel(art.planetModels[0], "Sphere Model00");
    loadModel(art.planetModels[1], "Sphere Model01");
}

void loadArt(Art& art) {
    loadHudArt(art);
    loadPlanetModels(art);
}
