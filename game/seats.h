// Seats: who plays each player slot, a person at the mouse or the computer.
// Set on the Setup screen and kept for the whole run, never saved: a loaded
// game is played with the seats as Setup shows them.
#pragma once

#include <array>
#include <cstdint>

#include "game/galaxy.h"

struct Game;

// The computer's seats by level: Computer is the easy one.
enum class Seat : int32_t {
    Human = 0,
    Computer = 1,
    ComputerNormal = 2,
    ComputerHard = 3,
};
constexpr int kSeatKinds = 4;

using Seats = std::array<Seat, kMaxPlayers>;

// The Setup click on a player's seat: the next kind, round to Human again.
void cycleSeat(Seats& seats, int slot);
bool isComputerSeat(const Game& game, int player);
// Whether the computer plays the turn in progress: its turn screen, its map
// phases and its battles. On its turn the players' clicks reach only Quit.
bool isComputerTurn(const Game& game);
