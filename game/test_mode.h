// Battle test mode: F2 starts one 5000-against-5000 battle after another,
// each logged to output.txt in the write folder with its result and wall-clock time; F12
// stops it and returns the program to the Setup screen.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

struct Game;

struct LogFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using LogFile = std::unique_ptr<std::FILE, LogFileCloser>;

struct TestHarness {
    bool running = false;
    LogFile log;                // none when output.txt could not be opened
    uint32_t battleNumber = 1;  // above 1: a battle was started and is not yet logged
    uint32_t totalTime = 0;     // ms of all logged battles
    int32_t side1Wins = 0;
    int32_t side2Wins = 0;
    uint32_t startTime = 0;
    uint32_t endTime = 0;
    int32_t side1Ships = 0;
    int32_t side2Ships = 0;
};

// One tick of the test mode, run before the clicks, on the same battle and
// phase as a game's battles. The key tables are the input's keys down and
// their edge latches by virtual-key code; clock is the millisecond clock now.
void runHarness(TestHarness& harness, Game& game, const std::array<bool, 256>& keyDown,
                std::array<bool, 256>& keyLatch, uint32_t clock);
