// Turn flow: the command dispatcher, the turn and setup commands, and the
// buttons each of them makes available.
#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/save_file.h"

namespace {

void show(Game& game, CommandId id, bool visible) {
    game.buttons.buttons[static_cast<int>(id)].visible = visible;
}

void showStartupButtons(Game& game) {
    for (CommandId id : {CommandId::LoadGame, CommandId::QuitGame, CommandId::BeginTurn,
                         CommandId::IncreasePlayers, CommandId::DecreasePlayers})
        show(game, id, true);
}

// What every change of phase forgets: the selections and everything hovered.
void clearSelectionAndHover(Game& game) {
    game.session.selectedGroupId = -1;
    game.picks.hoveredGroup = -1;
    game.picks.hoveredButton = -1;
    game.picks.hoveredSelectorControl = -1;
    game.picks.hoveredPlanet = -1;
    game.session.selectedPlanet = -1;
}

void beginTurn(Game& game) {
    GameSession& session = game.session;
    if (session.phase == GamePhase::Setup) {
        generateGalaxy(game);
        session.currentPlayer = 0;
        session.phase = GamePhase::TurnStart;
        show(game, CommandId::SaveGame, true);
        show(game, CommandId::LoadGame, false);
        show(game, CommandId::IncreasePlayers, false);
        show(game, CommandId::DecreasePlayers, false);
    } else if (session.phase == GamePhase::TurnStart) {
        session.phase = GamePhase::Movement;
        show(game, CommandId::EndMovement, true);
        show(game, CommandId::SaveGame, false);
        show(game, CommandId::BeginTurn, false);
        recomputeStatistics(game);
        if (session.statistics.myPlanets > 0) {
            show(game, CommandId::NextPlanet, true);
            show(game, CommandId::PreviousPlanet, true);
        }
        refreshAvailability(game, session.currentPlayer);
    }
}

void endMovement(Game& game) {
    GameSession& session = game.session;
    const int player = session.currentPlayer;
    session.phase = GamePhase::BattlePhase;
    clearSelectionAndHover(game);
    // A new group can only be sent out in the movement phase, and its planet
    // selection is gone now; a split selector carries over on purpose.
    InteractionMode& mode = game.interaction.mode;
    if (mode == InteractionMode::CountForNewGroup || mode == InteractionMode::PlaceNewGroup)
        mode = InteractionMode::Idle;
    advanceGroups(game.registry, player);
    refreshAvailability(game, player);
    for (CommandId id : {CommandId::CreateGroup, CommandId::NextPlanet, CommandId::PreviousPlanet,
                         CommandId::EndMovement})
        show(game, id, false);
    show(game, CommandId::EndBattle, true);
    if (hasGroupInPosition(game.registry, game.planets, session.teams, player)) {
        show(game, CommandId::NextCombatGroup, true);
        show(game, CommandId::PreviousCombatGroup, true);
    }
    applyProduction(game.planets, player);
    revealPlanetsUnderGroups(game.registry, game.planets, session, game.intel, player);
    recomputeStatistics(game);
}

void endBattle(Game& game) {
    GameSession& session = game.session;
    session.phase = GamePhase::TurnStart;
    clearSelectionAndHover(game);
    // Nothing of this player's selector may reach the next player's turn.
    game.interaction.mode = InteractionMode::Idle;
    session.currentPlayer += 1;
    if (session.currentPlayer >= session.playerCount) session.currentPlayer = 0;
    for (int id = 0; id <= static_cast<int>(CommandId::PreviousCombatGroup); ++id)
        game.buttons.buttons[id].visible = false;
    show(game, CommandId::EndBattle, false);
    show(game, CommandId::SaveGame, true);
    show(game, CommandId::BeginTurn, true);
}

void increasePlayers(GameSession& session) {
    session.playerCount += 1;
    if (session.playerCount > kMaxPlayers) {
        session.playerCount = kMinPlayers;
        for (int slot = kMinPlayers; slot < kMaxPlayers; ++slot) session.teams[slot] = 0;
    }
}

void decreasePlayers(GameSession& session) {
    session.playerCount -= 1;
    if (session.playerCount < kMinPlayers)
        session.playerCount = kMaxPlayers;
    else
        session.teams[session.playerCount] = 0;  // the slot that was removed
}

}  // namespace

void initialiseGame(Game& game) {
    GameSession& session = game.session;
    session.phase = GamePhase::Setup;
    game.interaction.mode = InteractionMode::Idle;
    session.selectedPlanet = -1;
    game.picks.hoveredPlanet = -1;
    session.selectedGroupId = -1;
    game.picks.hoveredGroup = -1;
    game.picks.hoveredSetupRow = -1;
    game.picks.hoveredSelectorControl = -1;
    session.playerCount = kMinPlayers;
    session.currentPlayer = 0;
    session.teams.fill(0);
    showStartupButtons(game);
    session.statistics = Statistics{};
    game.interaction.pressTime = 0;
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
    game.session.phase = GamePhase::Setup;
    game.session.currentPlayer = 0;
    game.session.statistics = Statistics{};
    game.buttons = constructButtonPanel();
    showStartupButtons(game);
    clearSelectionAndHover(game);
    game.interaction.mode = InteractionMode::Idle;
    game.interaction.count = 0;
    game.picks.hoveredSetupRow = -1;
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
        case CommandId::IncreasePlayers: increasePlayers(game.session); break;
        case CommandId::DecreasePlayers: decreasePlayers(game.session); break;
        default: runGroupCommand(game, id); break;  // ids 0..10
    }
}
