// The Setup screen's table: a row per player with its colour bar, team number
// and seat (who plays it), and the pick passes that find the row whose team
// box or seat box is under the pointer (a click there moves that player to the
// next team, or to the next kind of seat).
#pragma once

#include "render/frame_input.h"

struct Art;
struct Game;
struct GameSession;
struct PickResults;

void drawSetupTable(const Art& art, const GameSession& session);
// Sets hoveredSetupRow to the player whose team box is under the pointer, or -1.
void pickSetupRow(const GameSession& session, PickResults& picks, const FrameInput& input);
// The third column: a header, and in each player's row the picture of who
// plays that seat; on a machine that joined, a frame around its own rows.
void drawSeatColumn(const Art& art, const Game& game);
// Sets hoveredSeatRow to the player whose seat box is under the pointer, or -1.
void pickSeatRow(const GameSession& session, PickResults& picks, const FrameInput& input);
