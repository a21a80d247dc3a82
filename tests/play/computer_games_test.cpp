// Whole games of computer against computer, in-process on a controlled clock:
// the computer's tick and the battle step at 16 ms frames, as the program runs
// them. Every game must end within 100 rounds, and the game must make sense
// after every tick.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/commands.h"
#include "game/game.h"
#include "game/game_invariants.h"
#include "play/frame_ticks.h"

namespace {

constexpr int kRoundLimit = 100;

struct Result {
    int rounds = 0;
    int battles = 0;
    std::string broken;
};

// Plays from Setup with every seat the computer's until the end screen or
// the round limit.
Result playComputers(Game& game, uint32_t seed) {
    PlayState play;
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
        tickWithoutFrame(game, play, clock);
        const GamePhase phase = game.session.phase;
        if (phase == GamePhase::TurnStart && previous != GamePhase::TurnStart) ++turns;
        if (isBattlePhase(phase) && !isBattlePhase(previous)) ++result.battles;
        previous = phase;
        result.broken = brokenInvariant(game);
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

// Where the computer's random choices come from: a new game from the start-up
// seed, so that a seed replays it; a loaded game, whose save holds no seed,
// from the clock.
TEST(ComputerGames, NewGamesFollowTheStartUpSeedLoadedOnesTheClock) {
    // Every planet the computer's: its two groups go out to look, where they please.
    auto firstCourses = [](uint32_t startupSeed, bool loaded, uint32_t clock) {
        Game game;
        initialiseGame(game);
        game.session.teams[1] = 1;
        game.seats[0] = Seat::Computer;
        game.startupSeed = startupSeed;
        dispatchCommand(game, CommandId::BeginTurn);
        game.gameLoaded = loaded;
        for (Planet& planet : game.planets) planet.owner = 0;
        PlayState play;
        for (int tick = 0; game.session.phase != GamePhase::BattlePhase && tick < 1000; ++tick)
            tickWithoutFrame(game, play, clock);
        std::vector<float> courses;
        for (const Group& group : game.registry.groups)
            if (group.owner == 0)
                courses.insert(courses.end(), {group.destinationX, group.destinationY});
        return courses;
    };
    EXPECT_EQ(firstCourses(7, false, 1000), firstCourses(7, false, 5000));
    EXPECT_NE(firstCourses(7, false, 1000), firstCourses(8, false, 1000));
    EXPECT_EQ(firstCourses(7, true, 1000), firstCourses(9, true, 1000));
    EXPECT_NE(firstCourses(7, true, 1000), firstCourses(7, true, 5000));
}
