// What the frame needs of the input and the clock, filled by the platform
// each tick, so that drawing depends on nothing of the input layer.
#pragma once

#include <cstdint>

struct FrameInput {
    int32_t mouseX = 0;  // window pixels, from the top left
    int32_t mouseY = 0;
    int32_t mapX = 0;  // the pointer in map coordinates
    int32_t mapY = 0;
    bool leftHeld = false;
    uint32_t pressTime = 0;   // the clock when the held left button went down
    uint32_t clock = 0;       // the millisecond clock now
    uint32_t frameDelta = 0;  // ms of the last frame
};
