// STUB: replaced by the group commands.
#include "game/game.h"
void runGroupCommand(Game&, CommandId) {}
void pressSelectorControl(Game&, SelectorControl) {}
void placeTarget(Game&, float, float) {}
