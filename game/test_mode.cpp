// Battle test mode: measures the battle simulation by running one large
// battle after another on the game's own Battle, exactly as a group battle
// runs, and logs each result and duration to output.txt in the write folder.
#include "game/test_mode.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "game/data_path.h"
#include "game/game.h"

namespace {

constexpr int kStartKey = 113;  // F2
constexpr int kStopKey = 123;   // F12
constexpr int kShipsPerSide = 5000;
constexpr int32_t kAttackerColour = 1;  // red
constexpr int32_t kDefenderColour = 2;  // green
constexpr const char* kLogName = "output.txt";
constexpr uint32_t kMsPerMinute = 60000;
constexpr uint32_t kMsPerSecond = 1000;

using KeyTable = std::array<bool, 256>;

// Acts once per press: true on the first tick that sees the key down, and
// again only after a tick has seen it up.
bool takeKeyPress(const KeyTable& keyDown, KeyTable& keyLatch, int key) {
    if (!keyDown[key]) {
        keyLatch[key] = false;
        return false;
    }
    if (keyLatch[key]) return false;
    keyLatch[key] = true;
    return true;
}

// Write errors are not reported; without a log the lines go nowhere.
[[gnu::format(printf, 2, 3)]] void writeLog(TestHarness& harness, const char* format, ...) {
    if (!harness.log) return;
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(harness.log.get(), format, arguments);
    va_end(arguments);
}

// So a run that is interrupted still leaves every line written so far.
void flushLog(TestHarness& harness) {
    if (harness.log) std::fflush(harness.log.get());
}

int minutesOf(uint32_t ms) { return static_cast<int>(ms / kMsPerMinute); }
int secondsOf(uint32_t ms) { return static_cast<int>(ms % kMsPerMinute / kMsPerSecond); }
int millisecondsOf(uint32_t ms) { return static_cast<int>(ms % kMsPerMinute % kMsPerSecond); }

void startHarness(TestHarness& harness, const DataFolders& folders) {
    harness.log.reset();  // a restart must not leak the earlier log
    harness.running = true;
    const std::string path = dataPath(folders.write, kLogName);
    if (prepareWriteFolder(folders)) harness.log.reset(std::fopen(path.c_str(), "w"));
    if (!harness.log) {
        std::fprintf(stderr,
                     "Brennolt: cannot open %s for writing (%s); the battle test runs without a "
                     "log\n",
                     path.c_str(), std::strerror(errno));
    }
    harness.battleNumber = 1;
    harness.totalTime = 0;
    harness.side2Wins = 0;
    harness.side1Wins = 0;
}

void stopHarness(TestHarness& harness, Game& game) {
    harness.running = false;
    returnToSetup(game);  // empties the battle too
    writeLog(harness, "--==Simulation Ended By User==--\n");
    harness.log.reset();
}

void logExpectedResult(TestHarness& harness) {
    const int32_t side1 = harness.side1Ships;
    const int32_t side2 = harness.side2Ships;
    if (side1 > side2) {
        writeLog(harness, "Expected result: Player1 by %d ships\n", side1 - side2);
    } else if (side2 > side1) {
        writeLog(harness, "Expected result: Player2 by %d ships\n", side2 - side1);
    } else {
        writeLog(harness, "Expected result: Draw\n");
    }
}

void logActualResult(TestHarness& harness, const BattleOutcome& outcome) {
    const int32_t attackers = outcome.attackerCount;
    const int32_t defenders = outcome.defenderCount;
    if (attackers > 0 && defenders == 0) {
        writeLog(harness, "Actual result: Player1 by %d ships\n", attackers);
        harness.side1Wins += 1;
    } else if (attackers == 0 && defenders > 0) {
        writeLog(harness, "Actual result: Player2 by %d ships\n", defenders);
        harness.side2Wins += 1;
    } else {
        writeLog(harness, "Actual result: Draw!!!\n");
    }
}

void logFinishedBattle(TestHarness& harness, Game& game, uint32_t clock) {
    harness.endTime = clock;
    logExpectedResult(harness);
    logActualResult(harness, game.lastOutcome);

    const uint32_t time = harness.endTime - harness.startTime;
    writeLog(harness, "Battle time: %dM %dS %dm\n", minutesOf(time), secondsOf(time),
             millisecondsOf(time));
    harness.totalTime += time;
    const uint32_t average = harness.totalTime / (harness.battleNumber - 1);
    writeLog(harness, "Average time: %dM %dS %dm\n", minutesOf(average), secondsOf(average),
             millisecondsOf(average));
    writeLog(harness, "P1 Wins: %d     P2 Wins: %d\n", harness.side1Wins, harness.side2Wins);
    writeLog(harness, "\n");
    emptyBattle(game);
}

void startBattle(TestHarness& harness, Game& game, uint32_t clock) {
    harness.startTime = clock;
    harness.side1Ships = kShipsPerSide;
    harness.side2Ships = kShipsPerSide;
    fillBattle(game.battle, game.random, kShipsPerSide, kShipsPerSide);
    // The sources stay -1, so the battle's write-back touches no group or planet.
    game.battle.attackerColour = kAttackerColour;
    game.battle.defenderColour = kDefenderColour;
    enterPhase(game, GamePhase::GroupBattle);
    writeLog(harness, "Battle %d:\n", static_cast<int>(harness.battleNumber));
    harness.battleNumber += 1;
    writeLog(harness, "%d VS %d\n", harness.side1Ships, harness.side2Ships);
}

}  // namespace

void runHarness(TestHarness& harness, Game& game, const std::array<bool, 256>& keyDown,
                std::array<bool, 256>& keyLatch, uint32_t clock) {
    if (takeKeyPress(keyDown, keyLatch, kStartKey)) startHarness(harness, game.dataFolders);
    if (takeKeyPress(keyDown, keyLatch, kStopKey) && harness.running) stopHarness(harness, game);
    // A game's planet battle counts as well: the test mode waits for it to end
    // rather than pouring its own ships into it.
    if (!harness.running || isBattlePhase(game.session.phase)) return;

    if (harness.battleNumber > 1) logFinishedBattle(harness, game, clock);
    startBattle(harness, game, clock);
    flushLog(harness);
}
