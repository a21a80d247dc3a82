// HUD atlas quads.
#include "render/hud_quad.h"

#include <GL/gl.h>

#include "render/art.h"

namespace {

void quadStrip(const HudQuad& quad, int dy, bool textured) {
    const float left = static_cast<float>(quad.left);
    const float right = static_cast<float>(quad.right);
    const float bottom = static_cast<float>(quad.bottom + dy);
    const float top = static_cast<float>(quad.top + dy);
    const float sLeft = static_cast<float>(quad.sLeft) / kAtlasTexels;
    const float sRight = static_cast<float>(quad.sRight) / kAtlasTexels;
    const float tBottom = static_cast<float>(quad.tBottom) / kAtlasTexels;
    const float tTop = static_cast<float>(quad.tTop) / kAtlasTexels;
    glBegin(GL_TRIANGLE_STRIP);
    if (textured) glTexCoord2f(sLeft, tTop);
    glVertex2f(left, top);
    if (textured) glTexCoord2f(sLeft, tBottom);
    glVertex2f(left, bottom);
    if (textured) glTexCoord2f(sRight, tTop);
    glVertex2f(right, top);
    if (textured) glTexCoord2f(sRight, tBottom);
    glVertex2f(right, bottom);
    glEnd();
}

}  // namespace

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

void drawHudQuad(const HudQuad& quad, int dy) { quadStrip(quad, dy, true); }

void drawQuadShape(const HudQuad& quad, int dy) { quadStrip(quad, dy, false); }
