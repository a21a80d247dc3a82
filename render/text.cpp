// Bitmap text: one textured strip per character from the font image's two
// grids of 20 columns, codes 0 to 127.
#include "render/text.h"

#include <GL/gl.h>

#include "game/game.h"
#include "render/art.h"
#include "render/textured_quad.h"

namespace {

// The grids in texture coordinates: six-decimal values the font image was
// laid out with, not exact fractions of 256, so they stay written out.
struct TextureGrid {
    FontSize size;
    float cellS;
    float cellT;
    float rowZeroT;  // bottom edge of the row of codes 0 to 19
};

constexpr TextureGrid kSmallTextureGrid = {FontSize::Small, 0.027344f, 0.035156f, 0.589844f};
constexpr TextureGrid kLargeTextureGrid = {FontSize::Large, 0.035156f, 0.042969f, 0.2890625f};

void drawGlyph(const TextureGrid& grid, int code) {
    const float s0 = static_cast<float>(code % kGridColumns) * grid.cellS;
    const float s1 = s0 + grid.cellS;
    const float tBottom = grid.rowZeroT - static_cast<float>(code / kGridColumns) * grid.cellT;
    const float tTop = tBottom + grid.cellT;
    const float width = static_cast<float>(glyphAdvance(grid.size));
    const float height = static_cast<float>(glyphHeight(grid.size));
    drawTexturedQuad({0.0f, 0.0f, width, -height}, {s0, s1, tBottom, tTop});
}

void drawString(const Art& art, int x, int y, const char* text, FontSize size) {
    glBindTexture(GL_TEXTURE_2D, art.fontTexture);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    if (size == FontSize::Small || size == FontSize::Large) {
        const TextureGrid& grid = size == FontSize::Small ? kSmallTextureGrid : kLargeTextureGrid;
        for (const unsigned char* byte = reinterpret_cast<const unsigned char*>(text); *byte != 0;
             ++byte) {
            // Bytes past ASCII have no cell; they keep their place as a gap.
            if (*byte < kGridCodes) drawGlyph(grid, *byte);
            glTranslated(glyphAdvance(grid.size), 0.0, 0.0);
        }
    }
    glPopMatrix();
}

void beginText() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
}

void endText() {
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void drawText(const Art& art, int x, int y, const char* text, FontSize size) {
    glColor3f(1.0f, 1.0f, 0.0f);
    beginText();
    glDisable(GL_DEPTH_TEST);
    drawString(art, x, y, text, size);
    glEnable(GL_DEPTH_TEST);
    endText();
}

void drawTextColoured(const Art& art, int x, int y, const char* text, const Colour& colour,
                      FontSize size) {
    glColor3f(colour.r, colour.g, colour.b);
    beginText();
    drawString(art, x, y, text, size);
    endText();
}
