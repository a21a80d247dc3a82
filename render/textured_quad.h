// Textured quads: a rectangle of a texture shown on a rectangle of the map
// plane, drawn as the one triangle strip that every picture of the game uses.
#pragma once

// Corners in map units.
struct QuadRect {
    float left, top, right, bottom;
};

// The texture coordinates of the picture's edges, t growing upward.
struct TextureRect {
    float sLeft, sRight, tBottom, tTop;
};

// The strip runs top-left, bottom-left, top-right, bottom-right, each corner
// with its texture coordinate; texturing and the colour are the caller's.
void drawTexturedQuad(const QuadRect& quad, const TextureRect& texture);
// The same strip with no texture coordinates, for a pick pass.
void drawQuadShape(const QuadRect& quad);
