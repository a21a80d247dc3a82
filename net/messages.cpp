// Messages: one layout per kind, little-endian, floats by their bits. The
// reader refuses anything out of range, so what it returns can be checked by
// the rules without further doubt about its form.
#include "net/messages.h"

#include <cmath>
#include <utility>

#include "game/buttons.h"
#include "game/byte_codec.h"
#include "game/galaxy.h"
#include "game/interaction_state.h"
#include "game/seats.h"

namespace {

using Writer = ByteWriter<VectorSink>;

void writeText(Writer& out, const std::string& value) {
    out.u8(static_cast<uint8_t>(value.size()));
    for (char c : value) out.u8(static_cast<uint8_t>(c));
}

void writeBlob(Writer& out, const std::vector<uint8_t>& value) {
    out.u32(static_cast<uint32_t>(value.size()));
    for (uint8_t byte : value) out.u8(byte);
}

void writeCommand(Writer& out, const PlayerCommand& value) {
    out.u8(static_cast<uint8_t>(value.kind));
    out.i32(value.player);
    out.i32(value.value);
    out.f32(value.x);
    out.f32(value.y);
}

// Printable ASCII only: every line ends up on the message line and the
// font has glyphs for nothing else.
std::string readText(ByteReader& in) {
    const size_t size = in.u8();
    if (size > kMostTextBytes || size > in.left()) {
        in.ok = false;
        return {};
    }
    std::string value(in.bytes.begin() + in.offset, in.bytes.begin() + in.offset + size);
    in.offset += size;
    for (char c : value)
        if (c < ' ' || c > '~') in.ok = false;
    return value;
}

std::vector<uint8_t> readBlob(ByteReader& in) {
    const size_t size = in.u32();
    if (size > in.left()) {
        in.ok = false;
        return {};
    }
    std::vector<uint8_t> value(in.bytes.begin() + in.offset, in.bytes.begin() + in.offset + size);
    in.offset += size;
    return value;
}

// One above the largest value a command of the kind can carry: its button,
// slot, planet or control; a group's id or a value nothing reads is any
// number from -1 up.
int32_t mostValue(CommandKind kind) {
    switch (kind) {
        case CommandKind::PressButton: return kButtonCount;
        case CommandKind::CycleTeam:
        case CommandKind::CycleSeat:
        case CommandKind::SeatToComputer: return kMaxPlayers;
        case CommandKind::SeatToMachine: return seatReturn(0, 0, static_cast<Seat>(kSeatKinds));
        case CommandKind::SelectPlanet: return kPlanetCount;
        case CommandKind::PressSelectorControl:
            return static_cast<int>(SelectorControl::Cancel) + 1;
        default: return INT32_MAX;
    }
}

PlayerCommand readCommand(ByteReader& in) {
    PlayerCommand value;
    const int kind = in.u8();
    if (kind >= kCommandKinds) in.ok = false;
    value.kind = static_cast<CommandKind>(kind);
    value.player = in.i32();
    value.value = in.i32();
    value.x = in.f32();
    value.y = in.f32();
    // The rules refuse the rest; these no machine could ever send. Only the
    // host's seat changes are for no player.
    const bool seatChange =
        value.kind == CommandKind::SeatToComputer || value.kind == CommandKind::SeatToMachine;
    const int leastPlayer = seatChange ? -1 : 0;
    if (value.player < leastPlayer || value.player >= kMaxPlayers || !std::isfinite(value.x) ||
        !std::isfinite(value.y) || value.value < -1 || value.value >= mostValue(value.kind))
        in.ok = false;
    return value;
}

bool isMachine(int32_t machine) { return machine >= 0 && machine < kMaxPlayers; }
bool isSeat(int32_t seat) { return seat >= 0 && seat < kMaxPlayers; }

}  // namespace

bool isJoinersKind(MessageKind kind) {
    return kind == MessageKind::Hello || kind == MessageKind::Command ||
           kind == MessageKind::Fingerprint;
}

std::vector<uint8_t> encodeMessage(const Message& message) {
    std::vector<uint8_t> bytes;
    VectorSink sink{bytes};
    Writer out{sink};
    out.u8(kProtocolVersion);
    out.u8(static_cast<uint8_t>(message.kind));
    switch (message.kind) {
        case MessageKind::Hello:
            out.u64(message.number);
            writeText(out, message.text);
            out.i32(message.seat);
            out.u64(message.token);
            break;
        case MessageKind::Welcome:
            out.i32(message.machine);
            out.i32(message.seat);
            out.u64(message.token);
            break;
        case MessageKind::Refusal:
        case MessageKind::Note: writeText(out, message.text); break;
        case MessageKind::Setup: writeBlob(out, message.state); break;
        case MessageKind::Start:
        case MessageKind::Repair:
            out.u32(message.index);
            writeBlob(out, message.state);
            break;
        case MessageKind::Command:
            out.u32(message.index);
            writeCommand(out, message.command);
            break;
        case MessageKind::Stream:
            out.u32(message.index);
            out.i32(message.machine);
            writeCommand(out, message.command);
            break;
        case MessageKind::Refused:
            writeCommand(out, message.command);
            writeText(out, message.text);
            break;
        case MessageKind::Fingerprint:
            out.u32(message.index);
            out.u64(message.number);
            break;
        case MessageKind::End: break;
    }
    return bytes;
}

bool decodeMessage(std::span<const uint8_t> bytes, Message& message, std::string& why) {
    if (bytes.size() > kMostMessageBytes) {
        why = "a message too long";
        return false;
    }
    ByteReader in{bytes};
    if (in.u8() != kProtocolVersion) {
        why = "a message of another protocol";
        return false;
    }
    const int kind = in.u8();
    if (kind < 1 || kind > kLastMessageKind) {
        why = "a message of no known kind";
        return false;
    }
    Message read;
    read.kind = static_cast<MessageKind>(kind);
    bool inRange = true;
    switch (read.kind) {
        case MessageKind::Hello:
            read.number = in.u64();
            read.text = readText(in);
            read.seat = in.i32();
            read.token = in.u64();
            inRange = read.seat >= -2 && read.seat < kMaxPlayers;
            break;
        case MessageKind::Welcome:
            read.machine = in.i32();
            read.seat = in.i32();
            read.token = in.u64();
            // Machine 0 is the host's; a joiner gets a seat or asked for none.
            inRange = read.machine > 0 && isMachine(read.machine) &&
                      (read.seat == -2 || isSeat(read.seat));
            break;
        case MessageKind::Refusal:
        case MessageKind::Note: read.text = readText(in); break;
        case MessageKind::Setup: read.state = readBlob(in); break;
        case MessageKind::Start:
        case MessageKind::Repair:
            read.index = in.u32();
            read.state = readBlob(in);
            break;
        case MessageKind::Command:
            read.index = in.u32();
            read.command = readCommand(in);
            break;
        case MessageKind::Stream:
            read.index = in.u32();
            read.machine = in.i32();
            read.command = readCommand(in);
            inRange = isMachine(read.machine);
            break;
        case MessageKind::Refused:
            read.command = readCommand(in);
            read.text = readText(in);
            break;
        case MessageKind::Fingerprint:
            read.index = in.u32();
            read.number = in.u64();
            break;
        case MessageKind::End: break;
    }
    if (!in.ok || !inRange || in.left() != 0) {
        why = "a damaged message";
        return false;
    }
    message = std::move(read);
    return true;
}
