// Commands: what a click on a button asks of the game (its index is its
// command id), the group commands behind ids 0..10, the count selector and
// the placement of a split or a new group.
#pragma once

#include <cstdint>

#include "game/interaction_state.h"

struct Game;
struct GameSession;

enum class CommandId : int32_t {
    SplitGroup = 0,
    CombineGroups = 1,
    AttackGroup = 2,
    AttackOrDonatePlanet = 3,
    NextGroup = 4,
    PreviousGroup = 5,
    NextCombatGroup = 6,
    PreviousCombatGroup = 7,
    CreateGroup = 8,
    NextPlanet = 9,
    PreviousPlanet = 10,
    EndMovement = 11,
    EndBattle = 12,
    SaveGame = 13,
    LoadGame = 14,
    QuitGame = 15,
    BeginTurn = 16,
    Yes = 17,
    No = 18,
    IncreasePlayers = 19,
    DecreasePlayers = 20,
    NewGame = 21,  // from the end screen back to Setup
};

// Acts only on a command whose button is visible at this moment, so the state
// a command relies on is the one in which its button is offered, and never
// while a battle runs.
void dispatchCommand(Game& game, int commandId);
inline void dispatchCommand(Game& game, CommandId id) {
    dispatchCommand(game, static_cast<int>(id));
}
void cycleTeam(GameSession& session, int slot);
// On the Setup screen a game can begin (or a saved one load) only once no
// seat waits for a person at another machine.
void refreshSetupStart(Game& game);
void requestQuit(Game& game, int exitCode);

// Group commands (ids 0..10) and the count selector.
void runGroupCommand(Game& game, CommandId id);
void pressSelectorControl(Game& game, SelectorControl control);
// A target that is not a finite point, or too far to count its steps, is
// ignored: no group is made and no ship taken.
void placeTarget(Game& game, float x, float y);
