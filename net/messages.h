// Messages: what the host and the machines that joined it say to each other,
// as bytes with a version, and read back with every field checked against
// its bounds before anything acts on it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/player_command.h"

// The first byte of every message; machines that differ in it cannot play
// together.
constexpr uint8_t kProtocolVersion = 2;
// No message is longer: the rules state of the largest battle fits well
// within it.
constexpr size_t kMostMessageBytes = 64u << 20;
constexpr size_t kMostTextBytes = 200;

enum class MessageKind : uint8_t {
    Hello = 1,    // joiner: the build's battle check, the join code, the seat asked for, a token
    Welcome = 2,  // host: the joiner's machine number, seat and token
    Refusal = 3,  // host: why the joiner may not join; the connection ends
    Setup = 4,    // host: its Setup screen, as the rules state
    Start = 5,    // host: the game begins from this rules state
    Command = 6,  // joiner: a command of a seat it plays, on that seat's turn, numbered
    Stream = 7,   // host: the stream's next command, with its index and machine
    Refused = 8,  // host: the sender's command was refused, and why
    Fingerprint = 9,  // joiner: its rules fingerprint at a turn screen, with the stream index
    Repair = 10,      // host: the rules state as it stands at a stream index
    Note = 11,        // host: a line for every machine's message line
    End = 12,         // host: it has ended the game for everyone
};
constexpr int kLastMessageKind = static_cast<int>(MessageKind::End);

struct Message {
    MessageKind kind = MessageKind::Note;
    int32_t machine = -1;  // Welcome, Stream
    int32_t seat = -1;     // Hello (-1: any), Welcome
    uint32_t index = 0;    // Start, Stream, Fingerprint, Repair: commands in the stream before;
                           // Command: the sender's count of commands on this connection
    uint64_t number = 0;   // Hello: the battle check; Fingerprint: the fingerprint
    // Hello: the token of an earlier join, to take its seats back (0: none);
    // Welcome: the token this machine proves itself with when it rejoins.
    uint64_t token = 0;
    PlayerCommand command;       // Command, Stream, Refused
    std::string text;            // Hello: the join code; Refusal, Refused, Note: the line
    std::vector<uint8_t> state;  // Setup, Start, Repair: the rules state's bytes
};

// Hello, Command and Fingerprint come from joiners; every other kind only
// from the host.
bool isJoinersKind(MessageKind kind);

std::vector<uint8_t> encodeMessage(const Message& message);
// False, with the reason in `why`, for bytes that are not a whole message of
// this protocol; `message` is then left as it was.
bool decodeMessage(std::span<const uint8_t> bytes, Message& message, std::string& why);
