// Turn flow: the command dispatcher, the turn and setup commands, and the
// phase changes with the buttons each phase offers on the way in.
#include <initializer_list>

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/game_end.h"
#include "game/save_file.h"

namespace {

void setAvailable(Game& game, std::initializer_list<CommandId> ids, bool available) {
    for (CommandId id : ids) setCommandAvailable(game.buttons, id, available);
}

// What the end of a phase of the map (or a return to Setup) forgets: the
// selections and everything hovered.
void clearSelectionAndHover(Game& game) {
    game.session.selectedGroupId = -1;
    game.picks.hoveredGroup = -1;
    game.picks.hoveredButton = -1;
    game.picks.hoveredSelectorControl = -1;
    game.picks.hoveredPlanet = -1;
    game.session.selectedPlanet = -1;
}

// The Setup screen as the program starts: nothing chosen, nothing under the
// pointer, nothing half done, and only the start-up buttons.
void enterSetup(Game& game) {
    clearSelectionAndHover(game);
    game.picks.hoveredSetupRow = -1;
    game.picks.hoveredSeatRow = -1;
    game.winningTeam = -1;
    game.interaction.mode = InteractionMode::Idle;
    setAvailable(game,
                 {CommandId::LoadGame, CommandId::QuitGame, CommandId::BeginTurn,
                  CommandId::IncreasePlayers, CommandId::DecreasePlayers},
                 true);
}

// After a battle phase the turn screen hands over to the next player, and
// nothing of this player's selections or selector may reach that turn. From
// anywhere else a game begins, new or loaded: saving replaces the Setup
// screen's controls.
void enterTurnStart(Game& game, GamePhase from) {
    if (from == GamePhase::BattlePhase) {
        clearSelectionAndHover(game);
        game.interaction.mode = InteractionMode::Idle;
        withdrawGroupCommands(game.buttons);
        setAvailable(game, {CommandId::EndBattle}, false);
        setAvailable(game, {CommandId::SaveGame, CommandId::BeginTurn}, true);
        return;
    }
    setAvailable(game, {CommandId::SaveGame, CommandId::QuitGame, CommandId::BeginTurn}, true);
    setAvailable(
        game, {CommandId::LoadGame, CommandId::IncreasePlayers, CommandId::DecreasePlayers}, false);
}

void enterMovement(Game& game) {
    setAvailable(game, {CommandId::EndMovement}, true);
    setAvailable(game, {CommandId::SaveGame, CommandId::BeginTurn}, false);
}

// Coming back from a battle changes nothing here: the battle's write-back
// knows what it changed.
void enterBattlePhase(Game& game, GamePhase from) {
    if (from != GamePhase::Movement) return;
    clearSelectionAndHover(game);
    // A new group can only be sent out in the movement phase, and its planet
    // selection is gone now; a split selector carries over on purpose.
    InteractionMode& mode = game.interaction.mode;
    if (mode == InteractionMode::CountForNewGroup || mode == InteractionMode::PlaceNewGroup)
        mode = InteractionMode::Idle;
    setAvailable(game,
                 {CommandId::CreateGroup, CommandId::NextPlanet, CommandId::PreviousPlanet,
                  CommandId::EndMovement},
                 false);
    setAvailable(game, {CommandId::EndBattle}, true);
}

// The end screen: the game is decided (the winner is set by whoever decided
// it), and only Quit and the way back to Setup are offered.
void enterGameOver(Game& game) {
    clearSelectionAndHover(game);
    game.interaction.mode = InteractionMode::Idle;
    for (int id = 0; id < kButtonCount; ++id)
        setCommandAvailable(game.buttons, static_cast<CommandId>(id), false);
    setAvailable(game, {CommandId::QuitGame, CommandId::NewGame}, true);
}

void beginTurn(Game& game) {
    GameSession& session = game.session;
    if (session.phase == GamePhase::Setup) {
        generateGalaxy(game);
        game.gamesBegun += 1;
        game.gameLoaded = false;
        session.currentPlayer = 0;
        enterPhase(game, GamePhase::TurnStart);
    } else if (session.phase == GamePhase::TurnStart) {
        enterPhase(game, GamePhase::Movement);
        recomputeStatistics(game);
        if (session.statistics.myPlanets > 0)
            setAvailable(game, {CommandId::NextPlanet, CommandId::PreviousPlanet}, true);
        refreshAvailability(game, session.currentPlayer);
    }
}

void endMovement(Game& game) {
    GameSession& session = game.session;
    const int player = session.currentPlayer;
    enterPhase(game, GamePhase::BattlePhase);
    advanceGroups(game.registry, player);
    // Also offers the combat cycling when a group stands in position.
    refreshAvailability(game, player);
    applyProduction(game.planets, player);
    revealPlanetsUnderGroups(game.registry, game.planets, session, game.intel, player);
    recomputeStatistics(game);
}

void endBattle(Game& game) {
    GameSession& session = game.session;
    enterPhase(game, GamePhase::TurnStart);
    session.currentPlayer = nextPlayerToMove(game, session.currentPlayer);
    checkGameEnd(game);
}

// A slot that leaves the game forgets its team and its seat.
void resetSlot(Game& game, int slot) {
    game.session.teams[slot] = 0;
    game.seats[slot] = Seat::Human;
}

void increasePlayers(Game& game) {
    GameSession& session = game.session;
    session.playerCount += 1;
    if (session.playerCount > kMaxPlayers) {
        session.playerCount = kMinPlayers;
        for (int slot = kMinPlayers; slot < kMaxPlayers; ++slot) resetSlot(game, slot);
    }
    refreshSetupStart(game);
}

void decreasePlayers(Game& game) {
    GameSession& session = game.session;
    session.playerCount -= 1;
    if (session.playerCount < kMinPlayers)
        session.playerCount = kMaxPlayers;
    else
        resetSlot(game, session.playerCount);  // the slot that was removed
    refreshSetupStart(game);
}

}  // namespace

void enterPhase(Game& game, GamePhase phase) {
    const GamePhase from = game.session.phase;
    game.session.phase = phase;
    switch (phase) {
        case GamePhase::Setup: enterSetup(game); break;
        case GamePhase::TurnStart: enterTurnStart(game, from); break;
        case GamePhase::Movement: enterMovement(game); break;
        case GamePhase::BattlePhase: enterBattlePhase(game, from); break;
        case GamePhase::GroupBattle:
        case GamePhase::PlanetBattle: break;  // the battle is filled by whoever starts it
        case GamePhase::GameOver: enterGameOver(game); break;
    }
}

void initialiseGame(Game& game) {
    GameSession& session = game.session;
    session.playerCount = kMinPlayers;
    session.currentPlayer = 0;
    session.teams.fill(0);
    game.seats.fill(Seat::Human);
    session.statistics = Statistics{};
    enterPhase(game, GamePhase::Setup);
}

void returnToSetup(Game& game) {
    emptyBattle(game);
    clearGroups(game.registry);
    // The planets' owners belong to the old game: the player count may be
    // lowered in Setup, and no planet may keep an owner who no longer plays.
    for (Planet& planet : game.planets) {
        planet.owner = -1;
        planet.ships = 0;
    }
    game.intel.fill(PlanetIntel{});
    game.session.currentPlayer = 0;
    game.session.statistics = Statistics{};
    game.buttons = constructButtonPanel();
    game.interaction.count = 0;
    enterPhase(game, GamePhase::Setup);
}

void refreshSetupStart(Game& game) {
    if (game.session.phase != GamePhase::Setup) return;
    bool open = false;
    for (int slot = 0; slot < game.session.playerCount; ++slot)
        open = open || isOpenSeat(game, slot);
    setAvailable(game, {CommandId::BeginTurn, CommandId::LoadGame}, !open);
}

void requestQuit(Game& game, int exitCode) {
    game.quitRequested = true;
    game.exitCode = exitCode;
}

void cycleTeam(GameSession& session, int slot) {
    if (slot < 0 || slot >= kMaxPlayers) return;
    // There are as many teams as player slots.
    session.teams[slot] += 1;
    if (session.teams[slot] >= kMaxPlayers) session.teams[slot] = 0;
}

void dispatchCommand(Game& game, int commandId) {
    if (commandId < 0 || commandId >= kButtonCount) return;
    // A running battle decides by itself; buttons left visible from the phase
    // it interrupted must not end the turn or start another fight under it.
    if (isBattlePhase(game.session.phase)) return;
    if (!game.buttons.buttons[commandId].visible) return;
    const CommandId id = static_cast<CommandId>(commandId);
    switch (id) {
        case CommandId::EndMovement: endMovement(game); break;
        case CommandId::EndBattle: endBattle(game); break;
        case CommandId::SaveGame: saveGame(game); break;
        case CommandId::LoadGame: loadGame(game); break;
        case CommandId::QuitGame: requestQuit(game, 0); break;
        case CommandId::BeginTurn: beginTurn(game); break;
        case CommandId::Yes:
        case CommandId::No: break;
        case CommandId::IncreasePlayers: increasePlayers(game); break;
        case CommandId::DecreasePlayers: decreasePlayers(game); break;
        case CommandId::NewGame: returnToSetup(game); break;
        default: runGroupCommand(game, id); break;  // ids 0..10
    }
}
