// Group cycling and command availability: the current player steps through
// their groups, and the panel offers only the group commands that make sense
// for the selected group right now.
#pragma once

#include <cstdint>

struct ButtonPanel;
struct Game;
enum class CommandId : int32_t;

// The one way a command is offered or withdrawn: its button shown or hidden.
void setCommandAvailable(ButtonPanel& panel, CommandId id, bool available);
// Withdraws the eight group commands, SplitGroup to PreviousCombatGroup.
void withdrawGroupCommands(ButtonPanel& panel);

void selectNextGroup(Game& game, int player);
void selectPreviousGroup(Game& game, int player);
void selectNextGroupInPosition(Game& game, int player);
void selectPreviousGroupInPosition(Game& game, int player);
// Whether the planet belongs to a player of the given player's team: a group
// of theirs over it donates its ships rather than fighting. False for no planet.
bool isTeamPlanet(const Game& game, int planetIndex, int player);
// Recomputes the visibility of the eight group commands.
void refreshAvailability(Game& game, int player);
