// Lockstep: one game on every machine. The host orders every machine's
// commands into one stream, checking each against the game as everything
// before it left it, and every machine applies that stream in the same order
// to the same state. Once the game has begun only commands travel; the rules
// state is sent to start it and to repair a machine that went astray.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/player_command.h"
#include "game/seats.h"
#include "net/messages.h"
#include "net/transport.h"

struct Game;
struct PlayState;

// A joiner that asks for no seat at all: the arena's machines, whose seats
// the host gives out itself.
constexpr int kNoSeat = -2;
// A machine that sends this many messages the host cannot take (bytes that
// are no message, a kind it may not send, a command sent again) is cut off,
// and leaves as any machine that left.
constexpr int kMostBadMessages = 10;

struct NetGame {
    Transport transport;
    bool hosting = false;
    uint64_t buildCheck = 0;    // this build's reference battle, see referenceBattleCheck
    uint32_t applied = 0;       // commands of the stream applied here
    bool started = false;       // the host's Start has arrived (on the host: sent)
    int32_t askedSeat = -1;     // a joiner: the seat it asks for (-1: whichever the host gives)
    uint32_t commandsSent = 0;  // a joiner: its commands on this connection, which number them
    // A joiner: the stream as it arrives, applied in order between battles.
    std::deque<Message> stream;
    // The host: the machines that joined, by peer, and the commands waiting
    // for their place in the stream (its own included).
    struct Joiner {
        PeerId peer = 0;
        int32_t machine = -1;  // -1 until its Hello is answered
        // Rejoined: it hears nothing of the stream until it is sent the game
        // with its seats given back, at the next turn screen.
        bool awaitingStart = false;
        bool greeted = false;  // its Hello has come
        // The number of the last command taken from this connection: a
        // command not numbered above it was sent again, and is not taken.
        uint32_t lastCommand = 0;
        int badMessages = 0;  // at kMostBadMessages its connection is ended
    };
    std::vector<Joiner> joiners;
    int32_t machinesJoined = 0;
    struct Queued {
        int32_t machine = 0;
        PlayerCommand command;
    };
    std::deque<Queued> queue;
    // The host: what it keeps of each machine number while the machine is
    // away, so that the machine can prove itself and take its seats back.
    struct Known {
        uint64_t token = 0;
        std::array<std::optional<Seat>, kMaxPlayers> leftSeats{};  // as they were played
        bool returning = false;  // rejoined: its seats come back at the next turn screen
    };
    std::array<Known, kMaxPlayers> known{};
    // A joiner: the token it proves an earlier join with (0: none), and
    // where it keeps the one the host gives it (unset: nowhere).
    uint64_t token = 0;
    std::function<void(uint64_t)> keepToken;
    // The host: its own fingerprint at each turn screen, by stream index.
    std::map<uint32_t, uint64_t> turnFingerprints;
    // Lines for the message line, oldest first; every one also went to
    // standard error.
    std::vector<std::string> notes;
    // The save of the game as it stood at the last turn screen reached here;
    // empty before the first. A joiner whose host is gone keeps this much of
    // the game in a new save named after the wall clock's local time.
    std::vector<uint8_t> turnSave;
    std::function<std::time_t()> wallClock = [] { return std::time(nullptr); };
    int repairs = 0;    // host: states sent again after a disagreement
    int refusals = 0;   // host: commands refused from the stream
    int seatsBack = 0;  // host: seats given back to machines that rejoined
    // The arena's agreement check: each machine's fingerprint after every
    // command it applied, by place in the stream.
    bool recordFingerprints = false;
    std::vector<uint64_t> fingerprints;
    // The arena's check of the rules: the game after every command applied.
    std::function<void(const Game&)> inspect;
    // For tests and measurements: one line per event (a command sent, a
    // command of the stream applied, a turn screen reached, a message sent),
    // each with the tick's clock and the ticks run so far. Unset: nothing.
    std::function<void(const std::string&)> trace;
    uint32_t clock = 0;  // the tick's, from the start of netBeforeFrame
    uint32_t ticks = 0;
};

// The fingerprint of a short battle computed at start-up: two builds that
// compute it alike compute every battle alike, and only they may play together.
uint64_t referenceBattleCheck();

// Makes this program the host of `game`: machine 0, every seat its own until
// a machine joins; battles in fixed steps; the test mode off.
void hostNetGame(NetGame& net, Game& game, PlayState& play);
// Makes this program a joiner: it asks for `seat` (-1: the first open one,
// kNoSeat: none) with the host's join code once the transport connects.
void joinNetGame(NetGame& net, Game& game, PlayState& play, const std::string& code, int seat);

// The network's part of the tick, before the shared tick's: what arrived is
// taken in, the stream applied as far as no battle is running, and the
// shared tick's commands routed through the host.
void netBeforeFrame(NetGame& net, Game& game, PlayState& play, uint32_t clock);
// After the shared tick's after-frame step: a stream that waited for a
// battle's end goes on.
void netAfterFrame(NetGame& net, Game& game, PlayState& play);

// Leaves the game: a host ends it for everyone; then what is queued is sent
// and the connections close.
void leaveNetGame(NetGame& net);
