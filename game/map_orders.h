// Map orders: what a player's clicks on the star map ask of the game, one call
// each, made alike by the map interaction for a person at the mouse and by the
// computer for its seats, so that every rule and every availability applies to
// both. Each checks first and changes nothing when it does not apply.
#pragma once

struct Game;

// Selects a group of the current player's in a map phase. Returns whether it did.
bool selectGroup(Game& game, int groupId);
// Selects a planet of the current player's in the movement phase; sending out
// a new group is offered while the planet has ships. Returns whether it did.
bool selectPlanet(Game& game, int planetIndex);
// Gives the selected group a course to (x, y) in a map phase.
void giveDestination(Game& game, float x, float y);
// Places the split or the new group being placed at (x, y); the placement is
// over either way.
void placeGroup(Game& game, float x, float y);
// Ends a placement without placing anything.
void abandonPlacement(Game& game);
// Forgets the selected group and planet and closes any count selector or
// placement, in a map phase.
void cancelSelection(Game& game);
