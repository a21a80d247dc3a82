// Input capture: key and mouse messages written into the InputState between
// ticks, and the latches that hand each press and release to one tick only.
#include <cstdint>

#include "interaction/interaction.h"

namespace {

// The four latches of one mouse button.
struct ButtonLatches {
    bool& pressed;
    bool& held;
    bool& released;
    bool& releaseSeen;
};

ButtonLatches latchesOf(InputState& input, MouseButton button) {
    if (button == MouseButton::Left) {
        return {input.leftPressed, input.leftHeld, input.leftReleased, input.leftReleaseSeen};
    }
    return {input.rightPressed, input.rightHeld, input.rightReleased, input.rightReleaseSeen};
}

bool isKeyCode(int code) { return code >= 0 && code < kKeyCount; }

// A down message repeated before any tick saw the first counts as seen, so
// the same message delivered twice never reports two presses.
void latchPress(ButtonLatches latches) {
    if (latches.pressed) {
        latches.pressed = false;
        latches.held = true;
    } else if (!latches.held) {
        latches.pressed = true;
        latches.released = false;
        latches.releaseSeen = false;
    }
}

void latchRelease(ButtonLatches latches) {
    if (latches.released) {
        latches.released = false;
        latches.releaseSeen = true;
    } else if (!latches.releaseSeen) {
        latches.released = true;
        latches.pressed = false;
        latches.held = false;
    }
}

void promote(ButtonLatches latches) {
    if (latches.released) {
        latches.released = false;
        latches.releaseSeen = true;
    }
    if (latches.pressed) {
        latches.pressed = false;
        latches.held = true;
    }
}

void promoteBoth(InputState& input) {
    promote(latchesOf(input, MouseButton::Left));
    promote(latchesOf(input, MouseButton::Right));
}

}  // namespace

void pressKey(InputState& input, int code) {
    if (isKeyCode(code)) input.keyDown[code] = true;
}

void releaseKey(InputState& input, int code) {
    if (isKeyCode(code)) input.keyDown[code] = false;
}

void moveMouse(InputState& input, int x, int y) {
    input.mouseX = static_cast<uint16_t>(x);
    input.mouseY = static_cast<uint16_t>(y);
    promoteBoth(input);
}

void pressMouseButton(InputState& input, MouseButton button) {
    latchPress(latchesOf(input, button));
}

void releaseMouseButton(InputState& input, MouseButton button) {
    latchRelease(latchesOf(input, button));
}

void updateMapPointer(InputState& input) {
    input.mapX = input.mouseX - kMapOriginX;
    input.mapY = kMapOriginY - input.mouseY;
}

void ageMouseLatches(InputState& input) { promoteBoth(input); }
