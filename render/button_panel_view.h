// The button panel on screen: the visible buttons at their places (two
// columns that close up over hidden buttons), the tooltip of the hovered one,
// and the pick pass that finds the button under the pointer.
#pragma once

#include "render/frame_input.h"

struct Art;
struct Button;
struct ButtonPanel;
struct PickResults;
enum class GamePhase : int32_t;

// A button's image with its bottom-left corner at (x, y), visible or not.
void drawButton(const Art& art, const Button& button, int x, int y);
// The same rectangle as plain geometry, for a pick pass.
void drawButtonPickShape(const Button& button, int x, int y);

// Every visible button, then the tooltip of the hovered one (from the last
// pick, -1 for none) beside the pointer. The Quit button's place depends on
// the phase.
void drawPanel(const Art& art, const ButtonPanel& panel, int hoveredButton, GamePhase phase,
               const FrameInput& input);
// The pick shapes of every visible button, each named by its index.
void drawPanelPickShapes(const ButtonPanel& panel, GamePhase phase);
// Sets hoveredButton to the visible button under the pointer, or -1.
void pickPanel(const ButtonPanel& panel, PickResults& picks, GamePhase phase,
               const FrameInput& input);
// The tooltip of button `index`, ending at the window's right edge at most.
void drawTooltip(const Art& art, const ButtonPanel& panel, int index, const FrameInput& input);
