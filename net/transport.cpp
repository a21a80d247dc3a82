// The transport's calls, each handed to the side of the record's kind.
#include "net/transport.h"

#include "net/enet_transport.h"
#include "net/loopback_transport.h"

uint16_t listeningPort(const Transport& transport) {
    return transport.kind == TransportKind::Enet ? enetListeningPort(transport) : 0;
}

void sendMessage(Transport& transport, PeerId peer, std::span<const uint8_t> bytes) {
    switch (transport.kind) {
        case TransportKind::Enet: sendOverEnet(transport, peer, bytes); break;
        case TransportKind::Loopback: sendOverLoopback(transport, peer, bytes); break;
        case TransportKind::None: break;
    }
}

void disconnectPeer(Transport& transport, PeerId peer) {
    switch (transport.kind) {
        case TransportKind::Enet: disconnectOverEnet(transport, peer); break;
        case TransportKind::Loopback: disconnectOverLoopback(transport, peer); break;
        case TransportKind::None: break;
    }
}

std::vector<TransportEvent> pollTransport(Transport& transport) {
    switch (transport.kind) {
        case TransportKind::Enet: return pollEnet(transport);
        case TransportKind::Loopback: return pollLoopback(transport);
        case TransportKind::None: break;
    }
    return {};
}

void closeTransport(Transport& transport, uint32_t waitMs) {
    switch (transport.kind) {
        case TransportKind::Enet: closeEnet(transport, waitMs); break;
        case TransportKind::Loopback:
            if (!transport.hosting) disconnectOverLoopback(transport, kHostPeer);
            break;
        case TransportKind::None: break;
    }
    transport.kind = TransportKind::None;
}
