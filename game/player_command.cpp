// Player commands: the checks that decide whether a command may act, in the
// order the rules behind it would find out, and the one call per kind that
// acts. The rules themselves stay with the map orders, the dispatcher, the
// count selector and the Setup clicks.
#include "game/player_command.h"

#include <cmath>

#include "game/commands.h"
#include "game/game.h"
#include "game/map_orders.h"

namespace {

bool isPlacing(InteractionMode mode) {
    return mode == InteractionMode::PlaceSplit || mode == InteractionMode::PlaceNewGroup;
}

bool isPoint(const PlayerCommand& command) {
    return std::isfinite(command.x) && std::isfinite(command.y);
}

// Whether a change of the player count would take away a seat that a
// person at another machine has joined: Increase wraps round from 8 to 2.
bool dropsAJoinedSeat(const Game& game, CommandId id) {
    const int count = game.session.playerCount;
    int from = count;  // the seats at and above it go
    if (id == CommandId::DecreasePlayers && count > kMinPlayers) from = count - 1;
    if (id == CommandId::IncreasePlayers && count == kMaxPlayers) from = kMinPlayers;
    for (int slot = from; slot < count; ++slot)
        if (game.network.seatMachine[slot] != 0) return true;
    return false;
}

CommandResult checkButton(const Game& game, int commandId) {
    if (commandId < 0 || commandId >= kButtonCount) return CommandResult::NoSuchButton;
    if (!game.buttons.buttons[commandId].visible) return CommandResult::NotOffered;
    return dropsAJoinedSeat(game, static_cast<CommandId>(commandId)) ? CommandResult::NotOffered
                                                                     : CommandResult::Applied;
}

CommandResult checkSetupSlot(const Game& game, int slot) {
    if (game.session.phase != GamePhase::Setup) return CommandResult::NotOffered;
    if (slot < 0 || slot >= game.session.playerCount) return CommandResult::NoSuchSlot;
    return CommandResult::Applied;
}

// A seat whose machine has left goes to the computer: the host's decision,
// taken in the stream like any command, whoever's turn it is.
CommandResult checkSeatToComputer(const Game& game, int seat) {
    if (seat < 0 || seat >= game.session.playerCount) return CommandResult::NoSuchSlot;
    return game.network.seatMachine[seat] != 0 ? CommandResult::Applied : CommandResult::NotOffered;
}

void giveSeatToComputer(Game& game, int seat) {
    // What its player left half done is closed as a right-click would.
    if (game.session.currentPlayer == seat) cancelSelection(game);
    game.seats[seat] = Seat::ComputerNormal;
    game.network.seatMachine[seat] = 0;
}

// seatReturn's fields: the seat, the machine and the seat's kind, in that order
// from the lowest.
struct SeatReturn {
    int seat;
    int machine;
    int kind;
};
SeatReturn readSeatReturn(int32_t value) {
    return {value % kMaxPlayers, value / kMaxPlayers % kMaxPlayers,
            value / (kMaxPlayers * kMaxPlayers)};
}

// Only at a turn screen, so that nothing the computer left half done passes
// to the machine; only a seat the computer holds for a machine that left.
CommandResult checkSeatToMachine(const Game& game, int32_t value) {
    if (value < 0) return CommandResult::NoSuchSlot;
    const SeatReturn back = readSeatReturn(value);
    if (back.seat >= game.session.playerCount) return CommandResult::NoSuchSlot;
    const Seat kind = static_cast<Seat>(back.kind);
    const bool personOrComputer = kind == Seat::Open || (back.kind >= 1 && back.kind <= 3);
    const bool held = game.network.seatMachine[back.seat] == 0 &&
                      game.seats[back.seat] != Seat::Human && game.seats[back.seat] != Seat::Open;
    if (!game.network.on || back.machine == 0 || back.kind >= kSeatKinds || !personOrComputer ||
        !held || game.session.phase != GamePhase::TurnStart)
        return CommandResult::NotOffered;
    return CommandResult::Applied;
}

void giveSeatToMachine(Game& game, int32_t value) {
    const SeatReturn back = readSeatReturn(value);
    game.seats[back.seat] = static_cast<Seat>(back.kind);
    game.network.seatMachine[back.seat] = back.machine;
}

CommandResult checkOwnGroup(const Game& game, int groupId, int player) {
    if (!isMapPhase(game.session.phase)) return CommandResult::NotOffered;
    const Group* group = findGroup(game.registry, groupId);
    if (group == nullptr) return CommandResult::NoSuchGroup;
    return group->owner == player ? CommandResult::Applied : CommandResult::NotPlayersOwn;
}

CommandResult checkPlanet(const Game& game, int planetIndex, int player) {
    // Planets send out groups in the movement phase only.
    if (game.session.phase != GamePhase::Movement) return CommandResult::NotOffered;
    if (planetIndex < 0 || planetIndex >= kPlanetCount) return CommandResult::NoSuchPlanet;
    return game.planets[planetIndex].owner == player ? CommandResult::Applied
                                                     : CommandResult::NotPlayersOwn;
}

CommandResult checkPlacement(const Game& game) {
    if (!isMapPhase(game.session.phase) || !isPlacing(game.interaction.mode))
        return CommandResult::NotOffered;
    return CommandResult::Applied;
}

// A split is counted out in both map phases, a new group in the movement
// phase only; with the group or the planet gone only Cancel still acts.
CommandResult checkSelectorControl(const Game& game, int control) {
    if (control < 0 || control > static_cast<int>(SelectorControl::Cancel))
        return CommandResult::NoSuchControl;
    const GamePhase phase = game.session.phase;
    const InteractionMode mode = game.interaction.mode;
    const bool split = mode == InteractionMode::CountForSplit && isMapPhase(phase);
    const bool newGroup = mode == InteractionMode::CountForNewGroup && phase == GamePhase::Movement;
    if (!split && !newGroup) return CommandResult::NotOffered;
    if (control == static_cast<int>(SelectorControl::Cancel)) return CommandResult::Applied;
    if (split) {
        return findGroup(game.registry, game.session.selectedGroupId) != nullptr
                   ? CommandResult::Applied
                   : CommandResult::NoSuchGroup;
    }
    const int planet = game.session.selectedPlanet;
    return planet >= 0 && planet < kPlanetCount ? CommandResult::Applied
                                                : CommandResult::NoSuchPlanet;
}

}  // namespace

const char* describeResult(CommandResult result) {
    switch (result) {
        case CommandResult::Applied: return "applied";
        case CommandResult::BattleRunning: return "a battle is running";
        case CommandResult::NotPlayersTurn: return "not this player's turn";
        case CommandResult::NotOffered: return "not offered now";
        case CommandResult::NoSuchButton: return "no such button";
        case CommandResult::NoSuchSlot: return "no such player slot";
        case CommandResult::NoSuchGroup: return "no such group";
        case CommandResult::NoSuchPlanet: return "no such planet";
        case CommandResult::NoSuchControl: return "no such selector control";
        case CommandResult::NotPlayersOwn: return "not the player's own";
        case CommandResult::NotAPoint: return "not a point on the map";
        case CommandResult::UnknownKind: return "no such kind of command";
    }
    return "no such result";
}

CommandResult checkCommand(const Game& game, const PlayerCommand& command) {
    const GameSession& session = game.session;
    // Buttons left visible from the phase a battle interrupted must not end
    // the turn or start another fight under it; Quit waits as well.
    if (isBattlePhase(session.phase)) return CommandResult::BattleRunning;
    if (command.kind == CommandKind::SeatToComputer)
        return checkSeatToComputer(game, command.value);
    if (command.kind == CommandKind::SeatToMachine) return checkSeatToMachine(game, command.value);
    if (command.player != session.currentPlayer) return CommandResult::NotPlayersTurn;
    switch (command.kind) {
        case CommandKind::PressButton: return checkButton(game, command.value);
        case CommandKind::CycleTeam: return checkSetupSlot(game, command.value);
        case CommandKind::CycleSeat:
            // A seat someone has joined stays theirs.
            if (checkSetupSlot(game, command.value) != CommandResult::Applied)
                return checkSetupSlot(game, command.value);
            return game.network.seatMachine[command.value] == 0 ? CommandResult::Applied
                                                                : CommandResult::NotOffered;
        case CommandKind::SelectGroup: return checkOwnGroup(game, command.value, command.player);
        case CommandKind::SelectPlanet: return checkPlanet(game, command.value, command.player);
        case CommandKind::GiveDestination:
            if (!isMapPhase(session.phase)) return CommandResult::NotOffered;
            if (!isPoint(command)) return CommandResult::NotAPoint;
            return checkOwnGroup(game, session.selectedGroupId, command.player);
        case CommandKind::PlaceGroup:
            if (checkPlacement(game) != CommandResult::Applied) return checkPlacement(game);
            return isPoint(command) ? CommandResult::Applied : CommandResult::NotAPoint;
        case CommandKind::AbandonPlacement: return checkPlacement(game);
        case CommandKind::CancelSelection:
            return isMapPhase(session.phase) ? CommandResult::Applied : CommandResult::NotOffered;
        case CommandKind::PressSelectorControl: return checkSelectorControl(game, command.value);
        case CommandKind::SeatToComputer:
        case CommandKind::SeatToMachine: break;
    }
    return CommandResult::UnknownKind;
}

CommandResult applyCommand(Game& game, const PlayerCommand& command) {
    const CommandResult result = checkCommand(game, command);
    if (result != CommandResult::Applied) return result;
    switch (command.kind) {
        case CommandKind::PressButton: dispatchCommand(game, command.value); break;
        case CommandKind::CycleTeam: cycleTeam(game.session, command.value); break;
        case CommandKind::CycleSeat:
            cycleSeat(game.seats, command.value, isHosting(game));
            refreshSetupStart(game);
            break;
        case CommandKind::SelectGroup: selectGroup(game, command.value); break;
        case CommandKind::SelectPlanet: selectPlanet(game, command.value); break;
        case CommandKind::GiveDestination: giveDestination(game, command.x, command.y); break;
        case CommandKind::PlaceGroup: placeGroup(game, command.x, command.y); break;
        case CommandKind::AbandonPlacement: abandonPlacement(game); break;
        case CommandKind::CancelSelection: cancelSelection(game); break;
        case CommandKind::PressSelectorControl:
            pressSelectorControl(game, static_cast<SelectorControl>(command.value));
            break;
        case CommandKind::SeatToComputer: giveSeatToComputer(game, command.value); break;
        case CommandKind::SeatToMachine: giveSeatToMachine(game, command.value); break;
    }
    return result;
}

int32_t seatReturn(int seat, int machine, Seat kind) {
    return seat + kMaxPlayers * (machine + kMaxPlayers * static_cast<int32_t>(kind));
}

bool isLocalCommand(const PlayerCommand& command) {
    if (command.kind != CommandKind::PressButton) return false;
    const CommandId id = static_cast<CommandId>(command.value);
    return id == CommandId::SaveGame || id == CommandId::LoadGame || id == CommandId::QuitGame;
}

bool offerCommand(const Game& game, const CommandSink& sink, const PlayerCommand& command) {
    if (checkCommand(game, command) != CommandResult::Applied) return false;
    sink(command);
    return true;
}

PlayerCommand pressButton(int player, int commandId) {
    return commandOn(CommandKind::PressButton, player, commandId);
}

PlayerCommand commandOn(CommandKind kind, int player, int value) {
    PlayerCommand command;
    command.kind = kind;
    command.player = player;
    command.value = value;
    return command;
}

PlayerCommand commandAt(CommandKind kind, int player, float x, float y) {
    PlayerCommand command;
    command.kind = kind;
    command.player = player;
    command.x = x;
    command.y = y;
    return command;
}
