// STAND-IN, to be deleted when the screens branch lands: minimal textures,
// bitmap text and picking so that the star map and the battle view can be
// drawn and tested before the real ones arrive. Same names and behaviour.
#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "game/game.h"
#include "render/art.h"
#include "render/picking.h"
#include "render/text.h"
#include "render/texture.h"

namespace {

uint32_t readLittle(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<size_t>(i)];
    return value;
}

// Uncompressed 24-bit bottom-up BMP to RGBA with the white colour key.
bool readBitmap(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t offset = readLittle(bytes, 10, 4);
    width = static_cast<int32_t>(readLittle(bytes, 18, 4));
    height = static_cast<int32_t>(readLittle(bytes, 22, 4));
    if (readLittle(bytes, 28, 2) != 24 || width <= 0 || height <= 0 || width > 4096 ||
        height > 4096 || width % 4 != 0)
        return false;
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (offset + pixels * 3 > bytes.size()) return false;
    rgba.resize(pixels * 4);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t b = bytes[offset + 3 * i], g = bytes[offset + 3 * i + 1],
                      r = bytes[offset + 3 * i + 2];
        rgba[4 * i] = r;
        rgba[4 * i + 1] = g;
        rgba[4 * i + 2] = b;
        rgba[4 * i + 3] = (r == 255 && g == 255 && b == 255) ? 0 : 255;
    }
    return true;
}

void drawString(const Art& art, int x, int y, const char* text, FontSize size) {
    const bool large = size == FontSize::Large;
    if (!large && size != FontSize::Small) return;
    const float cellS = large ? 0.035156f : 0.027344f;
    const float cellT = large ? 0.042969f : 0.035156f;
    const float rowZero = large ? 0.2890625f : 0.589844f;
    const double width = large ? 9.0 : 7.0;
    const double height = large ? 11.0 : 9.0;
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glBindTexture(GL_TEXTURE_2D, art.fontTexture);
    glPushMatrix();
    glTranslated(x, y, 0.0);
    for (const char* c = text; *c != '\0'; ++c) {
        const int code = static_cast<signed char>(*c);
        const float s0 = static_cast<float>(code % 20) * cellS;
        const float tBottom = rowZero - static_cast<float>(code / 20) * cellT;
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(s0, tBottom + cellT);
        glVertex2d(0.0, 0.0);
        glTexCoord2f(s0, tBottom);
        glVertex2d(0.0, -height);
        glTexCoord2f(s0 + cellS, tBottom + cellT);
        glVertex2d(width, 0.0);
        glTexCoord2f(s0 + cellS, tBottom);
        glVertex2d(width, -height);
        glEnd();
        glTranslated(width, 0.0, 0.0);
    }
    glPopMatrix();
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

uint32_t loadTexture(const std::string& name) {
    int width = 1, height = 1;
    std::vector<uint8_t> rgba;
    if (!readBitmap(dataPath(name), width, height, rgba)) {
        std::fprintf(stderr, "Brennolt: the texture %s could not be read\n", dataPath(name).c_str());
        width = height = 1;
        rgba = {255, 255, 255, 0};
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return texture;
}

void drawText(const Art& art, int x, int y, const char* text, FontSize size) {
    glColor3f(1.0f, 1.0f, 0.0f);
    glDisable(GL_DEPTH_TEST);
    drawString(art, x, y, text, size);
    glEnable(GL_DEPTH_TEST);
}

void drawTextColoured(const Art& art, int x, int y, const char* text, const Colour& colour,
                      FontSize size) {
    glColor3f(colour.r, colour.g, colour.b);
    drawString(art, x, y, text, size);
}

int runPickPass(int mouseX, int mouseY, const std::function<void()>& drawNamedShapes) {
    std::array<GLuint, 512> buffer{};
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(mouseX, viewport[3] - mouseY, 1.0, 1.0, viewport);
    gluPerspective(45.0, static_cast<double>(viewport[2] - viewport[0]) /
                             static_cast<double>(viewport[3] - viewport[1]),
                   1.0, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    drawNamedShapes();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    const GLint hits = glRenderMode(GL_RENDER);
    if (hits <= 0) return -1;
    int result = static_cast<int>(buffer[3]);
    GLuint best = buffer[1];
    for (GLint hit = 1; hit < hits; ++hit) {
        const size_t record = static_cast<size_t>(hit) * 4;
        if (buffer[record + 1] < best) {
            best = buffer[record + 1];
            result = static_cast<int>(buffer[record + 3]);
        }
    }
    return result;
}
