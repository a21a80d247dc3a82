// The battle test mode driven tick by tick with its own key tables and clock:
// the log it writes, line by line, and what F2 and F12 do to the game. The
// battles' ends are set directly (phase and final counts) rather than fought.
#include "game/test_mode.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "data_folder.h"
#include "game/commands.h"
#include "game/game.h"

namespace {

constexpr int kF2 = 113;
constexpr int kF12 = 123;

int countOpenFiles() {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

class TestHarnessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ready());
        initialiseGame(game);
    }

    void TearDown() override { harness.log.reset(); }

    void tick(uint32_t clock) { runHarness(harness, game, keyDown, keyLatch, clock); }

    // A key pressed and seen by one tick, then released and seen by another.
    void tap(int key, uint32_t clock) {
        keyDown[key] = true;
        tick(clock);
        keyDown[key] = false;
        tick(clock);
    }

    // What the battle step leaves when a battle is over.
    void finishBattle(int attackers, int defenders) {
        game.lastOutcome = {attackers, defenders};
        emptyBattle(game);
        game.session.phase = GamePhase::BattlePhase;
    }

    static std::string log() { return readFile("Data/output.txt"); }

    DataFolder folder;
    Game game;
    TestHarness harness;
    std::array<bool, 256> keyDown{};
    std::array<bool, 256> keyLatch{};
};

TEST_F(TestHarnessTest, FirstTickWritesOnlyTheFirstBattleHeader) {
    keyDown[kF2] = true;
    tick(1000);

    EXPECT_EQ(log(), "Battle 1:\n5000 VS 5000\n");
    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(game.battle.attackerCount, 5000);
    EXPECT_EQ(game.battle.defenderCount, 5000);
    EXPECT_EQ(game.battle.attackerColour, 1);
    EXPECT_EQ(game.battle.defenderColour, 2);
    EXPECT_EQ(game.battleSources.attackerSource, -1);
    EXPECT_EQ(game.battleSources.defenderSource, -1);

    // While the battle runs the test mode only waits.
    for (uint32_t clock = 1016; clock < 1200; clock += 16) tick(clock);
    EXPECT_EQ(log(), "Battle 1:\n5000 VS 5000\n");
    EXPECT_EQ(game.battle.attackerCount, 5000);
}

TEST_F(TestHarnessTest, LogOfARunReadsLineByLine) {
    tap(kF2, 1000);
    finishBattle(120, 0);  // attackers win after 1M 23S 456m
    tick(1000 + 83456);
    finishBattle(0, 37);  // defenders win: 150000 ms for both, average 1M 15S 0m
    tick(151000);
    finishBattle(0, 0);  // both sides gone in the same volley
    tick(152001);
    tap(kF12, 160000);

    EXPECT_EQ(log(),
              "Battle 1:\n"
              "5000 VS 5000\n"
              "Expected result: Draw\n"
              "Actual result: Player1 by 120 ships\n"
              "Battle time: 1M 23S 456m\n"
              "Average time: 1M 23S 456m\n"
              "P1 Wins: 1     P2 Wins: 0\n"
              "\n"
              "Battle 2:\n"
              "5000 VS 5000\n"
              "Expected result: Draw\n"
              "Actual result: Player2 by 37 ships\n"
              "Battle time: 1M 6S 544m\n"
              "Average time: 1M 15S 0m\n"
              "P1 Wins: 1     P2 Wins: 1\n"
              "\n"
              "Battle 3:\n"
              "5000 VS 5000\n"
              "Expected result: Draw\n"
              "Actual result: Draw!!!\n"
              "Battle time: 0M 1S 1m\n"
              "Average time: 0M 50S 333m\n"  // 151001 / 3, the fraction dropped
              "P1 Wins: 1     P2 Wins: 1\n"
              "\n"
              "Battle 4:\n"
              "5000 VS 5000\n"
              "--==Simulation Ended By User==--\n");
}

TEST_F(TestHarnessTest, BattleTimeSpansTheClockWrapping) {
    tap(kF2, 0xFFFFFF00u);
    finishBattle(1, 0);
    tick(0x100u);
    EXPECT_NE(log().find("Battle time: 0M 0S 512m\nAverage time: 0M 0S 512m\n"), std::string::npos)
        << log();
}

TEST_F(TestHarnessTest, HeldF2StartsOnceAndAPressAfterAReleaseStartsOver) {
    keyDown[kF2] = true;
    tick(1000);
    finishBattle(10, 0);
    tick(2000);  // still held: battle 1 is logged and battle 2 starts
    for (uint32_t clock = 2100; clock < 3000; clock += 100) tick(clock);
    EXPECT_NE(log().find("P1 Wins: 1     P2 Wins: 0\n\nBattle 2:\n5000 VS 5000\n"),
              std::string::npos)
        << log();

    keyDown[kF2] = false;
    tick(3000);
    keyDown[kF2] = true;
    tick(3100);  // battle 2 still runs: the fresh log waits for it
    EXPECT_EQ(log(), "");
    finishBattle(0, 5);
    tick(4000);  // the battle that was running when F2 came is not logged
    finishBattle(0, 7);
    tick(5000);
    EXPECT_EQ(log(),
              "Battle 1:\n5000 VS 5000\n"
              "Expected result: Draw\n"
              "Actual result: Player2 by 7 ships\n"
              "Battle time: 0M 1S 0m\n"
              "Average time: 0M 1S 0m\n"
              "P1 Wins: 0     P2 Wins: 1\n"
              "\n"
              "Battle 2:\n5000 VS 5000\n");
}

TEST_F(TestHarnessTest, SecondF2ClosesTheEarlierLog) {
    tap(kF2, 1000);
    const int openWithLog = countOpenFiles();
    for (uint32_t restart = 0; restart < 5; ++restart) tap(kF2, 2000 + restart);
    EXPECT_EQ(countOpenFiles(), openWithLog);
    tap(kF12, 3000);
    EXPECT_EQ(countOpenFiles(), openWithLog - 1);
}

TEST_F(TestHarnessTest, UnopenableLogIsReportedOnceAndTheBattlesStillRun) {
    std::filesystem::remove_all("Data");
    ::testing::internal::CaptureStderr();
    tap(kF2, 1000);
    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(game.battle.attackerCount, 5000);
    finishBattle(3, 0);
    tick(2000);
    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(harness.battleNumber, 3u);
    EXPECT_EQ(harness.side1Wins, 1);
    tap(kF12, 3000);
    const std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(game.session.phase, GamePhase::Setup);
    EXPECT_FALSE(std::filesystem::exists("Data/output.txt"));
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;  // one line
    EXPECT_NE(errors.find("Data/output.txt"), std::string::npos) << errors;
}

TEST_F(TestHarnessTest, F2DuringAPlanetBattleWaitsForItsEnd) {
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::BeginTurn);
    setShips(game.registry, game.registry.groups.front().id, 3);
    game.planets[4].ships = 2;
    ASSERT_TRUE(startPlanetBattle(game, game.registry.groups.front().id, 4));

    tap(kF2, 1000);
    EXPECT_EQ(game.session.phase, GamePhase::PlanetBattle);
    EXPECT_EQ(game.battle.attackerCount, 3);
    EXPECT_EQ(game.battle.defenderCount, 2);
    EXPECT_EQ(log(), "");

    finishBattle(3, 0);
    tick(9000);
    EXPECT_EQ(log(), "Battle 1:\n5000 VS 5000\n");
    EXPECT_EQ(game.battle.attackerCount, 5000);
    EXPECT_EQ(game.battle.defenderCount, 5000);
    EXPECT_EQ(game.battleSources.attackerSource, -1);
}

TEST_F(TestHarnessTest, F12ReturnsToTheSetupScreenForANewGame) {
    dispatchCommand(game, CommandId::IncreasePlayers);
    cycleTeam(game.session, 2);
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::BeginTurn);
    game.session.selectedGroupId = game.registry.groups.front().id;
    game.intel[0].knownOwner[5] = 1;
    ASSERT_EQ(game.session.phase, GamePhase::Movement);

    tap(kF2, 1000);
    ASSERT_EQ(game.session.phase, GamePhase::GroupBattle);
    tap(kF12, 2000);

    EXPECT_EQ(game.session.phase, GamePhase::Setup);
    EXPECT_TRUE(game.battle.ships.empty());
    EXPECT_EQ(game.battle.attackerCount, 0);
    EXPECT_EQ(game.battle.defenderCount, 0);
    EXPECT_EQ(countGroups(game.registry), 0);
    EXPECT_EQ(game.intel[0].knownOwner[5], -1);
    EXPECT_EQ(game.session.selectedGroupId, -1);
    EXPECT_EQ(game.session.playerCount, 3);
    EXPECT_EQ(game.session.teams[2], 1);
    for (int id = 0; id < kButtonCount; ++id) {
        const bool startUp = id == 14 || id == 15 || id == 16 || id == 19 || id == 20;
        EXPECT_EQ(game.buttons.buttons[id].visible, startUp) << "button " << id;
    }
    EXPECT_EQ(log(), "Battle 1:\n5000 VS 5000\n--==Simulation Ended By User==--\n");

    // And a new game begins as from a fresh start.
    dispatchCommand(game, CommandId::BeginTurn);
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(countGroups(game.registry), 6);
}

TEST_F(TestHarnessTest, F12WhileIdleChangesNothing) {
    dispatchCommand(game, CommandId::BeginTurn);
    const int groups = countGroups(game.registry);
    tap(kF12, 1000);
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(countGroups(game.registry), groups);
    EXPECT_FALSE(std::filesystem::exists("Data/output.txt"));
}

}  // namespace
