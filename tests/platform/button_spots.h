// Test support: where the game's buttons sit in its 800 x 600 picture, from
// the panel's layout, and a click through the X server for tests that press them.
#pragma once

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>

#include "game/commands.h"
#include "game/game.h"

// The picture's pixels for a point of the map plane.
struct Pixel {
    int x, y;
};
inline Pixel pixelOf(float mapX, float mapY) {
    return {static_cast<int>(std::lround(400.0f + mapX)),
            static_cast<int>(std::lround(300.0f - mapY))};
}

// Where a visible button sits, by the panel's layout: columns that close up
// over hidden buttons, and fixed spots for the rest.
inline Pixel buttonCentre(const Game& game, CommandId id) {
    const int index = static_cast<int>(id);
    const Button& button = game.buttons.buttons[index];
    float x = 0.0f;
    float y = 0.0f;
    if (index <= 10) {
        const int first = index <= 7 ? 0 : 8;
        x = index <= 7 ? -399.0f : -364.0f;
        y = -190.0f;
        for (int other = first; other < index; ++other)
            if (game.buttons.buttons[other].visible) y += 35.0f;
    } else {
        static const float spots[][2] = {{-232, -190}, {-232, -190}, {-399, -264}, {-399, -264},
                                         {-232, -155}, {367, -299},  {-30, 0},     {30, 0},
                                         {50, 170},    {50, 159},    {367, -299}};
        x = spots[index - 11][0];
        y = spots[index - 11][1];
        const GamePhase phase = game.session.phase;
        if (id == CommandId::QuitGame &&
            (phase == GamePhase::Setup || phase == GamePhase::TurnStart ||
             phase == GamePhase::GameOver)) {
            x = -399.0f;
            y = -299.0f;
        }
    }
    return pixelOf(x + static_cast<float>(button.width) / 2.0f,
                   y + static_cast<float>(button.height) / 2.0f);
}

// The turn screen's buttons sit at fixed spots.
inline Pixel turnScreenButton(CommandId id) {
    Game turnScreen;
    turnScreen.session.phase = GamePhase::TurnStart;
    return buttonCentre(turnScreen, id);
}

// The left button pressed and released at a point of the display's screen,
// with time between for the game's pick passes to see the pointer there.
inline bool clickAtScreenPoint(const std::string& display, int x, int y) {
    const std::string command = "DISPLAY=" + display + " xdotool mousemove " + std::to_string(x) +
                                " " + std::to_string(y) +
                                " sleep 0.3 mousedown 1 sleep 0.08 mouseup 1 sleep 0.3";
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}
