// STUB: replaced by the battle model.
#include "battle/battle.h"
#include "game/game.h"
void clearBattle(Battle& battle) { battle = Battle{}; }
void addShip(Battle&, Random&, BattleSide) {}
void removeShip(Battle&, int) {}
void addShot(Battle&, BattleSide, float) {}
void removeShot(Battle&, int) {}
void battleStep(Game&, uint32_t) {}
