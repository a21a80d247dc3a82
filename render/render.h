// Presentation: the OpenGL state the game draws with, the view that follows
// the window's size, and the composition of each frame. Plain OpenGL 1.1 in
// immediate mode; presenting the finished frame is the platform's job.
#pragma once

struct Art;
struct FrameInput;
struct Game;
struct PickResults;
struct PictureArea;

// The map plane lies this far in front of the viewpoint, so that one map unit
// is one pixel of the 800 x 600 window under the 45-degree view.
constexpr float kMapPlaneDepth = 725.0f;

// Start-up state: black clear colour, smooth shading, thin lines, and light 1
// on the viewing axis behind the viewpoint (lighting itself is switched on by
// whoever draws lit models).
void initialiseGraphics();

// Viewport and perspective for a drawable of width x height pixels; a height
// of 0 is taken as 1 so the aspect stays finite. Returns the height used.
int resizeView(int width, int height);

// Viewport and perspective that show the picture in `area` of a window
// `windowHeight` pixels high (the full screen's view); the rest is left to
// the clear colour.
void viewPicture(const PictureArea& area, int windowHeight);

// Draws one frame of the current phase into the back buffer, and runs the
// pick passes of what it shows, writing what lies under the pointer into
// `picks` for the next tick's clicks; the game itself is only read.
void composeFrame(const Game& game, PickResults& picks, const Art& art, const FrameInput& input);
