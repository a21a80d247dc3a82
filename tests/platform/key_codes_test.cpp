// Virtual-key codes of the SDL keys: the codes the input capture and the
// battle test mode know keys by.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/program.h"

namespace {

TEST(KeyCodes, FunctionKeysAndTheRestOfTheKeyboard) {
    EXPECT_EQ(virtualKeyCode(SDLK_F1), 112);
    EXPECT_EQ(virtualKeyCode(SDLK_F2), 113);
    EXPECT_EQ(virtualKeyCode(SDLK_F12), 123);
    EXPECT_EQ(virtualKeyCode(SDLK_a), 'A');
    EXPECT_EQ(virtualKeyCode(SDLK_z), 'Z');
    EXPECT_EQ(virtualKeyCode(SDLK_0), '0');
    EXPECT_EQ(virtualKeyCode(SDLK_9), '9');
    EXPECT_EQ(virtualKeyCode(SDLK_BACKSPACE), 8);
    EXPECT_EQ(virtualKeyCode(SDLK_TAB), 9);
    EXPECT_EQ(virtualKeyCode(SDLK_RETURN), 13);
    EXPECT_EQ(virtualKeyCode(SDLK_LSHIFT), 16);
    EXPECT_EQ(virtualKeyCode(SDLK_RSHIFT), 16);
    EXPECT_EQ(virtualKeyCode(SDLK_RCTRL), 17);
    EXPECT_EQ(virtualKeyCode(SDLK_LALT), 18);
    EXPECT_EQ(virtualKeyCode(SDLK_ESCAPE), 27);
    EXPECT_EQ(virtualKeyCode(SDLK_SPACE), 32);
    EXPECT_EQ(virtualKeyCode(SDLK_LEFT), 37);
    EXPECT_EQ(virtualKeyCode(SDLK_UP), 38);
    EXPECT_EQ(virtualKeyCode(SDLK_RIGHT), 39);
    EXPECT_EQ(virtualKeyCode(SDLK_DOWN), 40);
    EXPECT_EQ(virtualKeyCode(SDLK_KP_5), 101);

    EXPECT_EQ(virtualKeyCode(SDLK_AUDIOPLAY), -1);
    EXPECT_EQ(virtualKeyCode(SDLK_UNKNOWN), -1);
    EXPECT_EQ(virtualKeyCode(0x10FFFF), -1);  // a character no key table holds
}

}  // namespace
