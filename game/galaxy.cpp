// The galaxy: construction of the planet records, generation of a new galaxy
// with the players' starting groups, planet lookups, production and the
// statistics shown for the current player.
#include <cmath>

#include "game/game.h"

namespace {

constexpr float kMinPlanetDistance = 64.0f;
constexpr int kStartingProductionSum = 100;
constexpr int kRingWidth = 35;  // a planet lies up to 34 beyond its ring's base

int ringBase(int ringDraw) {
    if (ringDraw < 10) return 35;
    if (ringDraw < 30) return 105;
    if (ringDraw < 70) return 175;
    return 245;
}
// The outermost ring is where the galaxy ends.
static_assert(245 + kRingWidth - 1 == kGalaxyRadius);

Planet drawPlanet(Random& random, const Planet& previous) {
    Planet planet = previous;  // tilt, spin and marker angle are kept
    // A point on the unit circle: its cosine drawn, the sine's sign drawn.
    const float cosine = static_cast<float>(nextRandom(random) % 201 - 100) / 100.0f;
    float sine = std::sqrt(1.0f - cosine * cosine);
    if (nextRandom(random) % 2 == 1) sine = -sine;
    const int base = ringBase(nextRandom(random) % 150);
    const float radius = static_cast<float>(base + nextRandom(random) % kRingWidth);
    planet.x = cosine * radius + kGalaxyCentreX;
    planet.y = sine * radius;
    planet.owner = -1;
    planet.production =
        nextRandom(random) % (kMostProduction - kLeastProduction + 1) + kLeastProduction;
    planet.ships = nextRandom(random) % planet.production + 1;
    planet.model = nextRandom(random) % 2;
    return planet;
}

bool isTooClose(const Planet& first, const Planet& second) {
    const float dx = first.x - second.x;
    const float dy = first.y - second.y;
    return std::sqrt(dx * dx + dy * dy) < kMinPlanetDistance;
}

// Lowest index owned by the player in [from, to), or -1.
int firstOwned(const Galaxy& planets, int player, int from, int to) {
    for (int index = from; index < to; ++index)
        if (planets[index].owner == player) return index;
    return -1;
}

// Highest index owned by the player in [from, to), or -1.
int lastOwned(const Galaxy& planets, int player, int from, int to) {
    for (int index = to - 1; index >= from; --index)
        if (planets[index].owner == player) return index;
    return -1;
}

}  // namespace

Galaxy constructPlanets(Random& random) {
    Galaxy planets;
    for (Planet& planet : planets) {
        planet.tilt = static_cast<float>(nextRandom(random) % 120 - 60);
        planet.spin = static_cast<float>(nextRandom(random) % 360);
    }
    return planets;
}

void generateGalaxy(Game& game) {
    Galaxy& planets = game.planets;
    for (int index = 0; index < kPlanetCount; ++index) {
        bool fits = false;
        while (!fits) {
            planets[index] = drawPlanet(game.random, planets[index]);
            fits = true;
            for (int earlier = 0; earlier < index && fits; ++earlier)
                if (isTooClose(planets[index], planets[earlier])) fits = false;
        }
    }

    // Each player's two starting groups stand at the mean position of a few
    // randomly drawn planets, so they start somewhere inside the galaxy.
    for (int pass = 0; pass < 2; ++pass) {
        for (int player = 0; player < game.session.playerCount; ++player) {
            float xSum = 0.0f;
            float ySum = 0.0f;
            int productionSum = 0;
            int draws = 0;
            do {
                const Planet& drawn = planets[nextRandom(game.random) % kPlanetCount];
                xSum += drawn.x;
                ySum += drawn.y;
                productionSum += drawn.production;
                ++draws;
            } while (productionSum < kStartingProductionSum);
            const float x = xSum / static_cast<float>(draws);
            const float y = ySum / static_cast<float>(draws);
            createGroup(game.registry, x, y, x, y, kStartingShips, player);
        }
    }
}

int planetAt(const Galaxy& planets, float x, float y) {
    for (int index = 0; index < kPlanetCount; ++index)
        if (planets[index].x == x && planets[index].y == y) return index;
    return -1;
}

void selectNextPlanet(GameSession& session, const Galaxy& planets, int player) {
    const int selected = session.selectedPlanet;
    if (selected == -1) {
        session.selectedPlanet = firstOwned(planets, player, 0, kPlanetCount);
        return;
    }
    int found = firstOwned(planets, player, selected + 1, kPlanetCount);
    if (found == -1) found = firstOwned(planets, player, 0, selected);
    if (found != -1) session.selectedPlanet = found;
}

void selectPreviousPlanet(GameSession& session, const Galaxy& planets, int player) {
    const int selected = session.selectedPlanet;
    if (selected == -1) {
        session.selectedPlanet = firstOwned(planets, player, 0, kPlanetCount);
        return;
    }
    int found = lastOwned(planets, player, 0, selected);
    if (found == -1) found = lastOwned(planets, player, selected + 1, kPlanetCount);
    if (found != -1) session.selectedPlanet = found;
}

void applyProduction(Galaxy& planets, int player) {
    for (Planet& planet : planets)
        if (planet.owner == player) planet.ships += planet.production;
}

void recomputeStatistics(Game& game) {
    const GameSession& session = game.session;
    const int player = session.currentPlayer;
    const int team = session.teams[player];
    Statistics stats;
    for (const Planet& planet : game.planets) {
        const bool mine = planet.owner == player;
        const bool ours = planet.owner != -1 && session.teams[planet.owner] == team;
        if (mine) {
            stats.myPlanets += 1;
            stats.myProduction += planet.production;
            stats.myShips += planet.ships;
        }
        if (mine || ours) {
            stats.teamPlanets += 1;
            stats.teamProduction += planet.production;
            stats.teamShips += planet.ships;
        }
    }
    stats.myShips += playerShips(game.registry, player);
    stats.teamShips += teamShips(game.registry, session.teams, team);
    game.session.statistics = stats;
}
