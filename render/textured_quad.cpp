// Textured quads.
#include "render/textured_quad.h"

#include <GL/gl.h>

#include <array>

#include "render/picking.h"

void drawTexturedQuad(const QuadRect& quad, const TextureRect& texture) {
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(texture.sLeft, texture.tTop);
    glVertex2f(quad.left, quad.top);
    glTexCoord2f(texture.sLeft, texture.tBottom);
    glVertex2f(quad.left, quad.bottom);
    glTexCoord2f(texture.sRight, texture.tTop);
    glVertex2f(quad.right, quad.top);
    glTexCoord2f(texture.sRight, texture.tBottom);
    glVertex2f(quad.right, quad.bottom);
    glEnd();
}

void drawQuadShape(const QuadRect& quad) {
    const std::array<float, 8> corners{quad.left,  quad.top, quad.left,  quad.bottom,
                                       quad.right, quad.top, quad.right, quad.bottom};
    drawPickShape(PickShape::Strip, corners.data(), 4);
}
