// A whole seeded game played by random legal moves: only commands whose buttons
// are visible, selections and destinations as the map clicks give them, and
// every battle run to its end. After every move the rules' invariants must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/game_invariants.h"
#include "game/game_setup.h"

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int kMaxBattleSteps = 1'000'000;

int64_t shipTotal(const Game& game) {
    int64_t total = 0;
    for (const Group& group : game.registry.groups) total += group.ships;
    for (const Planet& planet : game.planets) total += planet.ships;
    return total;
}

int productionOf(const Game& game, int player) {
    int production = 0;
    for (const Planet& planet : game.planets)
        if (planet.owner == player) production += planet.production;
    return production;
}

void expectInvariants(const Game& game, const std::string& move) {
    EXPECT_EQ(brokenInvariant(game), "") << move;
}

// Plays one game; each game gets its own player and its own random choices.
struct RandomPlayer {
    Game& game;
    std::mt19937 choice;
    int battles = 0;
    int donations = 0;
    int splits = 0;
    int newGroups = 0;
    int combines = 0;
    int planetsTaken = 0;

    uint32_t pick(uint32_t n) { return static_cast<uint32_t>(choice() % n); }
    bool chance(uint32_t percent) { return pick(100) < percent; }
    int player() const { return game.session.currentPlayer; }

    std::vector<int> ownGroups() const {
        std::vector<int> ids;
        for (const Group& group : game.registry.groups)
            if (group.owner == player()) ids.push_back(group.id);
        return ids;
    }

    std::vector<int> ownPlanets() const {
        std::vector<int> planets;
        for (int i = 0; i < kPlanetCount; ++i)
            if (game.planets[i].owner == player()) planets.push_back(i);
        return planets;
    }

    // A map target as a click gives it: mostly a planet near (x, y), so that
    // groups arrive within a few turns and exactly on it, or another group,
    // sometimes any point of the map.
    void target(float& x, float& y) {
        const uint32_t kind = pick(10);
        if (kind < 6) {
            std::vector<std::pair<float, int>> byDistance;
            for (int i = 0; i < kPlanetCount; ++i) {
                const float dx = game.planets[i].x - x;
                const float dy = game.planets[i].y - y;
                byDistance.emplace_back(dx * dx + dy * dy, i);
            }
            std::sort(byDistance.begin(), byDistance.end());
            const Planet& planet = game.planets[byDistance[pick(5)].second];
            x = planet.x;
            y = planet.y;
        } else if (kind < 8 && !game.registry.groups.empty()) {
            const Group& group = game.registry.groups[pick(game.registry.groups.size())];
            x = group.x;
            y = group.y;
        } else {
            x = static_cast<float>(static_cast<int>(pick(586)) - 192);
            y = static_cast<float>(static_cast<int>(pick(587)) - 293);
        }
    }

    // Runs one move and checks the ship total against what it may change.
    void move(const std::string& name, auto&& action) {
        const int64_t before = shipTotal(game);
        const int production = productionOf(game, player());
        const int owner = player();
        action();
        expectInvariants(game, name);
        if (isBattlePhase(game.session.phase)) {
            EXPECT_EQ(shipTotal(game), before) << name << " filling a battle";
            runBattle(name);
        } else if (name == "EndMovement") {
            EXPECT_EQ(shipTotal(game), before + production) << name << " of player " << owner;
        } else {
            EXPECT_EQ(shipTotal(game), before) << name;
        }
    }

    void runBattle(const std::string& name) {
        ++battles;
        const bool planetBattle = game.session.phase == GamePhase::PlanetBattle;
        const int planet = game.battleSources.defenderSource;
        const int64_t before = shipTotal(game);
        const int attackersAtStart = game.battle.attackerCount;
        const int defendersAtStart = game.battle.defenderCount;
        int steps = 0;
        while (isBattlePhase(game.session.phase) && steps < kMaxBattleSteps) {
            battleStep(game, kFrameMs);
            ++steps;
            expectInvariants(game, name + " battle step");
        }
        ASSERT_FALSE(isBattlePhase(game.session.phase)) << name << " never ended";
        EXPECT_EQ(game.session.phase, GamePhase::BattlePhase);
        const int losses = (attackersAtStart - game.lastOutcome.attackerCount) +
                           (defendersAtStart - game.lastOutcome.defenderCount);
        EXPECT_EQ(shipTotal(game), before - losses) << name;
        if (planetBattle && game.planets[planet].owner == player()) ++planetsTaken;
    }

    void clickVisibleGroupCommand() {
        std::vector<int> commands;
        for (int id = 0; id <= static_cast<int>(CommandId::PreviousPlanet); ++id)
            if (visible(game, id)) commands.push_back(id);
        // Fights and donations are what moves a game on: prefer them, and the
        // cycling that finds a group in position for them.
        for (CommandId urgent :
             {CommandId::NextCombatGroup, CommandId::AttackGroup, CommandId::AttackOrDonatePlanet})
            if (visible(game, urgent) && chance(70)) commands.assign(1, static_cast<int>(urgent));
        if (commands.empty()) return;
        const int id = commands[pick(commands.size())];
        const auto command = static_cast<CommandId>(id);
        const bool donation = command == CommandId::AttackOrDonatePlanet &&
                              game.buttons.buttons[id].tooltip.starts_with("Donate");
        const int groupsBefore = countGroups(game.registry);
        move("command " + std::to_string(id), [&] { dispatchCommand(game, command); });
        if (donation && countGroups(game.registry) < groupsBefore) ++donations;
        if (command == CommandId::CombineGroups && countGroups(game.registry) < groupsBefore)
            ++combines;
    }

    // What a click on an own group or planet does on the map.
    void selectDirectly() {
        if (chance(50) || game.session.phase != GamePhase::Movement) {
            const std::vector<int> groups = ownGroups();
            if (groups.empty()) return;
            move("select group", [&] {
                game.session.selectedGroupId = groups[pick(groups.size())];
                refreshAvailability(game, player());
            });
        } else {
            const std::vector<int> planets = ownPlanets();
            if (planets.empty()) return;
            move("select planet", [&] {
                game.session.selectedPlanet = planets[pick(planets.size())];
                game.buttons.buttons[static_cast<int>(CommandId::CreateGroup)].visible =
                    game.planets[game.session.selectedPlanet].ships > 0;
            });
        }
    }

    void giveDestination() {
        const Group* group = findGroup(game.registry, game.session.selectedGroupId);
        if (group == nullptr) return;
        // Most courses are kept until the group arrives, or nothing would.
        if (group->stepsLeft > 0 && chance(97)) return;
        float x = group->x;
        float y = group->y;
        target(x, y);
        move("destination",
             [&] { setDestination(game.registry, game.session.selectedGroupId, x, y); });
    }

    void pressControl() {
        // Every control, weighted towards sending many ships and confirming.
        constexpr SelectorControl kControls[] = {
            SelectorControl::Confirm, SelectorControl::Confirm, SelectorControl::Confirm,
            SelectorControl::Max,     SelectorControl::Plus10,  SelectorControl::Plus10,
            SelectorControl::Plus1,   SelectorControl::Minus1,  SelectorControl::Minus10,
            SelectorControl::Min,     SelectorControl::Cancel,
        };
        const SelectorControl control = kControls[pick(std::size(kControls))];
        move("selector control " + std::to_string(static_cast<int>(control)),
             [&] { pressSelectorControl(game, control); });
    }

    void place() {
        float x = 0.0f;
        float y = 0.0f;
        positionOf(game.registry, game.session.selectedGroupId, x, y);
        if (game.interaction.mode == InteractionMode::PlaceNewGroup &&
            game.session.selectedPlanet != -1) {
            x = game.planets[game.session.selectedPlanet].x;
            y = game.planets[game.session.selectedPlanet].y;
        }
        target(x, y);
        const bool newGroup = game.interaction.mode == InteractionMode::PlaceNewGroup &&
                              game.session.phase == GamePhase::Movement;
        const int groupsBefore = countGroups(game.registry);
        move("placement", [&] {
            placeTarget(game, x, y);
            game.interaction.mode = InteractionMode::Idle;  // as the map click ends it
            game.picks.hoveredSelectorControl = -1;
        });
        if (countGroups(game.registry) > groupsBefore) ++(newGroup ? newGroups : splits);
    }

    void rightClick() {
        move("right click", [&] {
            game.session.selectedGroupId = -1;
            game.session.selectedPlanet = -1;
            game.picks.hoveredSelectorControl = -1;
            game.interaction.mode = InteractionMode::Idle;
            refreshAvailability(game, player());
            game.buttons.buttons[static_cast<int>(CommandId::CreateGroup)].visible = false;
        });
    }

    // One random action of the movement or battle phase.
    void act() {
        const InteractionMode mode = game.interaction.mode;
        const bool counting =
            mode == InteractionMode::CountForSplit || mode == InteractionMode::CountForNewGroup;
        const bool placing =
            mode == InteractionMode::PlaceSplit || mode == InteractionMode::PlaceNewGroup;
        if (counting && chance(70)) return pressControl();
        if (placing && chance(80)) return place();
        const uint32_t kind = pick(100);
        if (kind < 35) return clickVisibleGroupCommand();
        if (kind < 60) return selectDirectly();
        if (kind < 95) {
            if (placing) return;  // a map click would place instead
            return giveDestination();
        }
        rightClick();
    }

    void playTurn() {
        ASSERT_EQ(game.session.phase, GamePhase::TurnStart);
        ASSERT_TRUE(visible(game, CommandId::BeginTurn));
        move("BeginTurn", [&] { dispatchCommand(game, CommandId::BeginTurn); });
        ASSERT_EQ(game.session.phase, GamePhase::Movement);
        for (uint32_t n = 4 + pick(16); n > 0; --n) act();

        ASSERT_TRUE(visible(game, CommandId::EndMovement));
        move("EndMovement", [&] { dispatchCommand(game, CommandId::EndMovement); });
        ASSERT_EQ(game.session.phase, GamePhase::BattlePhase);
        for (uint32_t n = 4 + pick(16); n > 0; --n) act();

        ASSERT_TRUE(visible(game, CommandId::EndBattle));
        move("EndBattle", [&] { dispatchCommand(game, CommandId::EndBattle); });
    }
};

}  // namespace

TEST(RandomGame, ThreePlayersInTwoTeamsKeepEveryInvariantFor40Rounds) {
    int battles = 0;
    int planetsTaken = 0;
    int donations = 0;
    int splits = 0;
    int newGroups = 0;
    int combines = 0;
    for (uint32_t seed : {20240611u, 7u, 99u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Game game;
        initialiseGame(game);
        seedRandom(game.random, seed);
        dispatchCommand(game, CommandId::IncreasePlayers);
        cycleTeam(game.session, 2);  // players 0 and 1 against player 2
        ASSERT_EQ(game.session.playerCount, 3);
        dispatchCommand(game, CommandId::BeginTurn);

        RandomPlayer players{game, std::mt19937(seed)};
        for (int turn = 0; turn < 40 * 3; ++turn) {
            SCOPED_TRACE("round " + std::to_string(turn / 3) + ", player " +
                         std::to_string(game.session.currentPlayer));
            players.playTurn();
            if (::testing::Test::HasFailure()) return;
        }
        battles += players.battles;
        planetsTaken += players.planetsTaken;
        donations += players.donations;
        splits += players.splits;
        newGroups += players.newGroups;
        combines += players.combines;
    }
    // The games really went through what the invariants guard.
    EXPECT_GE(battles, 20);
    EXPECT_GT(planetsTaken, 0);
    EXPECT_GT(donations, 0);
    EXPECT_GT(splits, 0);
    EXPECT_GT(newGroups, 0);
    EXPECT_GT(combines, 0);
}
