// Textures: a BMP of the Data folder uploaded once as an OpenGL texture, with
// pure white fully transparent (drawn with the alpha test, never blended).
#pragma once

#include <cstdint>
#include <string>

// `name` is a file in the data folder `folder` ("HUD.bmp"). A file that cannot be read
// or is damaged gives one line on standard error and a texture of one white
// (transparent) texel. Leaves the new texture bound. Needs a current context.
uint32_t loadTexture(const std::string& folder, const std::string& name);
