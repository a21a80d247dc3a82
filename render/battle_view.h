// The battle on screen: both lines of ships, the shots in flight, the
// defending planet in a planet battle, and the ships left on each side.
#pragma once

struct Art;
struct Game;

// Drawn in map coordinates inside the frame; changes nothing.
void drawBattle(const Game& game, const Art& art);
