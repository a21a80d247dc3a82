// Interaction: the keyboard and mouse as each tick sees them (keys down, the
// pointer, and latches that report every press and release to exactly one
// tick), and the map interaction that turns the mouse into game actions.
// Nothing here knows the windowing system: the platform hands in plain codes.
#pragma once

#include <array>
#include <cstdint>

#include "game/player_command.h"

struct Game;

// ---------------------------------------------------------------------------
// Input capture.

constexpr int kKeyCount = 256;  // virtual-key codes 0..255
using KeyTable = std::array<bool, kKeyCount>;

// Origin of the map plane in window pixels: the centre of the 800 x 600 client.
constexpr int kMapOriginX = 400;
constexpr int kMapOriginY = 300;

enum class MouseButton { Left, Right };

struct InputState {
    KeyTable keyDown{};
    KeyTable keyLatch{};
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    // The pointer in map coordinates, refreshed at the start of each tick.
    int32_t mapX = -kMapOriginX;
    int32_t mapY = kMapOriginY;
    bool leftPressed = false;
    bool leftHeld = false;
    bool leftReleased = false;
    bool leftReleaseSeen = false;
    bool rightPressed = false;
    bool rightHeld = false;
    bool rightReleased = false;
    bool rightReleaseSeen = false;
    // The clock value of the last left press while the button is held, and
    // after the release how long it was held.
    uint32_t pressTime = 0;
};

// Key messages by virtual-key code; a code outside 0..255 is ignored.
void pressKey(InputState& input, int code);
void releaseKey(InputState& input, int code);

// A pointer move to window pixel (x, y); the coordinates are kept as the
// unsigned 16-bit values a move message carries.
void moveMouse(InputState& input, int x, int y);

// Button messages. They carry no position: the last move's position holds.
void pressMouseButton(InputState& input, MouseButton button);
void releaseMouseButton(InputState& input, MouseButton button);

// First step of a tick: the pointer in map coordinates.
void updateMapPointer(InputState& input);

// Last step of a tick, after everything has read the latches: a press or a
// release that one tick has seen becomes held or released-and-seen.
void ageMouseLatches(InputState& input);

// ---------------------------------------------------------------------------
// Map interaction.

// The map interaction never changes the game itself: it hands the current
// player's commands to the sink, each checked first, and reads the game again
// for the next (a game on one machine applies them at once).

// The tick's left-button step: a press records the clock in the press time, a
// release turns it into the press duration and acts on the current phase.
void handleLeftClick(const Game& game, InputState& input, uint32_t clock, const CommandSink& sink);

// What a left release does in the current phase, with the press duration in
// the press time: on the Setup screen a button, else a team box; on the turn
// screen a button; on the star map a selector control, a placement, a course,
// a group or planet to select, or a button. Nothing while a battle runs.
void handleLeftRelease(const Game& game, const InputState& input, const CommandSink& sink);

// The tick's right-button step: a right release in a map phase cancels the
// selections, the count selector and any placement.
void handleRightClick(const Game& game, const InputState& input, const CommandSink& sink);
