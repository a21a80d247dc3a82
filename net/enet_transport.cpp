#include "net/enet_transport.h"
void EnetEndCloser::operator()(EnetEnd*) const {}
bool hostOverEnet(Transport&, uint16_t, std::string&) { return false; }
bool joinOverEnet(Transport&, const std::string&, uint16_t, std::string&) { return false; }
void sendOverEnet(Transport&, PeerId, std::span<const uint8_t>) {}
void disconnectOverEnet(Transport&, PeerId) {}
std::vector<TransportEvent> pollEnet(Transport&) { return {}; }
void closeEnet(Transport&, uint32_t) {}
uint16_t enetListeningPort(const Transport&) { return 0; }
