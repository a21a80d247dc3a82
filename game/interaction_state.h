// Interaction state: what the player is in the middle of (the count selector,
// a placement), how long a press must last to mean more than a click, and
// what the last frame found under the pointer.
#pragma once

#include <cstdint>

// How long the left button was held decides what a release over a group
// means while a course or a target is chosen: up to the short press a click,
// up to the long press the group itself, beyond it the pointer's spot. The
// hold meter shows the same two marks.
constexpr uint32_t kShortPressMs = 500;
constexpr uint32_t kLongPressMs = 1500;

enum class InteractionMode : int32_t {
    Idle = 0,
    CountForNewGroup = 1,
    CountForSplit = 2,
    PlaceSplit = 3,
    PlaceNewGroup = 4,
};

enum class SelectorControl : int32_t {
    Confirm = 0,
    Max = 1,
    Plus10 = 2,
    Plus1 = 3,
    Minus1 = 4,
    Minus10 = 5,
    Min = 6,
    Cancel = 7,
};

struct InteractionState {
    InteractionMode mode = InteractionMode::Idle;
    int32_t count = 0;
};

// What the pick passes of the last frame found under the pointer, -1 for
// nothing: the only thing drawing writes. The next tick's clicks act on it,
// and every change of phase forgets it.
struct PickResults {
    int32_t hoveredButton = -1;
    int32_t hoveredGroup = -1;
    int32_t hoveredPlanet = -1;
    int32_t hoveredSetupRow = -1;
    int32_t hoveredSeatRow = -1;  // the player whose seat box is under the pointer
    int32_t hoveredSelectorControl = -1;
};
