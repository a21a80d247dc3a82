// Input capture as the ticks see it: each message followed by the tick that
// reads the state and ages the latches, checked against the latch cycle
// up -> pressed for one tick -> held -> released for one tick -> up and seen.
#include <gtest/gtest.h>

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

TEST(InputCapture, ClickInTwoTicksReportsThePressThenTheRelease) {
    InputState input;
    EXPECT_EQ(left(input), kUp);

    pressMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kPressed);  // what the next tick sees
    ageMouseLatches(input);
    EXPECT_EQ(left(input), kHeld);

    releaseMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kReleased);
    ageMouseLatches(input);
    EXPECT_EQ(left(input), kUpAndSeen);

    // The next click goes round the same cycle.
    pressMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kPressed);
    ageMouseLatches(input);
    releaseMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kReleased);
}

TEST(InputCapture, RepeatedDownOrUpMessagesChangeNothing) {
    InputState input;
    pressMouseButton(input, MouseButton::Left);
    ageMouseLatches(input);
    pressMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kHeld);
    ageMouseLatches(input);
    pressMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kHeld);

    releaseMouseButton(input, MouseButton::Left);
    ageMouseLatches(input);
    releaseMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kUpAndSeen);
}

TEST(InputCapture, SecondMessageBeforeAnyTickCountsAsSeen) {
    InputState input;
    pressMouseButton(input, MouseButton::Left);
    pressMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kHeld);

    releaseMouseButton(input, MouseButton::Left);
    releaseMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kUpAndSeen);
}

TEST(InputCapture, ReleaseBeforeTheTickSawThePressReplacesIt) {
    InputState input;
    pressMouseButton(input, MouseButton::Left);
    releaseMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kReleased);
    ageMouseLatches(input);
    EXPECT_EQ(left(input), kUpAndSeen);
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

TEST(InputCapture, ButtonsHaveTheirOwnLatches) {
    InputState input;
    pressMouseButton(input, MouseButton::Right);
    EXPECT_EQ(right(input), kPressed);
    EXPECT_EQ(left(input), kUp);
    pressMouseButton(input, MouseButton::Left);
    ageMouseLatches(input);
    releaseMouseButton(input, MouseButton::Left);
    EXPECT_EQ(left(input), kReleased);
    EXPECT_EQ(right(input), kHeld);
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
