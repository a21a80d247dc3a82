// Textures: a checked bitmap of the Data folder uploaded as RGBA, nearest
// texel, no mipmaps. A file that fails the checks never reaches OpenGL.
#include "render/texture.h"

#include <GL/gl.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "game/data_path.h"
#include "game/game.h"
#include "render/bitmap_file.h"

namespace {

// Bigger than any acceptable bitmap (4096 x 4096 x 3 plus headers), so a huge
// file is refused without being swallowed whole.
constexpr std::streamsize kLargestFile = 64 * 1024 * 1024;

// Empty on failure, with the reason in `error`.
std::vector<uint8_t> readFile(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        error = "cannot open it";
        return {};
    }
    const std::streamsize size = file.tellg();
    std::vector<uint8_t> bytes;
    if (size > 0 && size <= kLargestFile) {
        bytes.resize(static_cast<size_t>(size));
        file.seekg(0);
        if (file.read(reinterpret_cast<char*>(bytes.data()), size)) return bytes;
    }
    error = "cannot read it";
    return {};
}

}  // namespace

uint32_t loadTexture(const std::string& folder, const std::string& name) {
    const std::string path = dataPath(folder, name);
    std::string error;
    const std::vector<uint8_t> bytes = readFile(path, error);
    Bitmap bitmap;
    if (!error.empty() || !parseBitmap(bytes, bitmap, error)) {
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
