// Seats: the Setup click that cycles a slot's seat, and whose turn the
// computer plays.
#include "game/seats.h"

#include "game/game.h"

void cycleSeat(Seats& seats, int slot) {
    if (slot < 0 || slot >= kMaxPlayers) return;
    seats[slot] = static_cast<Seat>((static_cast<int>(seats[slot]) + 1) % kSeatKinds);
}

bool isComputerSeat(const Game& game, int player) {
    return player >= 0 && player < kMaxPlayers && game.seats[player] != Seat::Human;
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
