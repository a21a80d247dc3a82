// Seats: who plays each player slot, a person at the mouse or the computer,
// and in a game over a network at which machine. Set on the Setup screen and
// kept for the whole run, never saved: a loaded game is played with the seats
// as Setup shows them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/galaxy.h"

struct Game;

// The computer's seats by level: Computer is the easy one. Open is a seat for
// a person at another machine, offered only by a host: "Remote" once someone
// has joined it.
enum class Seat : int32_t {
    Human = 0,
    Computer = 1,
    ComputerNormal = 2,
    ComputerHard = 3,
    Open = 4,
};
constexpr int kSeatKinds = 5;

using Seats = std::array<Seat, kMaxPlayers>;

// The machines of a game over a network: the host is machine 0, the machines
// that joined it 1, 2, ... On one machine every seat is played here.
struct Network {
    bool on = false;
    int32_t here = 0;  // the machine this program is
    std::array<int32_t, kMaxPlayers> seatMachine{};
    std::string joinCode;  // the host's, for the machines that join it
};

// The Setup click on a player's seat: the next kind, round to Human again;
// Open comes after the computer's levels only where `withOpen` (a host).
void cycleSeat(Seats& seats, int slot, bool withOpen = false);
bool isComputerSeat(const Game& game, int player);
// Whether this program hosts a game over a network.
bool isHosting(const Game& game);
// Whether this program joined another's game.
bool isJoiner(const Game& game);
// Whether the seat waits for a person at another machine to join it.
bool isOpenSeat(const Game& game, int player);
// Whether the computer plays the turn in progress: its turn screen, its map
// phases and its battles.
bool isComputerTurn(const Game& game);
// Whether this machine plays the seat: the one rule for which clicks act,
// which computer seats this machine's computer plays, and what is drawn.
bool isPlayedHere(const Game& game, int player);
// Whether the turn in progress belongs to someone other than a person at this
// machine: the computer's, or a person's at another machine. Then this
// machine's clicks reach only Quit.
bool isTurnOfOthers(const Game& game);
// Whether this machine's clicks reach only Quit: on the turns of others, and
// on a joiner's Setup and end screens, which are the host's.
bool mayOnlyQuit(const Game& game);
// Whether a battle's fighters include a seat played here: only then is the
// battle shown on this machine's screen.
bool isBattleShownHere(const Game& game);
