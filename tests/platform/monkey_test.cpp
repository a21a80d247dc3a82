// A monkey at the mouse: random presses of random length, releases, moves and
// right clicks all over the window, fed through the real event queue and the
// real tick on a controlled clock, in several games, every other one loaded
// from a save whose groups stand on planets and face enemies. After every
// tick the game must still make sense, and the games must have passed
// through every phase and fought battles of both kinds.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "game/commands.h"
#include "game/game_invariants.h"
#include "game/save_file.h"
#include "window_fixture.h"

namespace {

constexpr int kGames = 4;
constexpr int kTicksPerGame = 5000;
constexpr int kQuit = static_cast<int>(CommandId::QuitGame);

// The buttons each phase can ever offer, by the turn flow.
std::set<int> buttonsOfferedIn(GamePhase phase) {
    switch (phase) {
        case GamePhase::Setup: return {14, 15, 16, 19, 20};
        case GamePhase::TurnStart: return {13, 15, 16};
        case GamePhase::Movement: return {0, 1, 4, 5, 8, 9, 10, 11, 15};
        case GamePhase::BattlePhase:
        case GamePhase::GroupBattle:
        case GamePhase::PlanetBattle: return {1, 2, 3, 4, 5, 6, 7, 12, 15};
        case GamePhase::GameOver: return {15, 21};
    }
    return {};
}

// What must hold after any tick, the buttons each phase offers included;
// empty when it does.
std::string brokenRule(const Game& game) {
    const std::set<int> offered = buttonsOfferedIn(game.session.phase);
    for (int index = 0; index < kButtonCount; ++index) {
        if (game.buttons.buttons[index].visible && !offered.count(index))
            return "button " + std::to_string(index) + " offered in phase " +
                   std::to_string(static_cast<int>(game.session.phase));
    }
    return brokenInvariant(game);
}

struct Monkey {
    std::mt19937 random;
    int presses = 0;
    int releases = 0;
    int moves = 0;
    int rightClicks = 0;

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // Most moves land anywhere; some aim at what the game shows, so that the
    // games get past the screens into movements and battles.
    SDL_Event move(const Game& game) {
        ++moves;
        const auto& buttons = game.buttons.buttons;
        // A fight on offer is taken more often than not: its slot in the
        // first button column, which closes up over hidden buttons.
        std::vector<int> fights;
        for (int fight : {2, 3})
            if (buttons[fight].visible) fights.push_back(fight);
        if (!fights.empty() && below(3) > 0) {
            const int fight = fights[below(static_cast<int>(fights.size()))];
            int slot = 0;
            for (int index = 0; index < fight; ++index) slot += buttons[index].visible;
            return mouseMove(2 + below(30), 300 - (-190 + 35 * slot + 1 + below(30)));
        }
        const int aim = below(10);
        const std::vector<Group>& groups = game.registry.groups;
        if (aim < 3 && !groups.empty()) {
            // Mostly the current player's own, which a click selects.
            std::vector<const Group*> own;
            for (const Group& group : groups)
                if (group.owner == game.session.currentPlayer) own.push_back(&group);
            const Group& group = !own.empty() && below(3) > 0
                                     ? *own[below(static_cast<int>(own.size()))]
                                     : groups[below(static_cast<int>(groups.size()))];
            return mouseMove(static_cast<int>(group.x) + 400 + below(5) - 2,
                             300 - static_cast<int>(group.y) + below(5) - 2);
        }
        if (aim < 5) {
            const Planet& planet = game.planets[below(kPlanetCount)];
            return mouseMove(static_cast<int>(planet.x) + 400, 300 - static_cast<int>(planet.y));
        }
        if (aim == 5) return mouseMove(below(240), 300 + below(300));  // the button corner
        if (aim == 6) {  // a slot of the two button columns
            return mouseMove(1 + below(2) * 35 + below(32),
                             300 - (-190 + 35 * below(8) + below(32)));
        }
        if (aim == 7) {
            // What moves the game on: "Begin your turn" on the screens, the
            // spot of the button that ends a phase on the map.
            const GamePhase phase = game.session.phase;
            if (phase == GamePhase::Setup || phase == GamePhase::TurnStart)
                return mouseMove(767 + below(32), 568 + below(32));
            return mouseMove(168 + below(32), 458 + below(32));
        }
        return mouseMove(below(800), below(600));
    }
};

// Planets without models keep the many frames cheap.
// Two players in two teams, their turn screen next: at eight planets (six
// neutral, then one of each player's) a small group of each stands on the
// planet within contact of the other's, so both players have fights on offer
// from their first battle phase. Which of the two is drawn, and so picked,
// first alternates.
Game frontLine() {
    Game game;
    initialiseGame(game);
    game.session.teams = {0, 1, 0, 0, 0, 0, 0, 0};
    dispatchCommand(game, CommandId::BeginTurn);
    game.registry = {};
    for (int spot = 0; spot < 8; ++spot) {
        Planet& planet = game.planets[spot];
        planet.x = -100.0f + 60.0f * static_cast<float>(spot);
        planet.y = spot % 2 == 0 ? 120.0f : -120.0f;
        planet.owner = spot < 6 ? -1 : spot - 6;
        planet.ships = 5 + spot;
        for (int owner : {spot % 2, 1 - spot % 2}) {
            const float x = planet.x + 3.0f * static_cast<float>(owner);
            createGroup(game.registry, x, planet.y, x, planet.y, 10 + 3 * spot + owner, owner);
        }
    }
    return game;
}

class Monkeys : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        art.planetModels = {};
    }
};

TEST_F(Monkeys, RandomMouseKeepsEveryGameWholeThroughEveryPhaseAndBattles) {
    Monkey monkey{std::mt19937(20261208)};
    int ticks = 0;
    std::array<int, 6> ticksInPhase{};
    int battles = 0;
    GamePhase previousPhase = GamePhase::Setup;
    for (int game = 0; game < kGames; ++game) {
        if (game > 0) {
            returnToSetup(program->game);
            seedRandom(program->game.random, 1000u + static_cast<uint32_t>(game));
        }
        if (game % 2 == 1) {
            Game front = frontLine();
            ASSERT_TRUE(saveGame(front));
            dispatchCommand(program->game, CommandId::LoadGame);
            ASSERT_EQ(program->game.session.phase, GamePhase::TurnStart);
        }
        bool reachedBattlePhase = false;
        bool held = false;
        bool movedLastTick = false;
        uint32_t releaseAt = 0;
        for (int tick = 0; tick < kTicksPerGame; ++tick, ++ticks) {
            Game& state = program->game;
            std::array<SDL_Event, 1> event{};
            bool send = true;
            if (held && now >= releaseAt) {
                // The monkey never quits: a release over Quit moves off it
                // first. A click acts on the hover of the frame after the last
                // move, so a release waits one tick after a move to see it.
                if (movedLastTick) {
                    send = false;
                } else if (state.picks.hoveredButton == kQuit) {
                    event[0] = mouseMove(600, 100);
                } else {
                    event[0] = mouseButton(SDL_BUTTON_LEFT, false);
                    held = false;
                    ++monkey.releases;
                }
            } else {
                const int choice = monkey.below(20);
                if (!held && choice < 6) {
                    event[0] = mouseButton(SDL_BUTTON_LEFT, true);
                    held = true;
                    ++monkey.presses;
                    // Short clicks, medium and long presses, now and then very long.
                    const int kind = monkey.below(20);
                    releaseAt = now + (kind < 10   ? monkey.below(501)
                                       : kind < 15 ? 501 + monkey.below(1000)
                                       : kind < 19 ? 1501 + monkey.below(1500)
                                                   : monkey.below(20000));
                } else if (choice < 9) {
                    event[0] = monkey.move(state);
                } else if (choice == 9 && !held) {
                    pushEvents({mouseButton(SDL_BUTTON_RIGHT, true)});
                    ASSERT_TRUE(runLoopPass(*program));
                    event[0] = mouseButton(SDL_BUTTON_RIGHT, false);
                    ++monkey.rightClicks;
                } else {
                    send = false;
                }
            }
            movedLastTick = send && event[0].type == SDL_MOUSEMOTION;
            if (send) {
                pushEvents({event[0]});
            } else {
                pushEvents({});
            }
            // Mostly display-paced frames, sometimes a stall.
            // A held button lets time run faster, so that long presses take few ticks.
            if (held) {
                now += 50 + monkey.below(350);
            } else {
                now += monkey.below(50) == 0 ? 200 + monkey.below(3000) : 1 + monkey.below(40);
            }
            ASSERT_TRUE(runLoopPass(*program)) << "the game quit at tick " << tick;
            const GamePhase phase = program->game.session.phase;
            if (isBattlePhase(phase) && !isBattlePhase(previousPhase)) ++battles;
            ++ticksInPhase[static_cast<int>(phase)];
            reachedBattlePhase |= phase == GamePhase::BattlePhase;
            previousPhase = phase;
            const std::string broken = brokenRule(program->game);
            ASSERT_TRUE(broken.empty()) << broken << " in game " << game << " at tick " << tick;
        }
        EXPECT_TRUE(reachedBattlePhase) << "game " << game;
    }
    std::printf(
        "monkey: %d games, %d ticks, %d presses, %d releases, %d moves, %d right clicks; "
        "ticks in Setup %d, TurnStart %d, Movement %d, BattlePhase %d, GroupBattle %d, "
        "PlanetBattle %d; %d battles\n",
        kGames, ticks, monkey.presses, monkey.releases, monkey.moves, monkey.rightClicks,
        ticksInPhase[0], ticksInPhase[2], ticksInPhase[1], ticksInPhase[3], ticksInPhase[4],
        ticksInPhase[5], battles);
    for (int phase = 0; phase < 6; ++phase)
        EXPECT_GT(ticksInPhase[phase], 0) << "no tick in phase " << phase;
    EXPECT_GT(battles, 1);
}

}  // namespace
