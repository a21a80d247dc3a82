// The HUD atlas: where each picture of the HUD image lies, in texels. The art
// program paints every region named here, and the button table and the views
// sample the same regions, so a picture and the rectangle that shows it agree.
#pragma once

#include <cstddef>

// Width and height of the HUD image.
constexpr int kHudAtlasSize = 256;

// Columns sLeft..sRight-1 and rows tBottom..tTop-1, rows counted from the
// bottom of the picture as texture coordinates count them. Every picture is
// shown one map unit per texel, so a region's size is its size on screen.
struct AtlasRegion {
    int sLeft, sRight, tBottom, tTop;
};

constexpr int regionWidth(const AtlasRegion& region) { return region.sRight - region.sLeft; }
constexpr int regionHeight(const AtlasRegion& region) { return region.tTop - region.tBottom; }

// A texel edge as a texture coordinate (exact: the size is a power of two).
constexpr float atlasCoordinate(int texel) {
    return static_cast<float>(texel) / static_cast<float>(kHudAtlasSize);
}

// The face of each button, by button index: three columns of 32 x 32 faces
// and the small Yes and No buttons below the third; the player-count buttons
// and the end screen's way back to Setup beside the Setup table's pieces.
constexpr AtlasRegion kButtonFaces[] = {
    {158, 190, 224, 256}, {158, 190, 191, 223}, {158, 190, 158, 190}, {158, 190, 125, 157},
    {158, 190, 92, 124},  {158, 190, 59, 91},   {191, 223, 224, 256}, {191, 223, 191, 223},
    {191, 223, 158, 190}, {191, 223, 125, 157}, {191, 223, 92, 124},  {191, 223, 59, 91},
    {224, 256, 224, 256}, {224, 256, 191, 223}, {224, 256, 158, 190}, {224, 256, 125, 157},
    {224, 256, 92, 124},  {224, 254, 73, 91},   {224, 245, 54, 72},   {76, 87, 6, 16},
    {89, 100, 6, 16},     {108, 140, 3, 35},
};
constexpr size_t kButtonFaceCount = sizeof kButtonFaces / sizeof kButtonFaces[0];
// The planet button's second face, shown while it offers a donation.
constexpr AtlasRegion kDonationFace{158, 190, 26, 58};

// The star map's sprites and panels; the marker and the group sprite are
// light, so that the owner's colour tints them.
constexpr AtlasRegion kOwnerMarker{0, 40, 216, 256};
constexpr AtlasRegion kGroupSprite{41, 51, 246, 256};
constexpr AtlasRegion kHoveredPlanetPanel{41, 85, 213, 240};
constexpr AtlasRegion kHoveredGroupPanel{41, 85, 185, 212};
constexpr AtlasRegion kSelectedPlanetPanel{0, 136, 139, 184};
constexpr AtlasRegion kSelectedGroupPanel{0, 128, 93, 138};

// The count selector, and the Setup table's headers and row pieces.
constexpr AtlasRegion kCountSelector{0, 128, 40, 92};
constexpr AtlasRegion kPlayerHeader{0, 58, 21, 36};
constexpr AtlasRegion kTeamHeader{59, 99, 21, 36};
constexpr AtlasRegion kPlayerBar{0, 58, 5, 20};
constexpr AtlasRegion kTeamBox{59, 74, 5, 20};
// The seat column: its header, and one picture per kind of seat (Human, the
// computer at each level, a seat open to another machine), as wide as the
// player bars and as high as a table row; and the open seat once someone has
// joined it.
constexpr AtlasRegion kSeatHeader{92, 150, 238, 253};
constexpr AtlasRegion kSeatPictures[] = {
    {92, 150, 220, 235},  // Human
    {92, 150, 202, 217},  // Computer, easy
    {92, 150, 185, 200},  // Computer, normal
    {141, 199, 0, 15},    // Computer, hard
    {192, 250, 16, 31},   // Open
};
constexpr AtlasRegion kRemoteSeatPicture{192, 250, 32, 47};

// The eight count selector controls (confirm, max, +10, +1, -1, -10, min,
// cancel) inside the selector picture: columns from its left, rows from its
// top. The pick pass finds the controls exactly here.
constexpr int kSelectorControlLeft = 29;
constexpr int kSelectorControlPitch = 9;
constexpr int kSelectorControlWidth = 6;
constexpr int kSelectorControlTop = 43;
constexpr int kSelectorControlHeight = 9;
