// Whole games of computer against computer, in-process on a controlled clock:
// the computer's tick and the battle step at 16 ms frames, as the program runs
// them. Every game must end within 100 rounds, and the game must make sense
// after every tick.
#include <gtest/gtest.h>

#include <string>

#include "ai/computer_seat.h"
#include "fuzz/game_invariants.h"
#include "game/commands.h"
#include "game/game.h"

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int kRoundLimit = 100;

struct Result {
    int rounds = 0;
    int battles = 0;
    std::string broken;
};

// Plays from Setup with every seat the computer's until the end screen or
// the round limit.
Result playComputers(Game& game, uint32_t seed) {
    ComputerSeats computers;
    game.startupSeed = seed;
    seedRandom(game.random, seed);
    game.seats.fill(Seat::Computer);
    dispatchCommand(game, CommandId::BeginTurn);
    Result result;
    uint32_t clock = 0;
    int turns = 0;
    GamePhase previous = game.session.phase;
    while (game.session.phase != GamePhase::GameOver &&
           turns < kRoundLimit * game.session.playerCount) {
        stepComputerSeat(computers, game, clock);
        if (isBattlePhase(game.session.phase)) battleStep(game, kFrameMs);
        clock += kFrameMs;
        const GamePhase phase = game.session.phase;
        if (phase == GamePhase::TurnStart && previous != GamePhase::TurnStart) ++turns;
        if (isBattlePhase(phase) && !isBattlePhase(previous)) ++result.battles;
        previous = phase;
        result.broken = firstBrokenInvariant(game);
        if (!result.broken.empty()) break;
    }
    result.rounds = turns / game.session.playerCount;
    return result;
}

}  // namespace

// Computers allied against one: the games the easy level ends well within
// the limit (two alone, evenly matched, take longer).
TEST(ComputerGames, AlliedComputersBeatALoneOneWithEveryInvariantHolding) {
    struct Case {
        Teams teams;
        int players;
        uint32_t seed;
    };
    for (const Case& c :
         {Case{{0, 0, 0, 1}, 4, 1}, Case{{0, 0, 0, 1}, 4, 3}, Case{{0, 0, 1}, 3, 2}}) {
        SCOPED_TRACE("seed " + std::to_string(c.seed));
        Game game;
        initialiseGame(game);
        for (int i = kMinPlayers; i < c.players; ++i)
            dispatchCommand(game, CommandId::IncreasePlayers);
        game.session.teams = c.teams;
        const Result result = playComputers(game, c.seed);
        EXPECT_EQ(result.broken, "");
        EXPECT_EQ(game.session.phase, GamePhase::GameOver)
            << "after " << result.rounds << " rounds";
        EXPECT_EQ(game.winningTeam, 0);
        EXPECT_GT(result.battles, 20);
    }
}
