// The battle test mode's fight, 5000 against 5000 at 16 ms a frame, run to its
// end by the game's battle and by the plain reference battle (the literal
// linked-list walk of tests/battle/battle_oracle.h). Compare the two rows of
// one run: the time per iteration is one whole battle; the counter
// slowest_step_ms is its slowest single frame.
//
// Every iteration fights the same battle (same seed), so step i is the same
// work each time: each step's time is taken as its best over the iterations,
// which removes the other processes of a busy machine from the figure, and
// the slowest of these is reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

#include "battle/battle.h"
#include "battle/battle_oracle.h"
#include "random/random.h"

namespace {

constexpr int kShipsPerSide = 5000;
constexpr float kFrameSeconds = 0.016f;
constexpr uint32_t kSeed = 20240611u;

using Clock = std::chrono::steady_clock;

struct StepTimes {
    std::vector<double> bestMs;  // per step index
    int steps = 0;
    int volleys = 0;
    int attackersLeft = 0;
    int defendersLeft = 0;

    void record(int step, double ms) {
        if (static_cast<size_t>(step) >= bestMs.size())
            bestMs.resize(static_cast<size_t>(step) + 1, std::numeric_limits<double>::infinity());
        bestMs[static_cast<size_t>(step)] = std::min(bestMs[static_cast<size_t>(step)], ms);
    }
};

void report(benchmark::State& state, const StepTimes& times) {
    state.counters["slowest_step_ms"] = *std::max_element(times.bestMs.begin(), times.bestMs.end());
    state.counters["steps"] = times.steps;
    state.counters["volleys"] = times.volleys;
    state.counters["attackers_left"] = times.attackersLeft;
    state.counters["defenders_left"] = times.defendersLeft;
}

void BM_TestBattle_Game(benchmark::State& state) {
    StepTimes times;
    Battle battle;  // one Battle for all battles, as in the test mode
    for (auto _ : state) {
        state.PauseTiming();
        clearBattle(battle);
        Random random;
        seedRandom(random, kSeed);
        for (int i = 0; i < kShipsPerSide; ++i) addShip(battle, random, BattleSide::Attacker);
        for (int i = 0; i < kShipsPerSide; ++i) addShip(battle, random, BattleSide::Defender);
        state.ResumeTiming();

        int step = 0;
        bool over = false;
        times.volleys = 0;
        while (!over) {
            times.volleys += battle.volleyPending;
            const Clock::time_point start = Clock::now();
            over = advanceBattle(battle, random, kFrameSeconds);
            times.record(step++,
                         std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        times.steps = step;
        times.attackersLeft = battle.attackerCount;
        times.defendersLeft = battle.defenderCount;
    }
    report(state, times);
}

void BM_TestBattle_Reference(benchmark::State& state) {
    StepTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        oracle::Battle battle;
        oracle::Generator generator{kSeed};
        for (int i = 0; i < kShipsPerSide; ++i)
            oracle::addShip(battle, generator, oracle::kAttacker);
        for (int i = 0; i < kShipsPerSide; ++i)
            oracle::addShip(battle, generator, oracle::kDefender);
        state.ResumeTiming();

        int step = 0;
        bool over = false;
        times.volleys = 0;
        while (!over) {
            times.volleys += battle.volleyPending;
            const Clock::time_point start = Clock::now();
            over = oracle::advance(battle, generator, kFrameSeconds);
            times.record(step++,
                         std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        times.steps = step;
        times.attackersLeft = battle.attackerCount;
        times.defendersLeft = battle.defenderCount;

        state.PauseTiming();  // freeing the nodes is not part of the fight
        oracle::clear(battle);
        state.ResumeTiming();
    }
    report(state, times);
}

}  // namespace

BENCHMARK(BM_TestBattle_Game)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_TestBattle_Reference)->Unit(benchmark::kMillisecond)->Iterations(5);
