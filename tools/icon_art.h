// Icon art: the game's icon for the desktop's menu, a ringed planet with a
// fleet closing in against deep space, drawn at any size as an RGBA PNG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The sizes the install puts in the freedesktop icon theme.
inline constexpr int kIconSizes[] = {48, 128, 256};

// "brennolt-48.png" for 48.
std::string iconFileName(int size);
// The PNG file bytes of the icon at size x size pixels; empty if it cannot be encoded.
std::vector<uint8_t> makeIconPng(int size);
