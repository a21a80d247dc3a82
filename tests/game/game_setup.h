// Test support: games arranged by hand (planets put where a test needs them)
// and the buttons they offer.
#pragma once

#include "game/commands.h"
#include "game/game.h"

// Planet `index` at (x, y) with its owner and ships; the rest as it was.
inline Planet& placePlanet(Game& game, int index, float x, float y, int owner, int ships) {
    Planet& planet = game.planets[index];
    planet.x = x;
    planet.y = y;
    planet.owner = owner;
    planet.ships = ships;
    return planet;
}

inline bool visible(const Game& game, int button) { return game.buttons.buttons[button].visible; }
inline bool visible(const Game& game, CommandId id) { return visible(game, static_cast<int>(id)); }
