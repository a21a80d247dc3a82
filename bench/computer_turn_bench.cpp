// The computer's turns against the frames of a person's, in one run of the
// real program's tick in a real window (under Xvfb and Mesa's software
// renderer where there is no GPU), with the game's own art: a two-player game
// in which player 1 only ends their phases, each of their movement phases
// shown for 30 frames, and player 2 is the computer.
//
// Counters, in wall-clock ms per tick (the frame, its swap and whatever else
// the tick does): human_map_median, the median frame of player 1's star map;
// computer_median and computer_slowest, every frame of the computer's turns
// but its battles' (a battle is drawn as every battle is); slowest_over_median,
// computer_slowest / human_map_median, which must stay at 2 or below; and the
// CPU time of the computer's own work per tick (its view, its plan, its
// action): decide_median and decide_slowest. Run from the build folder:
//   xvfb-run -a -s "-screen 0 1024x768x24" bench/brennolt_computer_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "game/commands.h"
#include "platform/program.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 12;
constexpr int kHumanMapFrames = 30;

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms.empty() ? 0.0 : ms[ms.size() / 2];
}

double wallMsOf(Program& program) {
    const auto start = Clock::now();
    runTick(program);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void ComputerTurnFrames(benchmark::State& state) {
    VideoSession video;
    auto program = std::make_unique<Program>();
    program->game.dataFolders.read = BRENNOLT_SOURCE_DIR "/Data";
    if (!video.ready || !openWindow(*program)) return state.SkipWithError("no window");
    startUp(*program);
    Game& game = program->game;
    game.session.teams[1] = 1;
    game.seats[1] = Seat::Computer;
    dispatchCommand(game, CommandId::BeginTurn);

    std::vector<double> human, computer, decide;
    for (auto _ : state) {
        for (int round = 0; round < kRounds && game.session.phase != GamePhase::GameOver; ++round) {
            dispatchCommand(game, CommandId::BeginTurn);
            for (int frame = 0; frame < kHumanMapFrames; ++frame)
                human.push_back(wallMsOf(*program));
            dispatchCommand(game, CommandId::EndMovement);
            dispatchCommand(game, CommandId::EndBattle);
            while (game.session.currentPlayer == 1 && game.session.phase != GamePhase::GameOver) {
                const bool battle = isBattlePhase(game.session.phase);
                // The computer's own share of the tick, measured apart.
                ComputerSeats copy = program->play.computers;
                Game before = game;
                const double cpuStart = cpuMs();
                stepComputerSeat(copy, before, program->clock(), [&](const PlayerCommand& command) {
                    applyCommand(before, command);
                });
                decide.push_back(cpuMs() - cpuStart);
                const double ms = wallMsOf(*program);
                if (!battle && !isBattlePhase(game.session.phase)) computer.push_back(ms);
            }
        }
    }
    state.counters["human_map_median"] = median(human);
    state.counters["computer_median"] = median(computer);
    state.counters["computer_slowest"] = *std::max_element(computer.begin(), computer.end());
    state.counters["slowest_over_median"] =
        state.counters["computer_slowest"] / state.counters["human_map_median"];
    state.counters["decide_median"] = median(decide);
    state.counters["decide_slowest"] = *std::max_element(decide.begin(), decide.end());
    closeWindow(*program);
}
BENCHMARK(ComputerTurnFrames)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
