// The end screen's words: which team has won, with the numbers of its players
// in their colours, or that nobody has.
#pragma once

struct Art;
struct Game;

void drawEndScreenText(const Art& art, const Game& game);
