// Seats: the Setup click that cycles a slot's seat, and whose turn the
// computer plays.
#include "game/seats.h"

#include "game/game.h"

void cycleSeat(Seats& seats, int slot, bool withOpen) {
    if (slot < 0 || slot >= kMaxPlayers) return;
    const int kinds = withOpen ? kSeatKinds : static_cast<int>(Seat::Open);
    seats[slot] = static_cast<Seat>((static_cast<int>(seats[slot]) + 1) % kinds);
}

bool isComputerSeat(const Game& game, int player) {
    if (player < 0 || player >= kMaxPlayers) return false;
    const Seat seat = game.seats[player];
    return seat == Seat::Computer || seat == Seat::ComputerNormal || seat == Seat::ComputerHard;
}

bool isHosting(const Game& game) { return game.network.on && game.network.here == 0; }

bool isJoiner(const Game& game) { return game.network.on && game.network.here != 0; }

bool isOpenSeat(const Game& game, int player) {
    return player >= 0 && player < kMaxPlayers && game.seats[player] == Seat::Open &&
           game.network.seatMachine[player] == 0;
}

namespace {

// A player's turn is on from its turn screen to its end, battles included.
bool isTurnOn(GamePhase phase) {
    return phase == GamePhase::TurnStart || phase == GamePhase::Movement ||
           phase == GamePhase::BattlePhase || isBattlePhase(phase);
}

}  // namespace

bool isComputerTurn(const Game& game) {
    return isTurnOn(game.session.phase) && isComputerSeat(game, game.session.currentPlayer);
}

bool isPlayedHere(const Game& game, int player) {
    if (player < 0 || player >= kMaxPlayers) return false;
    return game.network.seatMachine[player] == game.network.here;
}

bool isTurnOfOthers(const Game& game) {
    const int player = game.session.currentPlayer;
    return isTurnOn(game.session.phase) &&
           (isComputerSeat(game, player) || !isPlayedHere(game, player));
}

bool mayOnlyQuit(const Game& game) {
    const GamePhase phase = game.session.phase;
    return isTurnOfOthers(game) ||
           (isJoiner(game) && (phase == GamePhase::Setup || phase == GamePhase::GameOver));
}

bool isBattleShownHere(const Game& game) {
    const BattleSources& sources = game.battleSources;
    const Group* attacker = findGroup(game.registry, sources.attackerSource);
    int defender = -1;
    if (game.session.phase == GamePhase::PlanetBattle) {
        const int planet = sources.defenderSource;
        if (planet >= 0 && planet < kPlanetCount) defender = game.planets[planet].owner;
    } else if (const Group* group = findGroup(game.registry, sources.defenderSource)) {
        defender = group->owner;
    }
    // The test mode's battles have no sides of a player: this machine's own.
    if (!attacker && defender == -1) return true;
    return (attacker && isPlayedHere(game, attacker->owner)) || isPlayedHere(game, defender);
}
