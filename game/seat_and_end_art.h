// HUD atlas regions of the pictures the Setup screen's seat column and the end
// screen show: the one table the button table, the drawing and the art program
// read, so that what the game samples is what the art program paints.
#pragma once

// Texels of the 256 x 256 atlas: columns sLeft..sRight-1, rows tBottom..tTop-1
// counted from the bottom of the picture.
struct AtlasTexels {
    int sLeft, sRight, tBottom, tTop;
};

// The button that leaves the end screen for Setup, 32 x 32 like its neighbours.
constexpr AtlasTexels kNewGameButtonTexels{108, 140, 3, 35};

// The seat column: its header, and one picture per kind of seat (Human, then
// Computer), all as wide as the player bars and as high as a table row.
constexpr AtlasTexels kSeatHeaderTexels{92, 150, 238, 253};
constexpr AtlasTexels kSeatPictureTexels[] = {
    {92, 150, 220, 235},  // Human
    {92, 150, 202, 217},  // Computer
};
