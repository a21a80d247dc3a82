// Textures: a checked bitmap of the Data folder uploaded as RGBA, nearest
// texel, no mipmaps. A file that fails the checks never reaches OpenGL.
#include "render/texture.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "game/data_file.h"
#include "game/data_path.h"
#include "render/bitmap_file.h"

uint32_t loadTexture(const std::string& folder, const std::string& name) {
    const std::string path = dataPath(folder, name);
    std::string error;
    std::vector<uint8_t> bytes;
    Bitmap bitmap;
    if (readDataFile(path, bytes, error) != FileRead::Read || !parseBitmap(bytes, bitmap, error)) {
        std::fprintf(stderr, "Brennolt: texture %s not loaded: %s\n", path.c_str(), error.c_str());
        // One white texel: the colour key makes it transparent, so whatever
        // uses the texture simply draws nothing.
        bitmap.width = 1;
        bitmap.height = 1;
        bitmap.rgba = {255, 255, 255, 0};
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Rows are tightly packed RGBA; keep the default alignment from mattering.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, bitmap.width, bitmap.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, bitmap.rgba.data());
    return texture;
}
