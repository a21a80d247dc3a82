// HUD atlas quads.
#include "render/hud_quad.h"

#include <GL/gl.h>

#include "render/art.h"

TextureRect atlasTexture(const AtlasRegion& region) {
    return {atlasCoordinate(region.sLeft), atlasCoordinate(region.sRight),
            atlasCoordinate(region.tBottom), atlasCoordinate(region.tTop)};
}

QuadRect placedRect(const HudQuad& quad, int dy) {
    const int bottom = quad.bottom + dy;
    return {static_cast<float>(quad.left), static_cast<float>(bottom + regionHeight(quad.region)),
            static_cast<float>(quad.left + regionWidth(quad.region)), static_cast<float>(bottom)};
}

QuadRect rectFromTopLeft(const AtlasRegion& region, float x, float y) {
    return {x, y, x + static_cast<float>(regionWidth(region)),
            y - static_cast<float>(regionHeight(region))};
}

QuadRect rectCentredOn(const AtlasRegion& region, float x, float y) {
    const float halfWidth = static_cast<float>(regionWidth(region)) / 2.0f;
    const float halfHeight = static_cast<float>(regionHeight(region)) / 2.0f;
    return {x - halfWidth, y + halfHeight, x + halfWidth, y - halfHeight};
}

void beginHudQuads(const Art& art) {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glBindTexture(GL_TEXTURE_2D, art.hudTexture);
}

void endHudQuads() {
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
}

void drawHudQuad(const HudQuad& quad, int dy) {
    drawTexturedQuad(placedRect(quad, dy), atlasTexture(quad.region));
}
