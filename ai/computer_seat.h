// The computer at its seats: one call per tick plays the current player's turn
// when the computer sits there, at most one action a tick, through the same
// commands a player's clicks give. Its turn screen shows half a second before it
// begins; battles run under the tick as every battle does.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ai/levels.h"
#include "ai/orders.h"
#include "game/galaxy.h"
#include "game/player_command.h"
#include "random/random.h"

struct Game;

// How long the players see whose turn it is before the computer begins it.
constexpr uint32_t kComputerTurnPauseMs = 500;

struct ComputerSeats {
    // Each seat's own random source; the game's decides battles and is never drawn on here.
    std::array<Random, kMaxPlayers> random;
    // The level each seat plays at when it is not the one Setup gives it: the
    // arena's baselines, which no Setup seat offers.
    std::array<std::optional<Level>, kMaxPlayers> levels{};
    uint32_t seededForGame = 0;  // the game (Game::gamesBegun) they were seeded for
    // The turn in progress.
    bool turnScreenSeen = false;
    uint32_t turnScreenSince = 0;               // clock when its turn screen first showed
    GamePhase plannedPhase = GamePhase::Setup;  // the phase the orders are for; Setup: none yet
    bool battleSincePlan = false;
    std::vector<Order> orders;
    std::size_t nextOrder = 0;
    int step = 0;  // how far the next order has come
};

// One tick of the computer: nothing unless it is a computer's turn; else the
// next thing it does, handed to the sink as the current player's command.
// Called after the clicks and before the frame.
void stepComputerSeat(ComputerSeats& seats, const Game& game, uint32_t clock,
                      const CommandSink& sink);
