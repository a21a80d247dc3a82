// The generator, the planets at program start, galaxy generation, planet
// stepping, production and statistics.
#include <gtest/gtest.h>

#include <cmath>

#include "game/game.h"

TEST(Random, FirstValuesFromStateOne) {
    Random random;
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(nextRandom(random), value);
}

TEST(Random, SeedReplaysTheSequence) {
    Random a, b;
    seedRandom(a, 123456789u);
    seedRandom(b, 123456789u);
    for (int i = 0; i < 1000; ++i) {
        const int value = nextRandom(a);
        ASSERT_EQ(value, nextRandom(b));
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(Planets, TiltAndSpinAtProgramStartAreFixed) {
    Game game;
    EXPECT_EQ(game.planets[0].tilt, -19.0f);  // 41 % 120 - 60
    EXPECT_EQ(game.planets[0].spin, 107.0f);  // 18467 % 360
    EXPECT_EQ(game.planets[1].tilt, 34.0f);   // 6334 % 120 - 60
    EXPECT_EQ(game.planets[1].spin, 220.0f);  // 26500 % 360
    // 64 draws were taken, tilt before spin for each planet in index order.
    Random replay;
    for (const Planet& planet : game.planets) {
        EXPECT_EQ(planet.tilt, static_cast<float>(nextRandom(replay) % 120 - 60));
        EXPECT_EQ(planet.spin, static_cast<float>(nextRandom(replay) % 360));
        EXPECT_EQ(planet.owner, -1);
        EXPECT_EQ(planet.ships, 0);
    }
    EXPECT_EQ(game.random.state, replay.state);
    Game another;
    EXPECT_EQ(another.planets[31].spin, game.planets[31].spin);
}

TEST(Galaxy, GeneratedGalaxiesKeepTheirShapeOverManySeeds) {
    for (int players = 2; players <= kMaxPlayers; ++players) {
        for (uint32_t seed = 0; seed < 40; ++seed) {
            Game game;
            const Galaxy before = game.planets;
            seedRandom(game.random, seed * 7919u + static_cast<uint32_t>(players));
            game.session.playerCount = players;
            game.session.currentPlayer = players - 1;
            generateGalaxy(game);
            EXPECT_EQ(game.session.currentPlayer, players - 1);
            for (int i = 0; i < kPlanetCount; ++i) {
                const Planet& p = game.planets[i];
                const float radius = std::sqrt((p.x - 100.0f) * (p.x - 100.0f) + p.y * p.y);
                const bool inRing = (radius > 34.99f && radius < 69.01f) ||
                                    (radius > 104.99f && radius < 139.01f) ||
                                    (radius > 174.99f && radius < 209.01f) ||
                                    (radius > 244.99f && radius < 279.01f);
                EXPECT_TRUE(inRing) << "planet " << i << " radius " << radius;
                EXPECT_GE(p.x, -179.0f);
                EXPECT_LE(p.x, 379.0f);
                EXPECT_EQ(p.owner, -1);
                EXPECT_GE(p.production, 10);
                EXPECT_LE(p.production, 30);
                EXPECT_GE(p.ships, 1);
                EXPECT_LE(p.ships, p.production);
                EXPECT_TRUE(p.model == 0 || p.model == 1);
                EXPECT_EQ(p.tilt, before[i].tilt);
                EXPECT_EQ(p.spin, before[i].spin);
                for (int j = 0; j < i; ++j) {
                    const float dx = p.x - game.planets[j].x, dy = p.y - game.planets[j].y;
                    EXPECT_GE(std::sqrt(dx * dx + dy * dy), 64.0f);
                }
            }
            ASSERT_EQ(countGroups(game.registry), 2 * players);
            for (int k = 0; k < 2 * players; ++k) {
                const Group& g = game.registry.groups[k];
                EXPECT_EQ(g.id, k);
                EXPECT_EQ(g.owner, k % players);  // player j owns ids j and count + j
                EXPECT_EQ(g.ships, 200);
                EXPECT_EQ(g.stepsLeft, 0);
                EXPECT_EQ(g.x, g.destinationX);
                EXPECT_EQ(g.y, g.destinationY);
            }
        }
    }
}

TEST(Galaxy, SameSeedSameGalaxy) {
    Game a, b;
    seedRandom(a.random, 99);
    seedRandom(b.random, 99);
    a.session.playerCount = b.session.playerCount = 5;
    generateGalaxy(a);
    generateGalaxy(b);
    for (int i = 0; i < kPlanetCount; ++i) {
        EXPECT_EQ(a.planets[i].x, b.planets[i].x);
        EXPECT_EQ(a.planets[i].ships, b.planets[i].ships);
    }
    EXPECT_EQ(a.random.state, b.random.state);
}

TEST(Galaxy, PlanetAtNeedsTheExactPosition) {
    Galaxy planets{};
    planets[4].x = 12.5f;
    planets[4].y = -3.25f;
    planets[9] = planets[4];
    EXPECT_EQ(planetAt(planets, 12.5f, -3.25f), 4);
    EXPECT_EQ(planetAt(planets, std::nextafter(12.5f, 13.0f), -3.25f), -1);
    EXPECT_EQ(planetAt(planets, 12.5f, std::nextafter(-3.25f, 0.0f)), -1);
}

TEST(Galaxy, StepsThroughOwnPlanets) {
    GameSession session;
    Galaxy planets{};
    for (int i : {3, 9, 20}) planets[i].owner = 1;
    planets[5].owner = 0;
    auto next = [&](int from) {
        session.selectedPlanet = from;
        selectNextPlanet(session, planets, 1);
        return session.selectedPlanet;
    };
    auto previous = [&](int from) {
        session.selectedPlanet = from;
        selectPreviousPlanet(session, planets, 1);
        return session.selectedPlanet;
    };
    EXPECT_EQ(next(-1), 3);
    EXPECT_EQ(next(20), 3);
    EXPECT_EQ(next(5), 9);
    EXPECT_EQ(previous(3), 20);
    EXPECT_EQ(previous(9), 3);
    EXPECT_EQ(previous(-1), 3);

    session.selectedPlanet = -1;
    selectNextPlanet(session, planets, 2);  // a player without planets
    EXPECT_EQ(session.selectedPlanet, -1);
    session.selectedPlanet = 5;
    selectPreviousPlanet(session, planets, 2);
    EXPECT_EQ(session.selectedPlanet, 5);
    session.selectedPlanet = 5;
    selectNextPlanet(session, planets, 0);  // the only planet, already selected
    EXPECT_EQ(session.selectedPlanet, 5);
}

TEST(Galaxy, ProductionAndStatisticsFollowOwnersAndTeams) {
    Game game;
    game.session.playerCount = 3;
    game.session.teams = {0, 1, 0, 0, 0, 0, 0, 0};
    game.session.currentPlayer = 0;
    Planet& mine = game.planets[0];
    mine = Planet{};
    mine.owner = 0, mine.production = 10, mine.ships = 5;
    Planet& ally = game.planets[1];
    ally.owner = 2, ally.production = 20, ally.ships = 7;
    Planet& enemy = game.planets[2];
    enemy.owner = 1, enemy.production = 30, enemy.ships = 9;
    game.planets[3].production = 11, game.planets[3].ships = 4;  // neutral

    applyProduction(game.planets, 0);
    EXPECT_EQ(mine.ships, 15);
    EXPECT_EQ(ally.ships, 7);
    EXPECT_EQ(enemy.ships, 9);
    EXPECT_EQ(game.planets[3].ships, 4);

    createGroup(game.registry, 0, 0, 0, 0, 100, 0);
    createGroup(game.registry, 0, 0, 0, 0, 50, 2);
    createGroup(game.registry, 0, 0, 0, 0, 70, 1);
    recomputeStatistics(game);
    const Statistics& s = game.session.statistics;
    EXPECT_EQ(s.myPlanets, 1);
    EXPECT_EQ(s.myProduction, 10);
    EXPECT_EQ(s.myShips, 115);
    EXPECT_EQ(s.teamPlanets, 2);
    EXPECT_EQ(s.teamProduction, 30);
    EXPECT_EQ(s.teamShips, 15 + 7 + 100 + 50);
}
