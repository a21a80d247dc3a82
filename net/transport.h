// Transport: whole messages between the host and the machines that joined it,
// each delivered once and in order, over ENet (UDP, IPv4) between programs or
// in-process for the tests and the arena. The tick polls it without blocking;
// it has no thread of its own.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

// A peer as this end knows it: the host numbers the machines that connect to
// it from 1; a joiner knows only the host, as peer 0.
using PeerId = int32_t;
constexpr PeerId kHostPeer = 0;

enum class TransportEventKind { Connected, Received, Disconnected };

struct TransportEvent {
    TransportEventKind kind = TransportEventKind::Received;
    PeerId peer = kHostPeer;
    std::vector<uint8_t> bytes;  // Received only
};

// Messages in flight between the ends of one process, each delivered when the
// loopback clock has passed its time. The delay is fixed, plus a random part
// of up to `jitterMs` drawn from a generator of the network's own.
struct LoopbackNetwork {
    uint32_t delayMs = 0;
    uint32_t jitterMs = 0;
    uint32_t jitterState = 1;
    uint32_t nowMs = 0;
    struct Packet {
        int from = 0;  // end numbers: the host's end is 0
        int to = 0;
        uint32_t dueMs = 0;
        TransportEventKind kind = TransportEventKind::Received;
        std::vector<uint8_t> bytes;
    };
    std::deque<Packet> inFlight;
    int ends = 1;  // the host's end, then one per joiner
    // By end number: whether the end's connection to the host still holds;
    // nothing more is sent on one that ended.
    std::vector<bool> connected;
};

struct EnetEnd;  // ENet's host object and peers, behind the record
struct EnetEndCloser {
    void operator()(EnetEnd* end) const;
};

enum class TransportKind { Off, Enet, Loopback };

struct Transport {
    TransportKind kind = TransportKind::Off;
    bool hosting = false;
    // ENet
    std::unique_ptr<EnetEnd, EnetEndCloser> enet;
    // Loopback: the network and this end's number on it.
    LoopbackNetwork* loopback = nullptr;
    int loopbackEnd = 0;
};

// ENet: open the host's port to joiners (IPv4, any address), or connect to a
// host ("name" or dotted address). False, with the reason in `error`, when
// the port cannot be opened or the name not resolved; a connection that is
// never answered shows as Disconnected from poll.
bool hostOverEnet(Transport& transport, uint16_t port, std::string& error);
bool joinOverEnet(Transport& transport, const std::string& host, uint16_t port, std::string& error);
// The port the host's end listens on (the one asked for, or the one the
// system chose for port 0); 0 for anything else.
uint16_t listeningPort(const Transport& transport);

// Loopback: the host's end, and a joiner's end that connects to it.
void hostOverLoopback(Transport& transport, LoopbackNetwork& network);
void joinOverLoopback(Transport& transport, LoopbackNetwork& network);
// Moves the loopback clock on: what is due is delivered at the next polls.
void advanceLoopback(LoopbackNetwork& network, uint32_t ms);

// Sends one message reliably and in order; to an unknown peer it is dropped.
void sendMessage(Transport& transport, PeerId peer, std::span<const uint8_t> bytes);
// Ends one peer's connection (the host) or the connection to the host.
void disconnectPeer(Transport& transport, PeerId peer);
// What happened since the last poll, in order.
std::vector<TransportEvent> pollTransport(Transport& transport);
// Waits at most `waitMs` for a message to arrive (ENet); returns at once for
// the loopback, whose clock only the caller moves.
void waitForTransport(Transport& transport, uint32_t waitMs);
// Sends what is queued and closes every connection, waiting at most `waitMs`
// for the other ends to hear of it.
void closeTransport(Transport& transport, uint32_t waitMs);
