// Combat: starting a battle from the groups and planets, stepping it by the
// frame's time, and writing its outcome back once a side is gone and the sky
// is clear: the groups, the planet and what the teams know.
#include <algorithm>
#include <cstdio>

#include "game/availability.h"
#include "game/game.h"

namespace {

constexpr float kMsPerSecond = 1000.0f;

bool isPlanetIndex(int index) { return index >= 0 && index < kPlanetCount; }

// Fills the battle and enters `phase`, or reports a battle too large to fight.
bool startBattle(Game& game, GamePhase phase, int64_t attackers, int64_t defenders) {
    if (!fillBattle(game.battle, game.random, attackers, defenders)) {
        std::fprintf(stderr,
                     "Brennolt: a battle of %lld against %lld ships is more than the %lld ships a "
                     "battle can hold; it was not started\n",
                     static_cast<long long>(attackers), static_cast<long long>(defenders),
                     static_cast<long long>(game.battle.shipLimit));
        return false;
    }
    enterPhase(game, phase);
    return true;
}

// Tells every player of `team` that `planet` belongs to owner with ships.
void tellTeam(Game& game, int team, int planet, int32_t owner, int32_t ships) {
    const GameSession& session = game.session;
    for (int player = 0; player < session.playerCount && player < kMaxPlayers; ++player) {
        if (session.teams[player] != team) continue;
        game.intel[player].knownOwner[planet] = owner;
        game.intel[player].knownShips[planet] = ships;
    }
}

void writeBackGroupBattle(Game& game) {
    const Battle& battle = game.battle;
    const BattleSources& sources = game.battleSources;
    GameSession& session = game.session;
    enterPhase(game, GamePhase::BattlePhase);
    if (battle.attackerCount == 0) {
        removeGroup(game.registry, sources.attackerSource);
        session.selectedGroupId = -1;
    } else {
        setShips(game.registry, sources.attackerSource, battle.attackerCount);
    }
    if (battle.defenderCount == 0)
        removeGroup(game.registry, sources.defenderSource);
    else
        setShips(game.registry, sources.defenderSource, battle.defenderCount);
    refreshAvailability(game, session.currentPlayer);
}

void writeBackPlanetBattle(Game& game) {
    const Battle& battle = game.battle;
    GameSession& session = game.session;
    const int player = session.currentPlayer;
    const int index = game.battleSources.defenderSource;
    enterPhase(game, GamePhase::BattlePhase);
    if (isPlanetIndex(index)) {
        Planet& planet = game.planets[index];
        if (battle.defenderCount == 0 && battle.attackerCount > 0) {
            // The planet falls: its owner's team learns who took it, and with what.
            if (planet.owner >= 0 && planet.owner < kMaxPlayers)
                tellTeam(game, session.teams[planet.owner], index, player, battle.attackerCount);
        } else {
            planet.ships = battle.defenderCount;
        }
        if (battle.attackerCount > 0) {
            planet.ships = battle.attackerCount;
            planet.owner = player;
        }
    }
    // The survivors now stand on the planet, or the group was destroyed.
    removeGroup(game.registry, game.battleSources.attackerSource);
    if (isPlanetIndex(index)) {
        const Planet& planet = game.planets[index];
        tellTeam(game, session.teams[player], index, planet.owner, planet.ships);
    }
    session.selectedGroupId = -1;
    refreshAvailability(game, player);
}

}  // namespace

bool startGroupBattle(Game& game, int attackerId, int defenderId) {
    const Group* attacker = findGroup(game.registry, attackerId);
    const Group* defender = findGroup(game.registry, defenderId);
    if (attacker == nullptr || defender == nullptr) return false;
    if (!startBattle(game, GamePhase::GroupBattle, attacker->ships, defender->ships)) return false;
    game.battle.attackerColour = attacker->owner + 1;
    game.battle.defenderColour = defender->owner + 1;
    game.battleSources = {attackerId, defenderId};
    return true;
}

bool startPlanetBattle(Game& game, int attackerId, int planetIndex) {
    const Group* attacker = findGroup(game.registry, attackerId);
    if (attacker == nullptr || !isPlanetIndex(planetIndex)) return false;
    const Planet& planet = game.planets[planetIndex];
    if (!startBattle(game, GamePhase::PlanetBattle, attacker->ships, planet.ships)) return false;
    game.battle.attackerColour = attacker->owner + 1;
    game.battle.defenderColour = planet.owner == -1 ? kNeutralColour : planet.owner + 1;
    game.battleSources = {attackerId, planetIndex};
    return true;
}

void battleStep(Game& game, uint32_t frameDeltaMs) {
    const GamePhase phase = game.session.phase;
    if (!isBattlePhase(phase)) return;
    const uint32_t stepMs = std::min(frameDeltaMs, kLongestBattleStepMs);
    const float dt = static_cast<float>(stepMs) / kMsPerSecond;
    if (!advanceBattle(game.battle, game.random, dt)) return;

    if (phase == GamePhase::GroupBattle)
        writeBackGroupBattle(game);
    else
        writeBackPlanetBattle(game);
    game.lastOutcome = {game.battle.attackerCount, game.battle.defenderCount};
    emptyBattle(game);
    recomputeStatistics(game);
}

void emptyBattle(Game& game) {
    clearBattle(game.battle);
    game.battleSources = BattleSources{};
}
