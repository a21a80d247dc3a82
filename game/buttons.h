// Button panel: the 21 image buttons of the HUD atlas; a button's index is its
// command id, and a command is available exactly while its button is visible.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int kButtonCount = 21;

struct Button {
    float sLeft = 0.0f;
    float sRight = 0.0f;
    float tTop = 0.0f;
    float tBottom = 0.0f;
    bool visible = false;
    int32_t width = 0;
    int32_t height = 0;
    std::string tooltip;
};

struct ButtonPanel {
    std::array<Button, kButtonCount> buttons;
};

void initButton(Button& button, float sLeft, float sRight, float tTop, float tBottom, int width,
                int height, const char* tooltip);
ButtonPanel constructButtonPanel();
// Switches button 3 between its combat face and its donation face.
void setPlanetButtonDonation(ButtonPanel& panel, bool donation);
