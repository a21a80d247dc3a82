// The in-process side of the transport, for transport.cpp alone: one call for
// each operation of the record when its kind is Loopback.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "net/transport.h"

void sendOverLoopback(Transport& transport, PeerId peer, std::span<const uint8_t> bytes);
void disconnectOverLoopback(Transport& transport, PeerId peer);
std::vector<TransportEvent> pollLoopback(Transport& transport);
