// Makes the game's art: the font image, the HUD atlas, the two planet
// models with their textures and the window's icon, written into the folder named first on the
// command line, and the icons of the install into the folder named second.
// The same program always writes the same bytes.
#include <cstdio>
#include <string>

#include "tools/canvas.h"
#include "tools/font_art.h"
#include "tools/hud_art.h"
#include "tools/icon_art.h"
#include "tools/planet_art.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: brennolt_make_art <data-folder> [<icon-folder>]\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    bool written = true;
    auto save = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
        if (!writeFile(folder + name, bytes)) {
            std::fprintf(stderr, "make_art: cannot write %s%s\n", folder.c_str(), name.c_str());
            written = false;
        }
    };

    Canvas font;
    if (!makeFontImage(font)) return 1;
    save("myFont.bmp", encodeBmp(font));

    Canvas hud;
    if (!makeHudImage(hud)) return 1;
    save("HUD.bmp", encodeBmp(hud));

    for (const PlanetArt& planet : makePlanets()) {
        save(planet.modelFileName,
             std::vector<uint8_t>(planet.modelText.begin(), planet.modelText.end()));
        save(planet.textureFileName, encodeBmp(planet.texture));
    }

    save(kWindowIconFileName, makeWindowIconBmp());

    if (argc == 3) {
        const std::string iconFolder = std::string(argv[2]) + "/";
        for (int size : kIconSizes) {
            const std::vector<uint8_t> icon = makeIconPng(size);
            if (icon.empty() || !writeFile(iconFolder + iconFileName(size), icon)) {
                std::fprintf(stderr, "make_art: cannot write %s%s\n", iconFolder.c_str(),
                             iconFileName(size).c_str());
                written = false;
            }
        }
    }
    return written ? 0 : 1;
}
