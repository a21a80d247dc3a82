// The view: the one perspective that the frame is drawn through and that
// every pick pass aims through, so a shape is picked exactly where it shows.
#pragma once

constexpr double kFieldOfViewDegrees = 45.0;  // vertical
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 10000.0;

// Multiplies the current matrix by the perspective for a drawable whose
// width is `aspect` times its height.
void multiplyPerspective(double aspect);
