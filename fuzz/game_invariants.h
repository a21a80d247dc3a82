// What must hold of a game after every action a player can take, checked by
// the fuzz targets that load or play games, the monkey and the computer's
// games. In a fuzz target a broken rule aborts, so the fuzzer keeps the input
// that broke it.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/fuzz_failure.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/game_end.h"

inline std::string brokenRule(const char* what, int value) {
    return std::string("invariant broken: ") + what + " (" + std::to_string(value) + ")";
}

// Whether a game in play would already be over by the rules of its end.
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

// The first rule the game breaks, or nothing.
inline std::string firstBrokenInvariant(const Game& game) {
    const GameSession& session = game.session;
    const int players = session.playerCount;
    if (players < 2 || players > kMaxPlayers)
        return brokenRule("player count out of 2..8", players);
    if (session.currentPlayer < 0 || session.currentPlayer >= players)
        return brokenRule("current player beyond the player count", session.currentPlayer);

    std::vector<int> ids;
    for (const Group& group : game.registry.groups) {
        if (group.ships < 1) return brokenRule("group without ships", group.ships);
        if (group.owner < 0 || group.owner >= players)
            return brokenRule("group owner beyond the player count", group.owner);
        if (group.id < 0 || group.id >= game.registry.nextId)
            return brokenRule("group id not yet handed out", group.id);
        ids.push_back(group.id);
    }
    std::sort(ids.begin(), ids.end());
    const auto twice = std::adjacent_find(ids.begin(), ids.end());
    if (twice != ids.end()) return brokenRule("group id used twice", *twice);
    for (const Planet& planet : game.planets) {
        if (planet.ships < 0) return brokenRule("planet below 0 ships", planet.ships);
        if (planet.owner < -1 || planet.owner >= players)
            return brokenRule("planet owner beyond the player count", planet.owner);
    }

    int attackers = 0;
    int defenders = 0;
    for (const BattleShip& ship : game.battle.ships) {
        if (ship.side == BattleSide::Attacker)
            ++attackers;
        else
            ++defenders;
    }
    if (attackers != game.battle.attackerCount)
        return brokenRule("attacker count differs from the attacking ships",
                          game.battle.attackerCount);
    if (defenders != game.battle.defenderCount)
        return brokenRule("defender count differs from the defending ships",
                          game.battle.defenderCount);

    // The end of the game: decided games are over, and a turn is always of a
    // player who can act.
    const GamePhase phase = session.phase;
    if (phase == GamePhase::GameOver) {
        if (game.winningTeam < -1 || game.winningTeam >= kMaxPlayers)
            return brokenRule("winning team out of range", game.winningTeam);
        for (int id = 0; id < kButtonCount; ++id) {
            const bool offered = id == static_cast<int>(CommandId::QuitGame) ||
                                 id == static_cast<int>(CommandId::NewGame);
            if (game.buttons.buttons[id].visible != offered)
                return brokenRule("end screen button", id);
        }
    }
    const bool inPlay = phase == GamePhase::TurnStart || phase == GamePhase::Movement ||
                        phase == GamePhase::BattlePhase;
    if (inPlay && isDecided(game))
        return brokenRule("a decided game still in play in phase", static_cast<int>(phase));
    if (phase == GamePhase::TurnStart && !ownsAnything(game, session.currentPlayer))
        return brokenRule("the turn of a player who owns nothing", session.currentPlayer);
    return {};
}

inline void checkInvariants(const Game& game) {
    const std::string broken = firstBrokenInvariant(game);
    if (!broken.empty()) fuzzFailure(broken);
}
