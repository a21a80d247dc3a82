// Fuzzes what the host takes from a joined machine: any bytes as the
// machine's messages in a game that has begun, the host's tick after each,
// with the game's invariants checked after every one. The host applies a
// command of that machine only for the seat it plays. In a tick that only
// the message could act in (the joined machine's turn, no battle, nothing
// queued), a command numbered no higher than one before goes nowhere, and
// where nothing went into the stream the game is as it was.
//
// Input: pieces of one length byte and that many bytes, each a message from
// the joined machine; a piece of length 0 is time passing with nothing sent.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_failure.h"
#include "fuzz/game_invariants.h"
#include "fuzz/host_game.h"
#include "game/rules_state.h"

namespace {

constexpr int kQuietTicks = 8;

// The host's messages to the joined machine: every command of the stream
// from that machine is one for its seat. How many there were.
int checkStream(const std::vector<TransportEvent>& events) {
    int taken = 0;
    for (const TransportEvent& event : events) {
        Message message;
        std::string why;
        if (event.kind != TransportEventKind::Received) continue;
        if (!decodeMessage(event.bytes, message, why))
            fuzzFailure("the host sent a message it cannot read: " + why);
        if (message.kind != MessageKind::Stream || message.machine != 1) continue;
        if (message.command.player != 0)
            fuzzFailure("the host applied a command for a seat its machine does not play");
        taken += 1;
    }
    return taken;
}

// Only the message can act: the joined machine's turn, outside a battle.
bool onlyTheMessageActs(const HostGame& host) {
    const GameSession& session = host.game.session;
    return host.net.queue.empty() && !isBattlePhase(session.phase) &&
           session.phase != GamePhase::GameOver &&
           host.game.network.seatMachine[session.currentPlayer] == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HostGame host;
    if (!startHostGame(host)) fuzzFailure("the host's game did not begin");
    uint32_t highest = 0;  // the highest number of a command sent so far
    size_t offset = 0;
    while (offset < size) {
        const size_t length = std::min<size_t>(data[offset], size - offset - 1);
        const std::vector<uint8_t> bytes(data + offset + 1, data + offset + 1 + length);
        offset += 1 + length;
        if (length == 0) {
            for (int tick = 0; tick < kQuietTicks; ++tick) checkStream(host.tick());
            checkInvariants(host.game);
            continue;
        }
        const bool quiet = onlyTheMessageActs(host);
        const uint64_t before = quiet ? rulesFingerprint(host.game) : 0;
        const uint32_t applied = host.net.applied;
        Message sent;
        std::string why;
        const bool command = decodeMessage(bytes, sent, why) && sent.kind == MessageKind::Command;
        const bool again = command && sent.index <= highest;
        if (command) highest = std::max(highest, sent.index);
        host.sendFromJoiner(bytes);
        const int taken = checkStream(host.tick());
        checkInvariants(host.game);
        if (quiet && host.net.applied == applied && rulesFingerprint(host.game) != before)
            fuzzFailure("a message that put nothing into the stream changed the game");
        if (quiet && again && taken > 0) fuzzFailure("a command sent again was applied");
    }
    return 0;
}
