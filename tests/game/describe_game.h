// Test support: the whole rules state as text.
#pragma once

#include <iomanip>
#include <sstream>
#include <string>

#include "game/game.h"

// The whole rules state as text, so that a test can show that an operation
// changed nothing (or exactly one thing) with a readable difference. Floats are
// written with every digit.
inline std::string describeGame(const Game& game) {
    std::ostringstream out;
    out << std::setprecision(9);
    const GameSession& s = game.session;
    out << "phase " << static_cast<int>(s.phase) << " players " << s.playerCount << " current "
        << s.currentPlayer << " selectedGroup " << s.selectedGroupId << " selectedPlanet "
        << s.selectedPlanet << "\nteams";
    for (int team : s.teams) out << ' ' << team;
    const Statistics& st = s.statistics;
    out << "\nstatistics " << st.myPlanets << ' ' << st.myProduction << ' ' << st.myShips << ' '
        << st.teamPlanets << ' ' << st.teamProduction << ' ' << st.teamShips << '\n';
    for (const Group& g : game.registry.groups) {
        out << "group " << g.id << " at " << g.x << ',' << g.y << " to " << g.destinationX << ','
            << g.destinationY << " step " << g.stepX << ',' << g.stepY << " left " << g.stepsLeft
            << " owner " << g.owner << " ships " << g.ships << '\n';
    }
    out << "nextId " << game.registry.nextId << '\n';
    for (int i = 0; i < kPlanetCount; ++i) {
        const Planet& p = game.planets[i];
        out << "planet " << i << " at " << p.x << ',' << p.y << " production " << p.production
            << " ships " << p.ships << " owner " << p.owner << " angles " << p.tilt << ',' << p.spin
            << ',' << p.markerAngle << " model " << p.model << '\n';
    }
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        out << "intel " << slot << ':';
        for (int i = 0; i < kPlanetCount; ++i)
            out << ' ' << game.intel[slot].knownOwner[i] << '/' << game.intel[slot].knownShips[i];
        out << '\n';
    }
    out << "visible ";
    for (const Button& b : game.buttons.buttons) out << (b.visible ? '1' : '0');
    const Button& planetButton = game.buttons.buttons[3];
    out << " planet button " << planetButton.tTop << ',' << planetButton.tBottom << ' '
        << planetButton.tooltip << " hovered " << game.picks.hoveredButton << '\n';
    const InteractionState& in = game.interaction;
    const PickResults& picks = game.picks;
    out << "mode " << static_cast<int>(in.mode) << " count " << in.count << " hoveredGroup "
        << picks.hoveredGroup << " hoveredPlanet " << picks.hoveredPlanet << " hoveredSetupRow "
        << picks.hoveredSetupRow << " hoveredControl " << picks.hoveredSelectorControl << '\n';
    const Battle& battle = game.battle;
    out << "battle " << battle.attackerCount << " vs " << battle.defenderCount << " colours "
        << battle.attackerColour << ',' << battle.defenderColour << " sources "
        << game.battleSources.attackerSource << ',' << game.battleSources.defenderSource
        << " nextShip " << battle.nextShipId << '\n';
    out << "random " << game.random.state << '\n';
    return out.str();
}
