// Icon art: the game's icon for the desktop's menu and its window, a ringed
// planet with a fleet closing in against deep space, drawn at any size as an
// RGBA PNG, and for the window as a bitmap the game reads like its other art.
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

// The window's icon, kept with the game's data.
inline constexpr int kWindowIconSize = 64;
inline constexpr const char* kWindowIconFileName = "icon.bmp";
// The 24-bit BMP file bytes of the window's icon, white (the colour key) around the tile.
std::vector<uint8_t> makeWindowIconBmp();
