// The end of a game: a team has won once no player outside it owns a planet
// or a group, and nobody has once no player owns anything. A player who owns
// nothing can never act again, so their turns are passed over.
#pragma once

struct Game;

// Whether the player owns a planet or a group.
bool ownsAnything(const Game& game, int player);

// The player whose turn follows `player`'s: the next one round the table who
// owns something, or simply the next one when nobody does.
int nextPlayerToMove(const Game& game, int player);

// Ends the game on the end screen when it is decided: a game of more than one
// team when all that own anything are allies, any game when nobody owns
// anything. Returns whether it ended.
bool checkGameEnd(Game& game);
