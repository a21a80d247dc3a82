// Test support: what must hold of a game after anything a player can do,
// checked by the games played at random through the rules and the window.
#pragma once

#include <set>
#include <string>

#include "game/game.h"

// The first rule the game breaks, or empty when it holds them all.
inline std::string brokenInvariant(const Game& game) {
    const GameSession& session = game.session;
    const int phase = static_cast<int>(session.phase);
    if (phase < 0 || phase > static_cast<int>(GamePhase::PlanetBattle)) return "illegal phase";
    if (session.playerCount < 2 || session.playerCount > kMaxPlayers) return "player count";
    if (session.currentPlayer < 0 || session.currentPlayer >= session.playerCount)
        return "current player " + std::to_string(session.currentPlayer);
    std::set<int> ids;
    for (const Group& group : game.registry.groups) {
        const std::string name = "group " + std::to_string(group.id);
        if (group.ships < 1) return name + " without ships";
        if (!ids.insert(group.id).second) return name + " twice";
        if (group.id >= game.registry.nextId) return name + " not yet handed out";
        if (group.owner < 0 || group.owner >= session.playerCount) return name + "'s owner";
    }
    for (int i = 0; i < kPlanetCount; ++i) {
        const Planet& planet = game.planets[i];
        if (planet.ships < 0) return "planet " + std::to_string(i) + " with negative ships";
        if (planet.owner < -1 || planet.owner >= session.playerCount)
            return "planet " + std::to_string(i) + "'s owner";
    }
    int attackers = 0;
    for (const BattleShip& ship : game.battle.ships) attackers += ship.side == BattleSide::Attacker;
    if (attackers != game.battle.attackerCount ||
        static_cast<int>(game.battle.ships.size()) - attackers != game.battle.defenderCount)
        return "battle counts";
    return {};
}
