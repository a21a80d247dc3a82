// The Setup screen's table: a row per player with its colour bar and team
// number, and the pick pass that finds the row whose team box is under the
// pointer (a click there moves that player to the next team).
#pragma once

#include "render/frame_input.h"

struct Art;
struct GameSession;
struct PickResults;

void drawSetupTable(const Art& art, const GameSession& session);
// Sets hoveredSetupRow to the player whose team box is under the pointer, or -1.
void pickSetupRow(const GameSession& session, PickResults& picks, const FrameInput& input);
