// A host with one machine joined, in a game that has begun: the joined
// machine is only a transport end, so whatever it sends is the caller's
// bytes. It plays player 1, whose turn comes first; the host's computer plays
// player 2. The host fuzzer plays on it and the seed writer writes for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/commands.h"
#include "game/game.h"
#include "net/lockstep.h"
#include "play/tick.h"

constexpr const char* kHostGameCode = "FUZZ2345";
constexpr uint32_t kHostGameFrameMs = 16;

struct HostGame {
    LoopbackNetwork network;
    Game game;
    PlayState play;
    NetGame net;
    Transport joiner;
    uint32_t clock = 0;

    // Delivers what was sent, runs one tick of the host and returns what
    // reached the joined machine's end.
    std::vector<TransportEvent> tick() {
        advanceLoopback(network, kHostGameFrameMs);
        clock += kHostGameFrameMs;
        netBeforeFrame(net, game, play, clock);
        playAfterFrame(game, play, kHostGameFrameMs);
        netAfterFrame(net, game, play);
        advanceLoopback(network, kHostGameFrameMs);
        return pollTransport(joiner);
    }
    void sendFromJoiner(const std::vector<uint8_t>& bytes) {
        sendMessage(joiner, kHostPeer, bytes);
    }
};

// False where the join or the start did not come about.
inline bool startHostGame(HostGame& host) {
    initialiseGame(host.game);
    host.game.seats[0] = Seat::Open;
    host.game.seats[1] = Seat::ComputerNormal;
    hostNetGame(host.net, host.game, host.play);
    host.game.network.joinCode = kHostGameCode;
    refreshSetupStart(host.game);
    hostOverLoopback(host.net.transport, host.network);
    joinOverLoopback(host.joiner, host.network);
    Message hello;
    hello.kind = MessageKind::Hello;
    hello.number = host.net.buildCheck;
    hello.text = kHostGameCode;
    hello.seat = 0;
    host.tick();
    host.sendFromJoiner(encodeMessage(hello));
    host.tick();
    host.play.send(pressButton(0, static_cast<int>(CommandId::BeginTurn)));
    host.tick();
    return host.net.started && host.game.network.seatMachine[0] == 1 &&
           host.game.session.phase == GamePhase::TurnStart && host.game.session.currentPlayer == 0;
}
