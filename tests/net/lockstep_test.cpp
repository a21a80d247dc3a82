// Lockstep over the in-process network: who may join, which commands the
// host refuses from the stream, each refusal leaving every machine's game as
// it was, and what a joiner keeps of a game whose host is gone.
#include "net/lockstep.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "game/commands.h"
#include "game/game.h"
#include "game/rules_state.h"
#include "game/save_file.h"
#include "play/tick.h"

namespace {

constexpr const char* kCode = "CODE2345";

struct Machine {
    Game game;
    PlayState play;
    NetGame net;
};

// A host of three players with seats 2 and 3 open, and the machines that
// join it, ticked together at 16 ms frames.
struct Table {
    LoopbackNetwork network;
    std::vector<std::unique_ptr<Machine>> machines;

    Table() {
        network.delayMs = 20;
        Machine& host = add();
        dispatchCommand(host.game, CommandId::IncreasePlayers);
        hostNetGame(host.net, host.game, host.play);
        host.game.network.joinCode = kCode;
        host.game.seats[1] = host.game.seats[2] = Seat::Open;
        refreshSetupStart(host.game);
        hostOverLoopback(host.net.transport, network);
    }
    Machine& add() {
        machines.push_back(std::make_unique<Machine>());
        initialiseGame(machines.back()->game);
        return *machines.back();
    }
    Machine& join(const std::string& code, int seat, uint64_t token = 0) {
        Machine& joiner = add();
        joinNetGame(joiner.net, joiner.game, joiner.play, code, seat);
        joiner.net.token = token;
        joinOverLoopback(joiner.net.transport, network);
        settle();
        return joiner;
    }
    void settle() {
        for (int tick = 0; tick < 20; ++tick) {
            for (auto& machine : machines) {
                netBeforeFrame(machine->net, machine->game, machine->play, 1000);
                playAfterFrame(machine->game, machine->play, 16);
                netAfterFrame(machine->net, machine->game, machine->play);
            }
            advanceLoopback(network, 16);
        }
    }
    Game& host() { return machines.front()->game; }
    bool agree() {
        for (auto& machine : machines)
            if (rulesFingerprint(machine->game) != rulesFingerprint(host())) return false;
        return true;
    }
};

bool noted(const NetGame& net, const std::string& words) {
    return !net.notes.empty() && net.notes.back().find(words) != std::string::npos;
}

}  // namespace

TEST(Lockstep, RefusedJoinsAndCommandsChangeNothing) {
    Table table;
    Machine& wrong = table.join("WRONG234", 1);
    EXPECT_TRUE(wrong.game.quitRequested);
    EXPECT_EQ(wrong.game.exitCode, 1);
    EXPECT_TRUE(noted(table.machines.front()->net, "wrong join code"));
    EXPECT_EQ(table.host().network.seatMachine[1], 0);
    table.machines.pop_back();

    Machine& second = table.join(kCode, 1);
    EXPECT_FALSE(table.host().buttons.buttons[static_cast<int>(CommandId::BeginTurn)].visible)
        << "a seat is still open";
    Machine& third = table.join(kCode, 2);
    EXPECT_EQ(second.game.network.here, 1);
    EXPECT_EQ(third.game.network.here, 2);
    table.machines.front()->play.send(pressButton(0, static_cast<int>(CommandId::BeginTurn)));
    table.settle();
    ASSERT_EQ(table.host().session.phase, GamePhase::TurnStart);
    ASSERT_TRUE(table.agree());

    for (uint64_t token : {uint64_t{0}, third.net.token + 1}) {
        Machine& late = table.join(kCode, -1, token);
        EXPECT_TRUE(late.game.quitRequested) << token;
        EXPECT_TRUE(noted(table.machines.front()->net, "already begun")) << token;
        table.machines.pop_back();
    }

    // Player 2's turn: seat 2's machine acts for the host's seat, then seat
    // 3's machine for its own seat out of its turn.
    for (CommandId id :
         {CommandId::BeginTurn, CommandId::EndMovement, CommandId::EndBattle, CommandId::BeginTurn})
        table.machines[id == CommandId::BeginTurn && table.host().session.currentPlayer == 1]
            ->play.send(pressButton(table.host().session.currentPlayer, static_cast<int>(id)));
    table.settle();
    ASSERT_EQ(table.host().session.currentPlayer, 1);
    ASSERT_EQ(table.host().session.phase, GamePhase::Movement);
    const uint64_t before = rulesFingerprint(table.host());
    const struct {
        const char* what;
        Machine& from;
        PlayerCommand command;
        const char* why;
    } refusals[] = {
        {"another machine's seat", second, pressButton(0, static_cast<int>(CommandId::BeginTurn)),
         "not a seat that machine plays"},
        {"out of turn", third, pressButton(2, static_cast<int>(CommandId::BeginTurn)),
         "not this player's turn"},
    };
    for (const auto& refusal : refusals) {
        refusal.from.play.send(refusal.command);
        EXPECT_TRUE(refusal.from.play.waiting) << refusal.what;
        table.settle();
        EXPECT_TRUE(noted(table.machines.front()->net, refusal.why)) << refusal.what;
        EXPECT_FALSE(refusal.from.play.waiting) << refusal.what;
        EXPECT_EQ(rulesFingerprint(table.host()), before) << refusal.what;
        EXPECT_TRUE(table.agree()) << refusal.what;
    }

    // A command sent again, as a retransmission would, is taken once.
    for (const Group& group : table.host().registry.groups)
        if (group.owner == 1) second.play.send(commandOn(CommandKind::SelectGroup, 1, group.id));
    second.play.send(pressButton(1, static_cast<int>(CommandId::SplitGroup)));
    Message again;
    again.kind = MessageKind::Command;
    again.command =
        commandOn(CommandKind::PressSelectorControl, 1, static_cast<int>(SelectorControl::Plus1));
    second.play.send(again.command);
    table.settle();
    const uint64_t once = rulesFingerprint(table.host());
    EXPECT_NE(once, before);
    again.index = second.net.commandsSent;
    sendMessage(second.net.transport, kHostPeer, encodeMessage(again));
    table.settle();
    EXPECT_TRUE(noted(table.machines.front()->net, "a repeated command from machine 1"));
    EXPECT_EQ(rulesFingerprint(table.host()), once);
    EXPECT_TRUE(table.agree());

    // Seat 3's machine sends what no joiner may: it is cut off at the tenth
    // and the computer takes its seat.
    const uint64_t token = third.net.token;
    for (int count = 0; count < kMostBadMessages; ++count) {
        Message bad;
        bad.kind = count % 2 == 0 ? MessageKind::Hello : MessageKind::Stream;
        bad.machine = 0;
        std::vector<uint8_t> bytes = encodeMessage(bad);
        if (count % 3 == 0) bytes.pop_back();  // no message at all
        sendMessage(third.net.transport, kHostPeer, bytes);
    }
    table.settle();
    EXPECT_TRUE(noted(third.net, "connection to the host was lost"));
    table.machines.pop_back();
    EXPECT_TRUE(noted(table.machines.front()->net, "Player 3 left: the computer plays for them"));
    EXPECT_EQ(table.host().seats[2], Seat::ComputerNormal);
    EXPECT_TRUE(table.agree());

    // It comes back with its token, and its seat with it at the next turn
    // screen, once player 2 has ended the turn.
    Machine& back = table.join(kCode, -1, token);
    EXPECT_FALSE(back.game.quitRequested);
    EXPECT_EQ(table.host().seats[2], Seat::ComputerNormal);
    for (const PlayerCommand& command : {commandOn(CommandKind::CancelSelection, 1, -1),
                                         pressButton(1, static_cast<int>(CommandId::EndMovement)),
                                         pressButton(1, static_cast<int>(CommandId::EndBattle))}) {
        second.play.send(command);
        table.settle();
    }
    EXPECT_TRUE(noted(back.net, "Player 3 is back"));
    EXPECT_EQ(table.host().seats[2], Seat::Open);
    EXPECT_EQ(table.host().network.seatMachine[2], 2);
    EXPECT_EQ(back.game.network.here, 2);
    EXPECT_TRUE(table.agree());

    // The host goes: each joiner keeps the turn screen it last reached (the
    // one it came back at, for the third), each in a file of its own though
    // both save in one second, and plays on alone from its Setup screen.
    char folder[] = "/tmp/lockstep-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::vector<std::vector<uint8_t>> turnScreens;
    for (Machine* joiner : {&second, &back}) {
        joiner->game.dataFolders.write = folder;
        joiner->net.wallClock = [] { return std::time_t{1800000000}; };
        turnScreens.push_back(encodeSave(joiner->game));
        joiner->game.planets[0].ships += 1;  // not what is kept
    }
    leaveNetGame(table.machines.front()->net);
    table.settle();
    std::vector<std::string> names;
    for (Machine* joiner : {&second, &back}) {
        const std::string& line = joiner->net.notes.back();
        names.push_back(line.substr(std::min(line.find("Save-network-"), line.size())));
        std::ifstream file(std::string(folder) + "/" + names.back(), std::ios::binary);
        EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {}),
                  turnScreens[names.size() - 1])
            << line;
        EXPECT_EQ(joiner->game.session.phase, GamePhase::Setup);
        EXPECT_FALSE(joiner->game.network.on);
        EXPECT_TRUE(joiner->game.buttons.buttons[static_cast<int>(CommandId::BeginTurn)].visible);
    }
    EXPECT_NE(names[0], names[1]) << "the second save went over the first";
    std::filesystem::remove_all(folder);
}
