// SDL keys translated to the virtual-key codes the game's key tables are
// indexed by (the Windows codes: F2 is 113, F12 is 123). Both shift, control
// and alt keys give the one generic code, as key messages do. A key that is
// not in the table has no code and is ignored.
#include <array>
#include <cstdint>

#include "platform/program.h"

namespace {

struct KeyCode {
    SDL_Keycode key;
    uint8_t code;
};

constexpr std::array kKeyCodes{
    // Editing and control keys.
    KeyCode{SDLK_BACKSPACE, 8},
    KeyCode{SDLK_TAB, 9},
    KeyCode{SDLK_CLEAR, 12},
    KeyCode{SDLK_RETURN, 13},
    KeyCode{SDLK_KP_ENTER, 13},
    KeyCode{SDLK_LSHIFT, 16},
    KeyCode{SDLK_RSHIFT, 16},
    KeyCode{SDLK_LCTRL, 17},
    KeyCode{SDLK_RCTRL, 17},
    KeyCode{SDLK_LALT, 18},
    KeyCode{SDLK_RALT, 18},
    KeyCode{SDLK_PAUSE, 19},
    KeyCode{SDLK_CAPSLOCK, 20},
    KeyCode{SDLK_ESCAPE, 27},
    KeyCode{SDLK_SPACE, 32},
    KeyCode{SDLK_PAGEUP, 33},
    KeyCode{SDLK_PAGEDOWN, 34},
    KeyCode{SDLK_END, 35},
    KeyCode{SDLK_HOME, 36},
    KeyCode{SDLK_LEFT, 37},
    KeyCode{SDLK_UP, 38},
    KeyCode{SDLK_RIGHT, 39},
    KeyCode{SDLK_DOWN, 40},
    KeyCode{SDLK_PRINTSCREEN, 44},
    KeyCode{SDLK_INSERT, 45},
    KeyCode{SDLK_DELETE, 46},
    // Digits and letters: their upper-case characters.
    KeyCode{SDLK_0, 48},
    KeyCode{SDLK_1, 49},
    KeyCode{SDLK_2, 50},
    KeyCode{SDLK_3, 51},
    KeyCode{SDLK_4, 52},
    KeyCode{SDLK_5, 53},
    KeyCode{SDLK_6, 54},
    KeyCode{SDLK_7, 55},
    KeyCode{SDLK_8, 56},
    KeyCode{SDLK_9, 57},
    KeyCode{SDLK_a, 65},
    KeyCode{SDLK_b, 66},
    KeyCode{SDLK_c, 67},
    KeyCode{SDLK_d, 68},
    KeyCode{SDLK_e, 69},
    KeyCode{SDLK_f, 70},
    KeyCode{SDLK_g, 71},
    KeyCode{SDLK_h, 72},
    KeyCode{SDLK_i, 73},
    KeyCode{SDLK_j, 74},
    KeyCode{SDLK_k, 75},
    KeyCode{SDLK_l, 76},
    KeyCode{SDLK_m, 77},
    KeyCode{SDLK_n, 78},
    KeyCode{SDLK_o, 79},
    KeyCode{SDLK_p, 80},
    KeyCode{SDLK_q, 81},
    KeyCode{SDLK_r, 82},
    KeyCode{SDLK_s, 83},
    KeyCode{SDLK_t, 84},
    KeyCode{SDLK_u, 85},
    KeyCode{SDLK_v, 86},
    KeyCode{SDLK_w, 87},
    KeyCode{SDLK_x, 88},
    KeyCode{SDLK_y, 89},
    KeyCode{SDLK_z, 90},
    KeyCode{SDLK_LGUI, 91},
    KeyCode{SDLK_RGUI, 92},
    KeyCode{SDLK_APPLICATION, 93},
    // Keypad.
    KeyCode{SDLK_KP_0, 96},
    KeyCode{SDLK_KP_1, 97},
    KeyCode{SDLK_KP_2, 98},
    KeyCode{SDLK_KP_3, 99},
    KeyCode{SDLK_KP_4, 100},
    KeyCode{SDLK_KP_5, 101},
    KeyCode{SDLK_KP_6, 102},
    KeyCode{SDLK_KP_7, 103},
    KeyCode{SDLK_KP_8, 104},
    KeyCode{SDLK_KP_9, 105},
    KeyCode{SDLK_KP_MULTIPLY, 106},
    KeyCode{SDLK_KP_PLUS, 107},
    KeyCode{SDLK_KP_MINUS, 109},
    KeyCode{SDLK_KP_PERIOD, 110},
    KeyCode{SDLK_KP_DIVIDE, 111},
    // Function keys.
    KeyCode{SDLK_F1, 112},
    KeyCode{SDLK_F2, 113},
    KeyCode{SDLK_F3, 114},
    KeyCode{SDLK_F4, 115},
    KeyCode{SDLK_F5, 116},
    KeyCode{SDLK_F6, 117},
    KeyCode{SDLK_F7, 118},
    KeyCode{SDLK_F8, 119},
    KeyCode{SDLK_F9, 120},
    KeyCode{SDLK_F10, 121},
    KeyCode{SDLK_F11, 122},
    KeyCode{SDLK_F12, 123},
    KeyCode{SDLK_F13, 124},
    KeyCode{SDLK_F14, 125},
    KeyCode{SDLK_F15, 126},
    KeyCode{SDLK_F16, 127},
    KeyCode{SDLK_F17, 128},
    KeyCode{SDLK_F18, 129},
    KeyCode{SDLK_F19, 130},
    KeyCode{SDLK_F20, 131},
    KeyCode{SDLK_F21, 132},
    KeyCode{SDLK_F22, 133},
    KeyCode{SDLK_F23, 134},
    KeyCode{SDLK_F24, 135},
    KeyCode{SDLK_NUMLOCKCLEAR, 144},
    KeyCode{SDLK_SCROLLLOCK, 145},
    // Punctuation, by the keys of a US layout.
    KeyCode{SDLK_SEMICOLON, 186},
    KeyCode{SDLK_EQUALS, 187},
    KeyCode{SDLK_COMMA, 188},
    KeyCode{SDLK_MINUS, 189},
    KeyCode{SDLK_PERIOD, 190},
    KeyCode{SDLK_SLASH, 191},
    KeyCode{SDLK_BACKQUOTE, 192},
    KeyCode{SDLK_LEFTBRACKET, 219},
    KeyCode{SDLK_BACKSLASH, 220},
    KeyCode{SDLK_RIGHTBRACKET, 221},
    KeyCode{SDLK_QUOTE, 222},
    KeyCode{SDLK_LESS, 226},
};

}  // namespace

int virtualKeyCode(SDL_Keycode key) {
    for (const KeyCode& entry : kKeyCodes) {
        if (entry.key == key) return entry.code;
    }
    return -1;
}
