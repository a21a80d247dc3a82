// The transport between ends of one process, over UDP on 127.0.0.1 and in-process
// with delay and jitter: whole messages in order, and every end hears of every end.
#include "net/transport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <thread>

namespace {

using Events = std::vector<TransportEvent>;
using Kind = TransportEventKind;

std::vector<uint8_t> bytesOf(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + i / 251);
    return bytes;
}

// Polls the ends every millisecond, adding to each one's events, until
// `done` holds or `limitMs` pass.
template <typename Done>
bool pollUntil(std::vector<Transport*> ends, std::vector<Events>& events, Done done,
               int limitMs = 6000) {
    events.resize(ends.size());
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done() && std::chrono::steady_clock::now() < end) {
        for (size_t i = 0; i < ends.size(); ++i)
            std::ranges::move(pollTransport(*ends[i]), std::back_inserter(events[i]));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

bool has(const Events& events, Kind kind, PeerId peer) {
    return std::ranges::any_of(events, [&](auto& e) { return e.kind == kind && e.peer == peer; });
}

std::vector<std::vector<uint8_t>> received(const Events& events, PeerId peer) {
    std::vector<std::vector<uint8_t>> messages;
    for (const auto& e : events)
        if (e.kind == Kind::Received && e.peer == peer) messages.push_back(e.bytes);
    return messages;
}

TEST(EnetTransport, HostAndJoinersExchangeWholeMessagesInOrderUntilTheyGo) {
    Transport host, first, second, taken;
    std::string error;
    ASSERT_TRUE(hostOverEnet(host, 0, error)) << error;
    const uint16_t port = listeningPort(host);
    ASSERT_NE(port, 0);
    EXPECT_FALSE(hostOverEnet(taken, port, error));
    EXPECT_EQ(error, "port " + std::to_string(port) + " is in use");

    std::vector<Events> events;
    ASSERT_TRUE(joinOverEnet(first, "127.0.0.1", port, error)) << error;
    ASSERT_TRUE(pollUntil({&host, &first}, events, [&] { return !events[1].empty(); }));
    ASSERT_TRUE(joinOverEnet(second, "127.0.0.1", port, error)) << error;
    std::vector<Transport*> ends{&host, &first, &second};
    ASSERT_TRUE(pollUntil(ends, events, [&] { return events[0].size() == 2; }));
    EXPECT_TRUE(has(events[0], Kind::Connected, 1) && has(events[0], Kind::Connected, 2));
    EXPECT_TRUE(has(events[1], Kind::Connected, kHostPeer));

    const std::vector<std::vector<uint8_t>> down{bytesOf(5, 1), bytesOf(1 << 20, 2), bytesOf(9, 3)};
    const std::vector<std::vector<uint8_t>> up{bytesOf(300, 4), bytesOf(3000, 5)};
    for (const auto& message : down) sendMessage(host, 1, message);
    for (const auto& message : up) sendMessage(second, kHostPeer, message);
    sendMessage(host, 9, bytesOf(4, 6));  // nobody: dropped
    ASSERT_TRUE(pollUntil(ends, events, [&] {
        return received(events[1], kHostPeer).size() == 3 && received(events[0], 2).size() == 2;
    }));
    EXPECT_EQ(received(events[1], kHostPeer), down);
    EXPECT_EQ(received(events[0], 2), up);

    disconnectPeer(first, kHostPeer);
    ASSERT_TRUE(pollUntil(ends, events, [&] {
        return has(events[0], Kind::Disconnected, 1) && has(events[1], Kind::Disconnected, 0);
    }));
    EXPECT_FALSE(has(events[0], Kind::Disconnected, 2));

    // The second joiner stops answering, and a third asks a port nobody holds:
    // both connections end within 5 s.
    Transport gone, lost;
    ASSERT_TRUE(hostOverEnet(gone, 0, error)) << error;
    const uint16_t freedPort = listeningPort(gone);
    closeTransport(gone, 0);
    ASSERT_TRUE(joinOverEnet(lost, "127.0.0.1", freedPort, error)) << error;
    events.clear();
    const auto bothGone = [&] {
        return has(events[0], Kind::Disconnected, 2) && has(events[1], Kind::Disconnected, 0);
    };
    EXPECT_TRUE(pollUntil({&host, &lost}, events, bothGone, 5000));
    for (Transport* end : {&host, &first, &second, &lost}) closeTransport(*end, 500);
    EXPECT_EQ(listeningPort(host), 0);
}

TEST(LoopbackTransport, KeepsOrderUnderJitterAfterTheDelay) {
    LoopbackNetwork network;
    network.delayMs = 50;
    network.jitterMs = 40;
    Transport host, first, second;
    hostOverLoopback(host, network);
    joinOverLoopback(first, network);
    joinOverLoopback(second, network);
    std::vector<Events> events(3);
    const auto step = [&](uint32_t ms) {
        advanceLoopback(network, ms);
        for (auto* end : {&host, &first, &second}) {
            for (auto& event : pollTransport(*end)) events[end->loopbackEnd].push_back(event);
        }
    };
    step(49);
    EXPECT_TRUE(events[0].empty() && events[1].empty());
    step(41);
    EXPECT_TRUE(has(events[0], Kind::Connected, 1) && has(events[0], Kind::Connected, 2));
    EXPECT_TRUE(has(events[2], Kind::Connected, kHostPeer));

    std::vector<std::vector<uint8_t>> sent;
    for (uint8_t i = 0; i < 30; ++i) {
        sent.push_back(bytesOf(3, i));
        sendMessage(first, kHostPeer, sent.back());
        step(3);
    }
    disconnectPeer(host, 2);
    sendMessage(host, 2, bytesOf(3, 0));  // after the end: dropped
    step(90);
    EXPECT_EQ(received(events[0], 1), sent);
    EXPECT_TRUE(has(events[0], Kind::Disconnected, 2) && has(events[2], Kind::Disconnected, 0));
    EXPECT_EQ(events[2].size(), 2u);
}

}  // namespace
