// Picking: what lies under the pointer, found by drawing named shapes again
// in OpenGL's selection mode through a one-pixel pick region.
#pragma once

#include <functional>

// Draws `drawNamedShapes` (which calls glLoadName before each shape) around
// the picture pixel (mouseX, mouseY), counted from the top left. Returns the
// name of the nearest hit (at equal depth the first drawn), or -1.
int runPickPass(int mouseX, int mouseY, const std::function<void()>& drawNamedShapes);
