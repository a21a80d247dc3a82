// Quads of the HUD atlas: a rectangle of the map plane showing a rectangle of
// texels of the 256 x 256 atlas, drawn as one triangle strip.
#pragma once

struct Art;

constexpr float kAtlasTexels = 256.0f;

struct HudQuad {
    int left, right, bottom, top;      // map units
    int sLeft, sRight, tBottom, tTop;  // atlas texels, t from the bottom
};

// Texturing and the alpha test on, the atlas bound; the colour is the caller's.
void beginHudQuads(const Art& art);
void endHudQuads();
// The quad moved `dy` units up.
void drawHudQuad(const HudQuad& quad, int dy = 0);
// The same rectangle untextured, for a pick pass.
void drawQuadShape(const HudQuad& quad, int dy = 0);
