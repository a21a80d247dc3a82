// Test support: what must hold of a game after anything a player can do,
// checked by the games played at random through the rules and the window.
#pragma once

#include <set>
#include <string>

#include "game/commands.h"
#include "game/game.h"
#include "game/game_end.h"

// Whether a game in play would already be over by the rules of its end: no
// player owns anything, or in a game of more than one team only allies do.
inline bool isDecided(const Game& game) {
    const GameSession& session = game.session;
    int firstTeam = -1;  // of the players who own something
    bool severalTeams = false;
    bool oneTeamFromTheStart = true;
    for (int player = 0; player < session.playerCount; ++player) {
        const int team = session.teams[player];
        if (team != session.teams[0]) oneTeamFromTheStart = false;
        if (!ownsAnything(game, player)) continue;
        if (firstTeam == -1)
            firstTeam = team;
        else if (team != firstTeam)
            severalTeams = true;
    }
    if (firstTeam == -1) return true;
    return !severalTeams && !oneTeamFromTheStart;
}

// The first rule of the game's records that the game breaks (phase, players,
// groups, planets, battle), or empty when it holds them all.
inline std::string brokenRecordInvariant(const Game& game) {
    const GameSession& session = game.session;
    const int phase = static_cast<int>(session.phase);
    if (phase < 0 || phase > static_cast<int>(GamePhase::GameOver)) return "illegal phase";
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

// The first rule of the game's end that the game breaks: a decided game is
// over, the end screen offers only its two buttons, and every turn is of a
// player who can act. The test mode's battles are no game and keep none of it.
inline std::string brokenEndRule(const Game& game) {
    const GameSession& session = game.session;
    const GamePhase current = session.phase;
    if (current == GamePhase::GameOver) {
        if (game.winningTeam < -1 || game.winningTeam >= kMaxPlayers) return "winning team";
        for (int id = 0; id < kButtonCount; ++id) {
            const bool offered = id == static_cast<int>(CommandId::QuitGame) ||
                                 id == static_cast<int>(CommandId::NewGame);
            if (game.buttons.buttons[id].visible != offered)
                return "button " + std::to_string(id) + " on the end screen";
        }
    }
    const bool inPlay = current == GamePhase::TurnStart || current == GamePhase::Movement ||
                        current == GamePhase::BattlePhase;
    if (inPlay && isDecided(game)) return "a decided game still in play";
    if (current == GamePhase::TurnStart && !ownsAnything(game, session.currentPlayer))
        return "the turn of player " + std::to_string(session.currentPlayer) + ", who owns nothing";
    return {};
}

// The first rule the game breaks, or empty when it holds them all.
inline std::string brokenInvariant(const Game& game) {
    const std::string broken = brokenRecordInvariant(game);
    return broken.empty() ? brokenEndRule(game) : broken;
}
