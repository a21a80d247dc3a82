// The transport's calls, each passed to ENet or played out on the in-process
// network by the record's kind.
#include "net/transport.h"

#include <algorithm>

#include "net/enet_transport.h"

namespace {

// The network's own generator for the jitter (xorshift), so a run of the
// arena with the same network gives the same deliveries.
uint32_t nextJitter(LoopbackNetwork& network) {
    uint32_t x = network.jitterState == 0 ? 1 : network.jitterState;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    network.jitterState = x;
    return network.jitterMs == 0 ? 0 : x % (network.jitterMs + 1);
}

// Queues one event for `to`. A packet is never due before an earlier one
// between the same two ends, so the jitter cannot reorder them.
void queuePacket(LoopbackNetwork& network, int from, int to, TransportEventKind kind,
                 std::vector<uint8_t> bytes) {
    uint32_t due = network.nowMs + network.delayMs + nextJitter(network);
    for (auto packet = network.inFlight.rbegin(); packet != network.inFlight.rend(); ++packet) {
        if (packet->from == from && packet->to == to) {
            due = std::max(due, packet->dueMs);
            break;
        }
    }
    network.inFlight.push_back({from, to, due, kind, std::move(bytes)});
}

// The end a loopback peer names, or -1 when it names none this end can reach.
int endOfPeer(const Transport& transport, PeerId peer) {
    const LoopbackNetwork& network = *transport.loopback;
    const int end = transport.hosting ? peer : (peer == kHostPeer ? 0 : -1);
    const int joiner = transport.hosting ? end : transport.loopbackEnd;
    const bool open = end >= 0 && end < network.ends && joiner > 0 &&
                      joiner < static_cast<int>(network.connected.size()) &&
                      network.connected[joiner];
    return open ? end : -1;
}

// Ends a joiner's connection: both ends hear of it after what was sent before.
void endLoopbackConnection(LoopbackNetwork& network, int joiner) {
    network.connected[joiner] = false;
    queuePacket(network, 0, joiner, TransportEventKind::Disconnected, {});
    queuePacket(network, joiner, 0, TransportEventKind::Disconnected, {});
}

}  // namespace

void hostOverLoopback(Transport& transport, LoopbackNetwork& network) {
    network.connected.resize(network.ends);
    transport.kind = TransportKind::Loopback;
    transport.hosting = true;
    transport.loopback = &network;
    transport.loopbackEnd = 0;
}

void joinOverLoopback(Transport& transport, LoopbackNetwork& network) {
    const int end = network.ends++;
    network.connected.resize(network.ends);
    network.connected[end] = true;
    transport.kind = TransportKind::Loopback;
    transport.hosting = false;
    transport.loopback = &network;
    transport.loopbackEnd = end;
    queuePacket(network, end, 0, TransportEventKind::Connected, {});
    queuePacket(network, 0, end, TransportEventKind::Connected, {});
}

void advanceLoopback(LoopbackNetwork& network, uint32_t ms) { network.nowMs += ms; }

uint16_t listeningPort(const Transport& transport) {
    return transport.kind == TransportKind::Enet ? enetListeningPort(transport) : 0;
}

void sendMessage(Transport& transport, PeerId peer, std::span<const uint8_t> bytes) {
    switch (transport.kind) {
        case TransportKind::Enet: sendOverEnet(transport, peer, bytes); break;
        case TransportKind::Loopback: {
            const int to = endOfPeer(transport, peer);
            if (to < 0) break;
            queuePacket(*transport.loopback, transport.loopbackEnd, to,
                        TransportEventKind::Received,
                        std::vector<uint8_t>(bytes.begin(), bytes.end()));
            break;
        }
        case TransportKind::Off: break;
    }
}

void disconnectPeer(Transport& transport, PeerId peer) {
    switch (transport.kind) {
        case TransportKind::Enet: disconnectOverEnet(transport, peer); break;
        case TransportKind::Loopback: {
            const int to = endOfPeer(transport, peer);
            if (to < 0) break;
            endLoopbackConnection(*transport.loopback,
                                  transport.hosting ? to : transport.loopbackEnd);
            break;
        }
        case TransportKind::Off: break;
    }
}

void waitForTransport(Transport& transport, uint32_t waitMs) {
    if (transport.kind == TransportKind::Enet) waitOverEnet(transport, waitMs);
}

std::vector<TransportEvent> pollTransport(Transport& transport) {
    switch (transport.kind) {
        case TransportKind::Enet: return pollEnet(transport);
        case TransportKind::Loopback: {
            LoopbackNetwork& network = *transport.loopback;
            std::vector<TransportEvent> events;
            // In the order sent; a packet due later holds back none between
            // other ends, and those between the same ends are due in order.
            for (auto packet = network.inFlight.begin(); packet != network.inFlight.end();) {
                if (packet->to != transport.loopbackEnd || packet->dueMs > network.nowMs) {
                    ++packet;
                    continue;
                }
                const PeerId peer = transport.hosting ? packet->from : kHostPeer;
                events.push_back({packet->kind, peer, std::move(packet->bytes)});
                packet = network.inFlight.erase(packet);
            }
            return events;
        }
        case TransportKind::Off: break;
    }
    return {};
}

void closeTransport(Transport& transport, uint32_t waitMs) {
    switch (transport.kind) {
        case TransportKind::Enet: closeEnet(transport, waitMs); break;
        case TransportKind::Loopback: {
            // The in-process network delivers on its own clock: nothing to wait for.
            LoopbackNetwork& network = *transport.loopback;
            if (!transport.hosting) {
                if (network.connected[transport.loopbackEnd]) {
                    endLoopbackConnection(network, transport.loopbackEnd);
                }
            } else {
                for (int joiner = 1; joiner < network.ends; ++joiner) {
                    if (network.connected[joiner]) endLoopbackConnection(network, joiner);
                }
            }
            // What is addressed to this end is never polled now.
            std::erase_if(network.inFlight, [&](const LoopbackNetwork::Packet& packet) {
                return packet.to == transport.loopbackEnd;
            });
            break;
        }
        case TransportKind::Off: break;
    }
    transport.kind = TransportKind::Off;
    transport.hosting = false;
    transport.loopback = nullptr;
    transport.loopbackEnd = 0;
}
