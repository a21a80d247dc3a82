// Writes the seed corpora of the two message fuzzers from our own encoder:
// one message of every kind for the reader, and for the host a joined
// machine's turns and its bad messages, as pieces of a length byte and a
// message (length 0: time passes). Each host seed is played once here and
// the commands the host took are printed.
// Usage: message_seeds <fuzz/corpus>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/host_game.h"
#include "game/rules_state.h"
#include "net/messages.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

void write(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Message message(MessageKind kind) {
    Message value;
    value.kind = kind;
    return value;
}

// A joined machine's pieces, its commands numbered as its end would.
struct Pieces {
    Bytes bytes;
    uint32_t sent = 0;

    void add(const Bytes& message) {
        bytes.push_back(static_cast<uint8_t>(message.size()));
        bytes.insert(bytes.end(), message.begin(), message.end());
    }
    void command(const PlayerCommand& command, uint32_t number = 0) {
        Message value = message(MessageKind::Command);
        value.index = number != 0 ? number : ++sent;
        value.command = command;
        add(encodeMessage(value));
    }
    void button(CommandId id) { command(pressButton(0, static_cast<int>(id))); }
    void wait(int pieces) { bytes.insert(bytes.end(), pieces, 0); }
};

void writeHostSeed(const fs::path& folder, const std::string& name, const Pieces& pieces) {
    write(folder / name, pieces.bytes);
    HostGame host;
    startHostGame(host);
    for (size_t offset = 0; offset < pieces.bytes.size();) {
        const size_t length = pieces.bytes[offset];
        if (length == 0) {
            for (int tick = 0; tick < 8; ++tick) host.tick();
        } else {
            host.sendFromJoiner(
                Bytes(pieces.bytes.begin() + static_cast<long>(offset) + 1,
                      pieces.bytes.begin() + static_cast<long>(offset + 1 + length)));
            host.tick();
        }
        offset += 1 + length;
    }
    std::printf("%s: %u commands in the stream\n", name.c_str(), host.net.applied);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: message_seeds <fuzz/corpus>\n");
        return 2;
    }
    const fs::path messages = fs::path(argv[1]) / "message_fuzzer";
    const fs::path hosts = fs::path(argv[1]) / "host_fuzzer";
    fs::create_directories(messages);
    fs::create_directories(hosts);

    HostGame host;
    startHostGame(host);
    int ownGroup = -1;
    for (const Group& group : host.game.registry.groups)
        if (group.owner == 0 && ownGroup == -1) ownGroup = group.id;
    const Planet& far = host.game.planets[kPlanetCount - 1];

    // One of every kind.
    Message hello = message(MessageKind::Hello);
    hello.number = host.net.buildCheck;
    hello.text = kHostGameCode;
    hello.seat = -1;
    Message welcome = message(MessageKind::Welcome);
    welcome.machine = 1;
    welcome.seat = 0;
    Message refusal = message(MessageKind::Refusal);
    refusal.text = "wrong join code";
    Message start = message(MessageKind::Start);
    start.state = encodeRulesState(host.game);
    Message command = message(MessageKind::Command);
    command.index = 1;
    command.command = commandAt(CommandKind::GiveDestination, 0, far.x, far.y);
    Message stream = message(MessageKind::Stream);
    stream.index = 7;
    stream.machine = 1;
    stream.command = commandOn(CommandKind::SelectGroup, 0, ownGroup);
    Message refused = message(MessageKind::Refused);
    refused.command = pressButton(2, static_cast<int>(CommandId::BeginTurn));
    refused.text = "not this player's turn";
    Message fingerprint = message(MessageKind::Fingerprint);
    fingerprint.index = 3;
    fingerprint.number = rulesFingerprint(host.game);
    Message note = message(MessageKind::Note);
    note.text = "Player 2 left: the computer plays for them";
    const std::pair<const char*, Message> kinds[] = {
        {"hello", hello},     {"welcome", welcome},
        {"refusal", refusal}, {"start", start},
        {"command", command}, {"stream", stream},
        {"refused", refused}, {"fingerprint", fingerprint},
        {"note", note},       {"end", message(MessageKind::End)},
    };
    for (const auto& [name, value] : kinds) write(messages / name, encodeMessage(value));

    // A turn: a group sent off, the movement and the battles ended, the
    // computer's turn (with a command for its seat), then the next.
    Pieces turn;
    turn.button(CommandId::BeginTurn);
    turn.command(commandOn(CommandKind::SelectGroup, 0, ownGroup));
    turn.command(commandAt(CommandKind::GiveDestination, 0, far.x, far.y));
    turn.button(CommandId::EndMovement);
    turn.button(CommandId::EndBattle);
    turn.wait(2);
    turn.command(commandOn(CommandKind::CancelSelection, 1, -1));  // the computer's seat
    turn.wait(38);
    turn.button(CommandId::BeginTurn);
    turn.button(CommandId::EndMovement);
    writeHostSeed(hosts, "turn", turn);

    // A group split by the count selector and placed.
    Pieces split;
    split.button(CommandId::BeginTurn);
    split.command(commandOn(CommandKind::SelectGroup, 0, ownGroup));
    split.button(CommandId::SplitGroup);
    split.command(
        commandOn(CommandKind::PressSelectorControl, 0, static_cast<int>(SelectorControl::Plus10)));
    split.command(commandOn(CommandKind::PressSelectorControl, 0,
                            static_cast<int>(SelectorControl::Confirm)));
    split.command(commandAt(CommandKind::PlaceGroup, 0, far.x, far.y));
    writeHostSeed(hosts, "split", split);

    // What no joined machine sends: host's kinds, a second Hello, a command
    // sent again, another seat's command, broken bytes; ten cut it off.
    Pieces bad;
    bad.button(CommandId::BeginTurn);
    bad.command(pressButton(0, static_cast<int>(CommandId::EndMovement)), 1);
    bad.command(pressButton(1, static_cast<int>(CommandId::BeginTurn)));
    bad.add(encodeMessage(welcome));
    bad.add(encodeMessage(hello));
    bad.add(encodeMessage(fingerprint));
    bad.add({kProtocolVersion, static_cast<uint8_t>(MessageKind::Command), 1});
    bad.add(encodeMessage(stream));
    for (int count = 0; count < 7; ++count) bad.add({kProtocolVersion + 1});
    bad.button(CommandId::EndMovement);
    writeHostSeed(hosts, "bad", bad);
    return 0;
}
