// The Setup screen's table: a row per player with its colour bar, team number
// and seat (who plays it), and the pick passes that find the row whose team
// box or seat box is under the pointer (a click there moves that player to the
// next team, or to the next kind of seat).
#pragma once

#include "game/seats.h"
#include "render/frame_input.h"

struct Art;
struct GameSession;
struct InteractionState;

void drawSetupTable(const Art& art, const GameSession& session);
// Sets hoveredSetupRow to the player whose team box is under the pointer, or -1.
void pickSetupRow(InteractionState& interaction, const GameSession& session,
                  const FrameInput& input);

// The third column: a header, and in each player's row the picture of who
// plays that seat.
void drawSeatColumn(const Art& art, const GameSession& session, const Seats& seats);
// The player whose seat box is under the pointer, or -1.
int pickSeatRow(const GameSession& session, const FrameInput& input);
