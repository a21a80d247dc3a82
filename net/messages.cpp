// Messages: one layout per kind, little-endian, floats by their bits. The
// reader refuses anything out of range, so what it returns can be checked by
// the rules without further doubt about its form.
#include "net/messages.h"

#include <bit>
#include <cmath>
#include <utility>

#include "game/galaxy.h"

namespace {

struct Writer {
    std::vector<uint8_t>& bytes;
    void u8(uint8_t value) { bytes.push_back(value); }
    void u32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) u8(static_cast<uint8_t>(value >> shift));
    }
    void u64(uint64_t value) {
        u32(static_cast<uint32_t>(value));
        u32(static_cast<uint32_t>(value >> 32));
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    void f32(float value) { u32(std::bit_cast<uint32_t>(value)); }
    void text(const std::string& value) {
        u8(static_cast<uint8_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
    void blob(const std::vector<uint8_t>& value) {
        u32(static_cast<uint32_t>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
    }
    void command(const PlayerCommand& value) {
        u8(static_cast<uint8_t>(value.kind));
        i32(value.player);
        i32(value.value);
        f32(value.x);
        f32(value.y);
    }
};

struct Reader {
    std::span<const uint8_t> bytes;
    size_t offset = 0;
    bool ok = true;

    size_t left() const { return bytes.size() - offset; }
    uint8_t u8() {
        if (left() < 1) {
            ok = false;
            return 0;
        }
        return bytes[offset++];
    }
    uint32_t u32() {
        uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{u8()} << shift;
        return value;
    }
    uint64_t u64() {
        const uint64_t low = u32();
        return low | uint64_t{u32()} << 32;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }
    std::string text() {
        const size_t size = u8();
        if (size > kMostTextBytes || size > left()) {
            ok = false;
            return {};
        }
        std::string value(bytes.begin() + offset, bytes.begin() + offset + size);
        offset += size;
        return value;
    }
    std::vector<uint8_t> blob() {
        const size_t size = u32();
        if (size > left()) {
            ok = false;
            return {};
        }
        std::vector<uint8_t> value(bytes.begin() + offset, bytes.begin() + offset + size);
        offset += size;
        return value;
    }
    PlayerCommand command() {
        PlayerCommand value;
        const int kind = u8();
        if (kind >= kCommandKinds) ok = false;
        value.kind = static_cast<CommandKind>(kind);
        value.player = i32();
        value.value = i32();
        value.x = f32();
        value.y = f32();
        // The rules refuse the rest; these no machine could ever send.
        if (value.player < -1 || value.player >= kMaxPlayers || !std::isfinite(value.x) ||
            !std::isfinite(value.y))
            ok = false;
        return value;
    }
};

bool isMachine(int32_t machine) { return machine >= 0 && machine < kMaxPlayers; }

}  // namespace

std::vector<uint8_t> encodeMessage(const Message& message) {
    std::vector<uint8_t> bytes;
    Writer out{bytes};
    out.u8(kProtocolVersion);
    out.u8(static_cast<uint8_t>(message.kind));
    switch (message.kind) {
        case MessageKind::Hello:
            out.u64(message.number);
            out.text(message.text);
            out.i32(message.seat);
            break;
        case MessageKind::Welcome:
            out.i32(message.machine);
            out.i32(message.seat);
            break;
        case MessageKind::Refusal:
        case MessageKind::Note: out.text(message.text); break;
        case MessageKind::Setup: out.blob(message.state); break;
        case MessageKind::Start:
        case MessageKind::Repair:
            out.u32(message.index);
            out.blob(message.state);
            break;
        case MessageKind::Command: out.command(message.command); break;
        case MessageKind::Stream:
            out.u32(message.index);
            out.i32(message.machine);
            out.command(message.command);
            break;
        case MessageKind::Refused:
            out.command(message.command);
            out.text(message.text);
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
    Reader in{bytes};
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
            read.text = in.text();
            read.seat = in.i32();
            inRange = read.seat >= -2 && read.seat < kMaxPlayers;
            break;
        case MessageKind::Welcome:
            read.machine = in.i32();
            read.seat = in.i32();
            inRange = isMachine(read.machine) && read.seat >= -2 && read.seat < kMaxPlayers;
            break;
        case MessageKind::Refusal:
        case MessageKind::Note: read.text = in.text(); break;
        case MessageKind::Setup: read.state = in.blob(); break;
        case MessageKind::Start:
        case MessageKind::Repair:
            read.index = in.u32();
            read.state = in.blob();
            break;
        case MessageKind::Command: read.command = in.command(); break;
        case MessageKind::Stream:
            read.index = in.u32();
            read.machine = in.i32();
            read.command = in.command();
            inRange = isMachine(read.machine);
            break;
        case MessageKind::Refused:
            read.command = in.command();
            read.text = in.text();
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
