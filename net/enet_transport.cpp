// The transport over ENet: one ENet host object per end, reliable packets on
// one channel so every message arrives whole and in order, and ENet's own
// events turned into the transport's.
#include "net/enet_transport.h"

#include <enet/enet.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <map>

namespace {

constexpr size_t kMostJoiners = 8;
constexpr size_t kChannels = 2;
constexpr enet_uint8 kMessageChannel = 0;
// ENet gives up on a peer once its oldest unanswered packet is this old. It
// only looks when a resend timer fires, and those double from the round trip,
// so a connection never answered fails after about 3.5 s.
constexpr enet_uint32 kTimeoutMinimumMs = 2500;
constexpr enet_uint32 kTimeoutMaximumMs = 3500;
// A connected peer heard nothing from this long is gone. ENet pings a quiet
// peer every 500 ms, so a live one is never silent for long; its own
// timeout alone, waiting for a doubling resend timer, took up to 7 s.
constexpr int32_t kSilenceMs = 4000;

}  // namespace

struct EnetEnd {
    ENetHost* host = nullptr;
    // On the host, the joiners by the number they got when they connected,
    // from 1 and never reused; on a joiner, the host as kHostPeer.
    std::map<PeerId, ENetPeer*> peers;
    PeerId nextPeer = 1;
    uint16_t port = 0;
    // Events this end decided itself, such as the end of a connection that
    // was never answered, handed out at the next poll.
    std::vector<TransportEvent> pending;
    // When each connection began: ENet's time of the last answer starts at
    // 0, and only the first acknowledgement sets it.
    std::map<PeerId, enet_uint32> connectedAt;
};

// Every end initializes ENet and deinitializes it when it goes: the calls pair
// up, and the system's own start-up underneath counts its users.
void EnetEndCloser::operator()(EnetEnd* end) const {
    if (end->host != nullptr) enet_host_destroy(end->host);
    delete end;
    enet_deinitialize();
}

namespace {

std::unique_ptr<EnetEnd, EnetEndCloser> startEnd(std::string& error) {
    if (enet_initialize() != 0) {
        error = "the network cannot be started";
        return nullptr;
    }
    return std::unique_ptr<EnetEnd, EnetEndCloser>(new EnetEnd);
}

ENetPeer* findPeer(const Transport& transport, PeerId peer) {
    if (!transport.enet) return nullptr;
    const auto found = transport.enet->peers.find(peer);
    return found == transport.enet->peers.end() ? nullptr : found->second;
}

// The host keeps each joiner's number in its peer, so events find it again.
PeerId peerIdOf(const ENetPeer* peer) {
    return static_cast<PeerId>(reinterpret_cast<intptr_t>(peer->data));
}

}  // namespace

bool hostOverEnet(Transport& transport, uint16_t port, std::string& error) {
    auto end = startEnd(error);
    if (!end) return false;
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = port;
    end->host = enet_host_create(&address, kMostJoiners, kChannels, 0, 0);
    if (end->host == nullptr) {
        const int reason = errno;
        error = reason == EADDRINUSE ? "port " + std::to_string(port) + " is in use"
                                     : "port " + std::to_string(port) +
                                           " cannot be opened: " + std::strerror(reason);
        return false;
    }
    ENetAddress bound{};
    if (enet_socket_get_address(end->host->socket, &bound) != 0) {
        error = "port " + std::to_string(port) + " cannot be read back";
        return false;
    }
    end->port = bound.port;
    transport.kind = TransportKind::Enet;
    transport.hosting = true;
    transport.enet = std::move(end);
    return true;
}

bool joinOverEnet(Transport& transport, const std::string& host, uint16_t port,
                  std::string& error) {
    auto end = startEnd(error);
    if (!end) return false;
    ENetAddress address{};
    // Resolving a name may wait for the name server; a dotted address does not.
    if (enet_address_set_host(&address, host.c_str()) != 0) {
        error = "cannot find the machine \"" + host + "\"";
        return false;
    }
    address.port = port;
    end->host = enet_host_create(nullptr, 1, kChannels, 0, 0);
    ENetPeer* peer =
        end->host == nullptr ? nullptr : enet_host_connect(end->host, &address, kChannels, 0);
    if (peer == nullptr) {
        error = "cannot connect to " + host + ":" + std::to_string(port);
        return false;
    }
    enet_peer_timeout(peer, 0, kTimeoutMinimumMs, kTimeoutMaximumMs);
    end->peers[kHostPeer] = peer;
    transport.kind = TransportKind::Enet;
    transport.hosting = false;
    transport.enet = std::move(end);
    return true;
}

uint16_t enetListeningPort(const Transport& transport) {
    return transport.enet && transport.hosting ? transport.enet->port : 0;
}

void sendOverEnet(Transport& transport, PeerId peer, std::span<const uint8_t> bytes) {
    ENetPeer* to = findPeer(transport, peer);
    if (to == nullptr) return;
    // ENet cuts a reliable packet into fragments and delivers it whole. It
    // goes out now rather than at the next poll: a command waits on every
    // machine until it has made the round through the host.
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE);
    if (packet != nullptr && enet_peer_send(to, kMessageChannel, packet) != 0) {
        enet_packet_destroy(packet);
        return;
    }
    enet_host_flush(transport.enet->host);
}

void disconnectOverEnet(Transport& transport, PeerId peer) {
    ENetPeer* to = findPeer(transport, peer);
    if (to == nullptr) return;
    // What was sent before still goes out first; then both ends hear of it.
    enet_peer_disconnect_later(to, 0);
    // A connection not yet answered ends at once, without an event of ENet's.
    if (to->state == ENET_PEER_STATE_DISCONNECTED) {
        transport.enet->peers.erase(peer);
        transport.enet->pending.push_back({TransportEventKind::Disconnected, peer, {}});
    }
}

std::vector<TransportEvent> pollEnet(Transport& transport) {
    if (!transport.enet) return {};
    EnetEnd& end = *transport.enet;
    std::vector<TransportEvent> events = std::move(end.pending);
    end.pending.clear();
    ENetEvent event;
    while (enet_host_service(end.host, &event, 0) > 0) {
        ENetPeer* peer = event.peer;
        PeerId id = transport.hosting ? peerIdOf(peer) : kHostPeer;
        switch (event.type) {
            case ENET_EVENT_TYPE_CONNECT:
                if (transport.hosting) {
                    id = end.nextPeer++;
                    peer->data = reinterpret_cast<void*>(static_cast<intptr_t>(id));
                    end.peers[id] = peer;
                    enet_peer_timeout(peer, 0, kTimeoutMinimumMs, kTimeoutMaximumMs);
                }
                end.connectedAt[id] = enet_time_get();
                events.push_back({TransportEventKind::Connected, id, {}});
                break;
            case ENET_EVENT_TYPE_RECEIVE:
                events.push_back(
                    {TransportEventKind::Received, id,
                     std::vector<uint8_t>(event.packet->data,
                                          event.packet->data + event.packet->dataLength)});
                enet_packet_destroy(event.packet);
                break;
            case ENET_EVENT_TYPE_DISCONNECT:
                // ENet may reuse the peer for a later connection.
                peer->data = nullptr;
                // On the host, a peer that never connected was never announced.
                if (transport.hosting && id == kHostPeer) break;
                end.peers.erase(id);
                events.push_back({TransportEventKind::Disconnected, id, {}});
                break;
            case ENET_EVENT_TYPE_NONE: break;
        }
    }
    const enet_uint32 now = enet_time_get();
    for (auto entry = end.peers.begin(); entry != end.peers.end();) {
        ENetPeer* peer = entry->second;
        const auto since = [&](enet_uint32 time) { return static_cast<int32_t>(now - time); };
        const int32_t silence =
            std::min(since(peer->lastReceiveTime), since(end.connectedAt[entry->first]));
        if (peer->state != ENET_PEER_STATE_CONNECTED || silence < kSilenceMs) {
            ++entry;
            continue;
        }
        peer->data = nullptr;
        enet_peer_reset(peer);
        events.push_back({TransportEventKind::Disconnected, entry->first, {}});
        entry = end.peers.erase(entry);
    }
    return events;
}

void waitOverEnet(Transport& transport, uint32_t waitMs) {
    if (!transport.enet || waitMs == 0 || !transport.enet->pending.empty()) return;
    // Everything already read was handed out by the last poll, so the
    // socket alone says whether something new has come.
    enet_uint32 condition = ENET_SOCKET_WAIT_RECEIVE | ENET_SOCKET_WAIT_INTERRUPT;
    enet_socket_wait(transport.enet->host->socket, &condition, waitMs);
}

void closeEnet(Transport& transport, uint32_t waitMs) {
    if (!transport.enet) return;
    EnetEnd& end = *transport.enet;
    for (const auto& [id, peer] : end.peers) enet_peer_disconnect_later(peer, 0);
    // A connection not yet answered has ended at once.
    std::erase_if(end.peers, [](const auto& entry) {
        return entry.second->state == ENET_PEER_STATE_DISCONNECTED;
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    // Serves the connections until the other ends acknowledge the goodbyes.
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (end.peers.empty() || left <= 0) break;
        ENetEvent event;
        const int served = enet_host_service(end.host, &event, static_cast<enet_uint32>(left));
        if (served < 0) break;
        if (served == 0) continue;
        if (event.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(event.packet);
        if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            std::erase_if(end.peers, [&](const auto& entry) { return entry.second == event.peer; });
        }
    }
    for (const auto& [id, peer] : end.peers) enet_peer_reset(peer);
    transport.enet.reset();
}
