// The in-process transport: packets queued on one network record with the
// time they become due, so the tests and the arena can play machines in one
// process with the delays of a real network, order always kept.
#include "net/loopback_transport.h"

#include <algorithm>

namespace {

// The network's own generator for the jitter: the game's is never touched.
uint32_t nextJitter(LoopbackNetwork& network) {
    network.jitterState = network.jitterState * 1103515245u + 12345u;
    return network.jitterState >> 16;
}

// A joiner's end number is its peer id on the host; the host is the
// joiner's peer 0.
int endOf(const Transport& transport, PeerId peer) { return transport.hosting ? peer : 0; }
PeerId peerOf(const LoopbackNetwork::Packet& packet) { return packet.to == 0 ? packet.from : 0; }

void queue(LoopbackNetwork& network, int from, int to, TransportEventKind kind,
           std::span<const uint8_t> bytes) {
    uint32_t due = network.nowMs + network.delayMs;
    if (network.jitterMs > 0) due += nextJitter(network) % (network.jitterMs + 1);
    // Never before the last packet between the same two ends: order is kept.
    for (const LoopbackNetwork::Packet& packet : network.inFlight)
        if (packet.from == from && packet.to == to) due = std::max(due, packet.dueMs);
    network.inFlight.push_back({from, to, due, kind, {bytes.begin(), bytes.end()}});
}

bool isConnected(const LoopbackNetwork& network, int end) {
    return end >= 0 && end < network.ends && network.connected[end];
}

}  // namespace

void hostOverLoopback(Transport& transport, LoopbackNetwork& network) {
    transport = Transport{};
    transport.kind = TransportKind::Loopback;
    transport.hosting = true;
    transport.loopback = &network;
    transport.loopbackEnd = 0;
    network.ends = 1;
    network.connected.assign(1, true);
}

void joinOverLoopback(Transport& transport, LoopbackNetwork& network) {
    transport = Transport{};
    transport.kind = TransportKind::Loopback;
    transport.loopback = &network;
    transport.loopbackEnd = network.ends++;
    network.connected.push_back(true);
    queue(network, transport.loopbackEnd, 0, TransportEventKind::Connected, {});
    queue(network, 0, transport.loopbackEnd, TransportEventKind::Connected, {});
}

void advanceLoopback(LoopbackNetwork& network, uint32_t ms) { network.nowMs += ms; }

void sendOverLoopback(Transport& transport, PeerId peer, std::span<const uint8_t> bytes) {
    LoopbackNetwork& network = *transport.loopback;
    const int to = endOf(transport, peer);
    if (!isConnected(network, transport.loopbackEnd) || !isConnected(network, to)) return;
    queue(network, transport.loopbackEnd, to, TransportEventKind::Received, bytes);
}

void disconnectOverLoopback(Transport& transport, PeerId peer) {
    LoopbackNetwork& network = *transport.loopback;
    const int self = transport.loopbackEnd;
    const int other = endOf(transport, peer);
    if (!isConnected(network, self) || !isConnected(network, other)) return;
    // A joiner that leaves is gone from the network; the host stays for the others.
    const int joiner = self == 0 ? other : self;
    network.connected[joiner] = false;
    queue(network, self, other, TransportEventKind::Disconnected, {});
    queue(network, other, self, TransportEventKind::Disconnected, {});
}

std::vector<TransportEvent> pollLoopback(Transport& transport) {
    LoopbackNetwork& network = *transport.loopback;
    std::vector<TransportEvent> events;
    std::deque<LoopbackNetwork::Packet> kept;
    for (LoopbackNetwork::Packet& packet : network.inFlight) {
        if (packet.to == transport.loopbackEnd && packet.dueMs <= network.nowMs) {
            events.push_back({packet.kind, peerOf(packet), std::move(packet.bytes)});
        } else {
            kept.push_back(std::move(packet));
        }
    }
    network.inFlight.swap(kept);
    return events;
}
