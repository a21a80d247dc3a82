// Picking: what lies under the pointer, found by drawing named shapes again
// in OpenGL's selection mode through a one-pixel pick region.
#pragma once

#include <functional>

// Draws `drawNamedShapes` (which calls glLoadName before each shape) around
// the picture pixel (mouseX, mouseY), counted from the top left. Returns the
// name of the nearest hit (at equal depth the first drawn), or -1.
int runPickPass(int mouseX, int mouseY, const std::function<void()>& drawNamedShapes);

enum class PickShape { Strip, Fan };

// Draws one named shape of a pick pass from `vertexCount` (x, y) pairs, as a
// triangle strip or fan. The shape goes through a vertex array, never
// glBegin/glEnd: Mesa's selection mode holds on to every immediate-mode
// vertex buffer it has drawn from, which left the program growing by
// hundreds of kilobytes a frame.
void drawPickShape(PickShape shape, const float* xy, int vertexCount);
