// What must hold of a game after every action a player can take, checked by
// the fuzz targets that load or play games. A broken rule aborts, so the
// fuzzer keeps the input that broke it.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/fuzz_failure.h"
#include "game/game.h"

[[noreturn]] inline void invariantBroken(const char* what, int value) {
    fuzzFailure(std::string("invariant broken: ") + what + " (" + std::to_string(value) + ")");
}

inline void checkInvariants(const Game& game) {
    const GameSession& session = game.session;
    const int players = session.playerCount;
    if (players < 2 || players > kMaxPlayers) invariantBroken("player count out of 2..8", players);
    if (session.currentPlayer < 0 || session.currentPlayer >= players)
        invariantBroken("current player beyond the player count", session.currentPlayer);

    std::vector<int> ids;
    for (const Group& group : game.registry.groups) {
        if (group.ships < 1) invariantBroken("group without ships", group.ships);
        if (group.owner < 0 || group.owner >= players)
            invariantBroken("group owner beyond the player count", group.owner);
        if (group.id < 0 || group.id >= game.registry.nextId)
            invariantBroken("group id not yet handed out", group.id);
        ids.push_back(group.id);
    }
    std::sort(ids.begin(), ids.end());
    const auto twice = std::adjacent_find(ids.begin(), ids.end());
    if (twice != ids.end()) invariantBroken("group id used twice", *twice);
    for (const Planet& planet : game.planets) {
        if (planet.ships < 0) invariantBroken("planet below 0 ships", planet.ships);
        if (planet.owner < -1 || planet.owner >= players)
            invariantBroken("planet owner beyond the player count", planet.owner);
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
        invariantBroken("attacker count differs from the attacking ships",
                        game.battle.attackerCount);
    if (defenders != game.battle.defenderCount)
        invariantBroken("defender count differs from the defending ships",
                        game.battle.defenderCount);
}
