// Player commands: every action a player can take, as one small record that
// the mouse and the computer both produce, and that can travel. One call
// checks a command and says why not; another checks, then applies it.
#pragma once

#include <cstdint>
#include <functional>

struct Game;
enum class Seat : int32_t;

enum class CommandKind : int32_t {
    PressButton = 0,           // value: the button, which is its command id
    CycleTeam = 1,             // value: the player slot on the Setup screen
    CycleSeat = 2,             // value: the player slot on the Setup screen
    SelectGroup = 3,           // value: the group id
    SelectPlanet = 4,          // value: the planet index
    GiveDestination = 5,       // x, y: the selected group's new course
    PlaceGroup = 6,            // x, y: where the split or the new group goes
    AbandonPlacement = 7,      // the placement ends with nothing placed
    CancelSelection = 8,       // the selections, the selector and any placement forgotten
    PressSelectorControl = 9,  // value: the count selector's control
    SeatToComputer = 10,       // value: a seat whose machine left; the host's, for no player
    SeatToMachine = 11,        // value: seatReturn(...); the host's, for no player
};
constexpr int kCommandKinds = 12;

struct PlayerCommand {
    CommandKind kind = CommandKind::PressButton;
    int32_t player = 0;  // the player whose action it is: the one whose turn it must be
    int32_t value = -1;
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const PlayerCommand&) const = default;
};

enum class CommandResult : int32_t {
    Applied = 0,
    BattleRunning = 1,   // a battle decides by itself: nothing is taken meanwhile
    NotPlayersTurn = 2,  // the command is for another player than the current one
    NotOffered = 3,      // its button hidden, or this phase or the selector offers none
    NoSuchButton = 4,    // a button index outside the panel
    NoSuchSlot = 5,      // a Setup slot outside the players
    NoSuchGroup = 6,     // the group, or the selected group, does not exist
    NoSuchPlanet = 7,    // a planet index outside the galaxy
    NoSuchControl = 8,   // a selector control that does not exist
    NotPlayersOwn = 9,   // the group or planet belongs to someone else
    NotAPoint = 10,      // a course or a placement to a point that is not finite
    UnknownKind = 11,    // a kind of command that does not exist
};

// What happened, in a few words, for messages about a refusal.
const char* describeResult(CommandResult result);

// Whether applying the command would act, or why not; changes nothing.
CommandResult checkCommand(const Game& game, const PlayerCommand& command);
// Checks, then acts on the game exactly as the player's click would; a
// refused command changes nothing at all.
CommandResult applyCommand(Game& game, const PlayerCommand& command);

// Save, Load and Quit touch this machine's files or end this program: they
// are never sent to another machine.
bool isLocalCommand(const PlayerCommand& command);

// Where the mouse and the computer hand their commands: in a game on one
// machine, straight to applyCommand.
using CommandSink = std::function<void(const PlayerCommand&)>;

// Hands the command to the sink only where the rules would take it now: the
// mouse and the computer go on to the next meaning of an action exactly where
// they would not. Whether it was handed on.
bool offerCommand(const Game& game, const CommandSink& sink, const PlayerCommand& command);

// A seat given back, at a turn screen, to the machine that played it before
// it left, to be played as it was: a person there (Open) or the computer at
// a level. The value of a SeatToMachine command.
int32_t seatReturn(int seat, int machine, Seat kind);

// The commands in the form the mouse and the computer build them.
PlayerCommand pressButton(int player, int commandId);
PlayerCommand commandOn(CommandKind kind, int player, int value);
PlayerCommand commandAt(CommandKind kind, int player, float x, float y);
