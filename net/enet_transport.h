// The ENet side of the transport, for transport.cpp alone: one call for each
// operation of the record when its kind is Enet.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "net/transport.h"

void sendOverEnet(Transport& transport, PeerId peer, std::span<const uint8_t> bytes);
void disconnectOverEnet(Transport& transport, PeerId peer);
std::vector<TransportEvent> pollEnet(Transport& transport);
void waitOverEnet(Transport& transport, uint32_t waitMs);
void closeEnet(Transport& transport, uint32_t waitMs);
uint16_t enetListeningPort(const Transport& transport);
