// Input capture as the ticks see it: each message followed by the tick that
// reads the state and ages the latches, checked against the latch cycle
// up -> pressed for one tick -> held -> released for one tick -> up and seen.
#include <gtest/gtest.h>

#include <vector>

#include "interaction/interaction.h"

namespace {

struct Latches {
    bool pressed, held, released, releaseSeen;
    bool operator==(const Latches&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Latches& l) {
    return out << "{pressed " << l.pressed << ", held " << l.held << ", released " << l.released
               << ", releaseSeen " << l.releaseSeen << "}";
}

Latches left(const InputState& input) {
    return {input.leftPressed, input.leftHeld, input.leftReleased, input.leftReleaseSeen};
}
Latches right(const InputState& input) {
    return {input.rightPressed, input.rightHeld, input.rightReleased, input.rightReleaseSeen};
}

constexpr Latches kUp{false, false, false, false};
constexpr Latches kPressed{true, false, false, false};
constexpr Latches kHeld{false, true, false, false};
constexpr Latches kReleased{false, false, true, false};
constexpr Latches kUpAndSeen{false, false, false, true};

// Button messages and ticks (each tick reads the state, then ages the
// latches), with the latches of both buttons after each.
TEST(InputCapture, ButtonMessagesGoRoundTheLatchCycle) {
    enum Message { PressLeft, ReleaseLeft, PressRight, Tick };
    struct Step {
        Message message;
        Latches left, right;
    };
    const struct {
        const char* name;
        std::vector<Step> steps;
    } sequences[] = {
        {"a click in two ticks reports the press, then the release, and again",
         {{PressLeft, kPressed, kUp},
          {Tick, kHeld, kUp},
          {ReleaseLeft, kReleased, kUp},
          {Tick, kUpAndSeen, kUp},
          {PressLeft, kPressed, kUp},
          {Tick, kHeld, kUp},
          {ReleaseLeft, kReleased, kUp}}},
        {"repeated down or up messages change nothing",
         {{PressLeft, kPressed, kUp},
          {Tick, kHeld, kUp},
          {PressLeft, kHeld, kUp},
          {Tick, kHeld, kUp},
          {PressLeft, kHeld, kUp},
          {ReleaseLeft, kReleased, kUp},
          {Tick, kUpAndSeen, kUp},
          {ReleaseLeft, kUpAndSeen, kUp}}},
        {"a second message before any tick counts as seen",
         {{PressLeft, kPressed, kUp},
          {PressLeft, kHeld, kUp},
          {ReleaseLeft, kReleased, kUp},
          {ReleaseLeft, kUpAndSeen, kUp}}},
        {"a release before the tick saw the press replaces it",
         {{PressLeft, kPressed, kUp}, {ReleaseLeft, kReleased, kUp}, {Tick, kUpAndSeen, kUp}}},
        {"the buttons have their own latches",
         {{PressRight, kUp, kPressed},
          {PressLeft, kPressed, kPressed},
          {Tick, kHeld, kHeld},
          {ReleaseLeft, kReleased, kHeld}}},
    };
    for (const auto& [name, steps] : sequences) {
        SCOPED_TRACE(name);
        InputState input;
        EXPECT_EQ(left(input), kUp);
        for (size_t step = 0; step < steps.size(); ++step) {
            switch (steps[step].message) {
                case PressLeft: pressMouseButton(input, MouseButton::Left); break;
                case ReleaseLeft: releaseMouseButton(input, MouseButton::Left); break;
                case PressRight: pressMouseButton(input, MouseButton::Right); break;
                case Tick: ageMouseLatches(input); break;
            }
            EXPECT_EQ(left(input), steps[step].left) << "step " << step;
            EXPECT_EQ(right(input), steps[step].right) << "step " << step;
        }
    }
}

TEST(InputCapture, PointerMoveAgesTheLatchesAndKeepsSixteenBits) {
    InputState input;
    pressMouseButton(input, MouseButton::Left);
    releaseMouseButton(input, MouseButton::Right);
    moveMouse(input, 10, 20);
    EXPECT_EQ(left(input), kHeld);
    EXPECT_EQ(right(input), kUpAndSeen);
    EXPECT_EQ(input.mouseX, 10);
    EXPECT_EQ(input.mouseY, 20);

    moveMouse(input, -1, 70000);  // dragged off the window's left edge
    EXPECT_EQ(input.mouseX, 65535);
    EXPECT_EQ(input.mouseY, 70000 - 65536);
}

TEST(InputCapture, MapCoordinatesPutTheOriginAtTheWindowCentre) {
    InputState input;
    EXPECT_EQ(input.mapX, -400);  // the pointer starts at (0, 0)
    EXPECT_EQ(input.mapY, 300);
    moveMouse(input, 400, 300);
    EXPECT_EQ(input.mapX, -400);  // not until the tick maps it
    updateMapPointer(input);
    EXPECT_EQ(input.mapX, 0);
    EXPECT_EQ(input.mapY, 0);
    moveMouse(input, 799, 599);
    updateMapPointer(input);
    EXPECT_EQ(input.mapX, 399);
    EXPECT_EQ(input.mapY, -299);
}

TEST(InputCapture, KeysOutsideTheTableAreIgnored) {
    InputState input;
    pressKey(input, -1);
    pressKey(input, 256);
    pressKey(input, 1 << 30);
    releaseKey(input, -5);
    for (bool down : input.keyDown) EXPECT_FALSE(down);

    pressKey(input, 113);
    EXPECT_TRUE(input.keyDown[113]);
    releaseKey(input, 113);
    EXPECT_FALSE(input.keyDown[113]);
}

}  // namespace
