// Group cycling and command availability: the current player steps through
// their groups, and the panel offers only the group commands that make sense
// for the selected group right now.
#pragma once

struct Game;

void selectNextGroup(Game& game, int player);
void selectPreviousGroup(Game& game, int player);
void selectNextGroupInPosition(Game& game, int player);
void selectPreviousGroupInPosition(Game& game, int player);
// Recomputes the visibility of the eight group commands.
void refreshAvailability(Game& game, int player);
