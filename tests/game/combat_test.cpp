// The game's side of a battle: the step as the frame drives it, the end of
// the battle and its write-back into groups, planets and what each team knows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "battle/battle_oracle.h"
#include "game/availability.h"
#include "game/commands.h"
#include "game/describe_game.h"
#include "game/game.h"

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int kPlanet = 5;

// Five players in the battle phase of player 0: team 0 holds players 0 and 2,
// team 1 players 1 and 3, team 2 player 4. Teams 1 and 2 each hold a far
// planet, so that no battle here decides the game.
Game battlePhaseGame() {
    Game game;
    seedRandom(game.random, 4242);
    game.session.playerCount = 5;
    game.session.teams = {0, 1, 0, 1, 2, 0, 0, 0};
    game.session.currentPlayer = 0;
    game.session.phase = GamePhase::BattlePhase;
    for (Planet& planet : game.planets) {
        planet.owner = -1;
        planet.ships = 0;
    }
    game.planets[30].owner = 1;
    game.planets[31].owner = 4;
    return game;
}

// Every ship starts on the middle of the line. With at most two ships a side
// each stays within 2.5 of it, so every shot finds the first enemy ship in
// the list: the outcome of the volley is known in advance.
void lineUpOnTheMiddle(Battle& battle) {
    for (BattleShip& ship : battle.ships) ship.y = 0.0f;
}

// Frames until the battle has been written back.
int runToEnd(Game& game, uint32_t frameMs = kFrameMs) {
    int steps = 0;
    while (isBattlePhase(game.session.phase) && steps < 100000) {
        battleStep(game, frameMs);
        steps += 1;
    }
    return steps;
}

void setIntel(Game& game, int player, int32_t owner, int32_t ships) {
    game.intel[player].knownOwner[kPlanet] = owner;
    game.intel[player].knownShips[kPlanet] = ships;
}

TEST(BattleStep, ZeroFrameTimeMovesNothingButTheVolleyFires) {
    Game game = battlePhaseGame();
    const int attacker = createGroup(game.registry, 0, 0, 0, 0, 3, 0);
    const int defender = createGroup(game.registry, 3, 0, 3, 0, 2, 1);
    startGroupBattle(game, attacker, defender);
    const Battle before = game.battle;
    Random expected = game.random;
    for (int i = 0; i < 5; ++i) nextRandom(expected);

    battleStep(game, 0);

    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(game.random.state, expected.state) << "one draw per ship";
    EXPECT_EQ(game.battle.volleyPending, 0);
    ASSERT_EQ(game.battle.ships.size(), 5u);
    ASSERT_EQ(game.battle.shots.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        const BattleShip& ship = game.battle.ships[i];
        EXPECT_EQ(ship.y, before.ships[i].y);
        EXPECT_EQ(game.battle.shots[i].y, ship.y);
        EXPECT_EQ(game.battle.shots[i].side, ship.side);
        EXPECT_EQ(game.battle.shots[i].x, ship.side == BattleSide::Attacker ? -43.0f : 43.0f);
    }
}

TEST(BattleStep, OutsideTheBattlePhasesNothingHappens) {
    Game game = battlePhaseGame();
    Random random = game.random;
    addShip(game.battle, random, BattleSide::Attacker);
    game.random = random;
    battleStep(game, kFrameMs);
    EXPECT_EQ(game.random.state, random.state);
    EXPECT_TRUE(game.battle.shots.empty());
    EXPECT_EQ(game.battle.volleyPending, 1);
}

enum class Fight { GroupFight, PlanetFight, TestMode };

// One ending: player 0's attacker (selected) against player 1's group, a
// planet, or, in the test mode, a battle of its own filled beside the two
// groups. Every ship starts on the middle of its line.
struct Ending {
    const char* name;
    Fight fight;
    int attackers, defenders;  // the defending group's or planet's ships
    int planetOwner;
    bool started;                // else the battle phase begins with an empty battle
    int fewestSteps, mostSteps;  // 0: any
    const char* after;
};

// What a battle's end leaves for the tests to compare, in one line.
std::string endingOf(const Game& game, int attacker, int defender, uint32_t randomBefore) {
    auto ships = [&game](int id) {
        const Group* group = findGroup(game.registry, id);
        return group ? std::to_string(group->ships) : std::string("gone");
    };
    const Planet& planet = game.planets[kPlanet];
    const int selected = game.session.selectedGroupId;
    std::string text = "outcome " + std::to_string(game.lastOutcome.attackerCount) + "/" +
                       std::to_string(game.lastOutcome.defenderCount) + ", attacker " +
                       ships(attacker) + ", defender " + (defender < 0 ? "-" : ships(defender)) +
                       ", planet " + std::to_string(planet.owner) + "/" +
                       std::to_string(planet.ships) + "/" + std::to_string(planet.production) +
                       ", selected " +
                       (selected == attacker ? "attacker" : std::to_string(selected)) + ", intel";
    for (int player = 0; player < 5; ++player)
        text += " " + std::to_string(game.intel[player].knownOwner[kPlanet]) + "/" +
                std::to_string(game.intel[player].knownShips[kPlanet]);
    text += ", mine " + std::to_string(game.session.statistics.myPlanets) + "/" +
            std::to_string(game.session.statistics.myShips);
    return text + (game.random.state == randomBefore ? ", no volley" : "");
}

// Every end returns to the battle phase with the battle emptied and its
// sources forgotten; the test mode's battle touches no group; a group battle
// tells no team of the planet; a fallen planet's old owner's team learns of
// the loss and the conqueror's of the gain, a planet that holds tells only
// the attackers' team.
TEST(BattleEnd, WritesBackWhatTheBattleLeft) {
    using enum Fight;
    const Ending endings[] = {
        {"neither side with ships ends at once without a volley", GroupFight, 0, 0, -1, false, 0, 0,
         "outcome 0/0, attacker gone, defender gone, planet -1/0/17, selected -1, intel 4/99 "
         "4/99 4/99 4/99 4/99, mine 0/6, no volley"},
        {"a planet without ships against no ships keeps its owner", PlanetFight, 0, 0, 1, false, 0,
         0,
         "outcome 0/0, attacker gone, defender -, planet 1/0/17, selected -1, intel 1/0 4/99 1/0 "
         "4/99 4/99, mine 0/6, no volley"},
        {"both sides destroyed in one volley removes both groups", GroupFight, 1, 1, -1, true, 0, 0,
         "outcome 0/0, attacker gone, defender gone, planet -1/0/17, selected -1, intel 4/99 "
         "4/99 4/99 4/99 4/99, mine 0/6"},
        // The first volley settles it: it reaches the hit window after 1.72 s
        // and its last shot leaves play after 1.84 s.
        {"a surviving attacker keeps its id, selection and survivors", GroupFight, 2, 1, -1, true,
         108, 118,
         "outcome 1/0, attacker 1, defender gone, planet -1/0/17, selected attacker, intel 4/99 "
         "4/99 4/99 4/99 4/99, mine 0/7"},
        {"a surviving defending group keeps its survivors", GroupFight, 1, 2, -1, true, 0, 0,
         "outcome 0/1, attacker gone, defender 1, planet -1/0/17, selected -1, intel 4/99 4/99 "
         "4/99 4/99 4/99, mine 0/6"},
        {"an empty planet falls once the first volley has flown out", PlanetFight, 3, 0, 1, true,
         114, 117,
         "outcome 3/0, attacker gone, defender -, planet 0/3/17, selected -1, intel 0/3 0/3 0/3 "
         "0/3 4/99, mine 1/9"},
        {"a neutral planet that falls tells no previous owner", PlanetFight, 2, 1, -1, true, 0, 0,
         "outcome 1/0, attacker gone, defender -, planet 0/1/17, selected -1, intel 0/1 4/99 0/1 "
         "4/99 4/99, mine 1/7"},
        {"a planet that holds keeps its owner and survivors", PlanetFight, 1, 2, 3, true, 0, 0,
         "outcome 0/1, attacker gone, defender -, planet 3/1/17, selected -1, intel 3/1 4/99 3/1 "
         "4/99 4/99, mine 0/6"},
        {"a test mode battle touches no group", TestMode, 3, 0, -1, true, 0, 0,
         "outcome 3/0, attacker 7, defender 8, planet -1/0/17, selected attacker, intel 4/99 "
         "4/99 4/99 4/99 4/99, mine 0/13"},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        Game game = battlePhaseGame();
        Planet& planet = game.planets[kPlanet];
        planet.owner = ending.planetOwner;
        planet.production = 17;
        for (int player = 0; player < 5; ++player) setIntel(game, player, 4, 99);
        const bool testMode = ending.fight == TestMode;
        const int attacker = createGroup(game.registry, planet.x, planet.y, planet.x, planet.y,
                                         testMode ? 7 : std::max(ending.attackers, 1), 0);
        int defender = -1;
        if (ending.fight == Fight::PlanetFight) {
            planet.ships = ending.defenders;
        } else {
            defender = createGroup(game.registry, planet.x + 3, planet.y, planet.x + 3, planet.y,
                                   testMode ? 8 : std::max(ending.defenders, 1), 1);
        }
        createGroup(game.registry, 90, 0, 90, 0, 6, 0);  // a reserve far off
        game.session.selectedGroupId = attacker;
        if (testMode) {
            game.session.phase = GamePhase::GroupBattle;
            fillBattle(game.battle, game.random, ending.attackers, ending.defenders);
        } else if (!ending.started) {
            game.session.phase = ending.fight == Fight::PlanetFight ? GamePhase::PlanetBattle
                                                                    : GamePhase::GroupBattle;
            game.battleSources = {attacker,
                                  ending.fight == Fight::PlanetFight ? kPlanet : defender};
        } else if (ending.fight == Fight::PlanetFight) {
            ASSERT_TRUE(startPlanetBattle(game, attacker, kPlanet));
        } else {
            ASSERT_TRUE(startGroupBattle(game, attacker, defender));
        }
        lineUpOnTheMiddle(game.battle);
        const uint32_t randomBefore = game.random.state;

        const int steps = runToEnd(game);

        EXPECT_EQ(endingOf(game, attacker, defender, randomBefore), ending.after);
        if (ending.mostSteps > 0) {
            EXPECT_GE(steps, ending.fewestSteps);
            EXPECT_LE(steps, ending.mostSteps);
        }
        EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
        EXPECT_TRUE(game.battle.ships.empty() && game.battle.shots.empty());
        EXPECT_EQ(game.battle.volleyPending, 1);
        EXPECT_EQ(game.battleSources.attackerSource, -1);
    }
}

// Found by fuzzing the rules: two groups of a damaged save would fill the
// battle until memory ran out. With the limit lowered to 10 ships, 11 are
// refused with one line, and everything stays as it was, planet battles too.
TEST(Combat, BattleBeyondTheShipLimitIsNotStarted) {
    Game game = battlePhaseGame();
    game.battle.shipLimit = 10;
    const int attacker = createGroup(game.registry, 50, 50, 50, 50, 6, 0);
    const int defender = createGroup(game.registry, 53, 50, 53, 50, 5, 1);
    game.planets[kPlanet].x = 50.0f;
    game.planets[kPlanet].y = 50.0f;
    game.planets[kPlanet].owner = 1;
    game.planets[kPlanet].ships = 5;
    game.session.selectedGroupId = attacker;
    refreshAvailability(game, 0);
    const std::string before = describeGame(game);

    for (CommandId command : {CommandId::AttackGroup, CommandId::AttackOrDonatePlanet}) {
        ::testing::internal::CaptureStderr();
        dispatchCommand(game, command);
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(describeGame(game), before) << static_cast<int>(command);
        EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find("not started"), std::string::npos) << errors;
    }

    // At the limit the battle starts.
    setShips(game.registry, defender, 4);
    dispatchCommand(game, CommandId::AttackGroup);
    EXPECT_EQ(game.session.phase, GamePhase::GroupBattle);
    EXPECT_EQ(game.battle.attackerCount, 6);
    EXPECT_EQ(game.battle.defenderCount, 4);
}

// Found by fuzzing the rules: with frames slower than 0.12 s a shot jumps
// over the hit window, and with steady 400 ms frames a battle never ended.
// The game's step simulates such a frame as 0.1 s: the fight is, draw for
// draw, the reference battle stepped at 100 ms, and it ends.
TEST(Combat, SlowFramesAdvanceTheBattleByATenthOfASecond) {
    Game game = battlePhaseGame();
    const int attacker = createGroup(game.registry, 0, 0, 0, 0, 60, 0);
    const int defender = createGroup(game.registry, 3, 0, 3, 0, 45, 1);
    oracle::Generator generator{game.random.state};
    oracle::Battle reference;
    for (int i = 0; i < 60; ++i) oracle::addShip(reference, generator, oracle::kAttacker);
    for (int i = 0; i < 45; ++i) oracle::addShip(reference, generator, oracle::kDefender);
    ASSERT_TRUE(startGroupBattle(game, attacker, defender));

    bool referenceOver = false;
    int steps = 0;
    while (isBattlePhase(game.session.phase) && steps < 10000) {
        battleStep(game, 400);
        referenceOver = oracle::advance(reference, generator, 0.1f);
        steps += 1;
        ASSERT_EQ(game.random.state, generator.state) << "step " << steps;
        ASSERT_EQ(referenceOver, !isBattlePhase(game.session.phase)) << "step " << steps;
        if (!referenceOver) {
            ASSERT_EQ(game.battle.attackerCount, reference.attackerCount) << "step " << steps;
            ASSERT_EQ(game.battle.defenderCount, reference.defenderCount) << "step " << steps;
            ASSERT_EQ(game.battle.nextShotId, reference.nextShotId) << "step " << steps;
        }
    }
    EXPECT_TRUE(referenceOver);
    EXPECT_EQ(game.lastOutcome.attackerCount, reference.attackerCount);
    EXPECT_EQ(game.lastOutcome.defenderCount, reference.defenderCount);
    EXPECT_LT(game.lastOutcome.attackerCount + game.lastOutcome.defenderCount, 60);
}

}  // namespace
