// Pictures of the HUD atlas on the map plane, one map unit per texel, under
// the state they are drawn with: texturing and the alpha test on, the atlas bound.
#pragma once

#include "game/hud_atlas.h"
#include "render/textured_quad.h"

struct Art;

// A picture with its bottom-left corner at (left, bottom), in map units.
struct HudQuad {
    int left, bottom;
    AtlasRegion region;
};

TextureRect atlasTexture(const AtlasRegion& region);
// The picture's rectangle, moved `dy` units up.
QuadRect placedRect(const HudQuad& quad, int dy = 0);
// The picture's rectangle with its top-left corner, or its centre, at (x, y).
QuadRect rectFromTopLeft(const AtlasRegion& region, float x, float y);
QuadRect rectCentredOn(const AtlasRegion& region, float x, float y);

// Texturing and the alpha test on, the atlas bound; the colour is the caller's.
void beginHudQuads(const Art& art);
void endHudQuads();
void drawHudQuad(const HudQuad& quad, int dy = 0);
