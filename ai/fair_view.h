// The fair view: the game as a person of the current player's team sees it on
// the screen and in the panels, and nothing more. The computer decides from
// this alone, so it cannot know what its team has not seen.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/galaxy.h"

struct Game;

struct SeenPlanet {
    float x = 0.0f;
    float y = 0.0f;
    // As the owner marker shows it: the owner when of the viewer's team, else
    // the owner the team last saw there; -1 for none known.
    int32_t owner = -1;
    // As the panels show them, -1 for "??": production and ships of a planet
    // whose owner the team has seen (for a foreign one the ships then seen),
    // and always of the viewer's own planets, whose ships the count selector shows.
    int32_t production = -1;
    int32_t ships = -1;
    bool operator==(const SeenPlanet&) const = default;
};

struct SeenGroup {
    int32_t id = -1;
    int32_t owner = -1;
    float x = 0.0f;
    float y = 0.0f;
    float destinationX = 0.0f;  // a drawn course, and the whole course when hovered
    float destinationY = 0.0f;
    int32_t stepsLeft = 0;
    int32_t ships = -1;  // -1 for a foreign group: its panel says "??"
    bool operator==(const SeenGroup&) const = default;
};

struct FairView {
    int32_t player = 0;
    int32_t playerCount = 0;
    Teams teams{};
    GamePhase phase = GamePhase::Setup;
    std::array<SeenPlanet, kPlanetCount> planets;
    // In the registry's order: the team's own groups, and foreign ones within
    // the team's sight.
    std::vector<SeenGroup> groups;
    bool operator==(const FairView&) const = default;
};

// What the current player may see of the game.
FairView buildFairView(const Game& game);
