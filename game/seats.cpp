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

bool isComputerTurn(const Game& game) {
    const GamePhase phase = game.session.phase;
    const bool turnOn = phase == GamePhase::TurnStart || phase == GamePhase::Movement ||
                        phase == GamePhase::BattlePhase || isBattlePhase(phase);
    return turnOn && isComputerSeat(game, game.session.currentPlayer);
}
