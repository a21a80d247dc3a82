// Galaxy and session: the 32 planets, what each player's team knows of them,
// the players' colours, the phase of the game and the session record of
// players, teams, selections and statistics.
#pragma once

#include <array>
#include <cstdint>

struct Game;
struct Random;

constexpr int kPlanetCount = 32;
constexpr int kMinPlayers = 2;
constexpr int kMaxPlayers = 8;
// Every planet lies in rings round this centre, the outermost reaching out
// to this radius.
constexpr float kGalaxyCentreX = 100.0f;
constexpr float kGalaxyRadius = 279.0f;
// Each of a player's two starting groups holds this many ships.
constexpr int kStartingShips = 200;
// A planet's production is drawn from this range; a neutral planet starts
// with at most its production and never grows.
constexpr int kLeastProduction = 10;
constexpr int kMostProduction = 30;

struct Planet {
    float x = 0.0f;
    float y = 0.0f;
    int32_t production = 0;
    int32_t ships = 0;
    int32_t owner = -1;
    float tilt = 0.0f;
    float spin = 0.0f;
    float markerAngle = 0.0f;
    int32_t model = 0;
};

using Galaxy = std::array<Planet, kPlanetCount>;

// The 32 planets as the program constructs them: tilt and spin drawn from the
// generator (the only draws taken before start-up reseeds it).
Galaxy constructPlanets(Random& random);

struct PlanetIntel {
    std::array<int32_t, kPlanetCount> knownOwner;
    std::array<int32_t, kPlanetCount> knownShips;
    PlanetIntel() {
        knownOwner.fill(-1);
        knownShips.fill(0);
    }
};

struct Colour {
    float r, g, b;
};

constexpr std::array<Colour, 16> ColourTable = {{
    {0.0f, 0.0f, 0.0f},
    {1.0f, 0.0f, 0.0f},
    {0.0f, 1.0f, 0.0f},
    {0.0f, 0.0f, 1.0f},
    {1.0f, 1.0f, 0.0f},
    {1.0f, 0.0f, 1.0f},
    {0.0f, 1.0f, 1.0f},
    {1.0f, 1.0f, 1.0f},
    {0.5f, 0.0f, 0.0f},
    {0.3f, 0.3f, 0.3f},
    {0.0f, 0.5f, 0.0f},
    {0.0f, 0.0f, 0.5f},
    {0.5f, 0.5f, 0.0f},
    {0.5f, 0.0f, 0.5f},
    {0.0f, 0.5f, 0.5f},
    {0.5f, 0.5f, 0.5f},
}};
constexpr int kNeutralColour = 15;

inline const Colour& playerColour(int player) { return ColourTable[player + 1]; }

enum class GamePhase : int32_t {
    Setup = 0,
    Movement = 1,
    TurnStart = 2,
    BattlePhase = 3,
    GroupBattle = 4,
    PlanetBattle = 5,
    GameOver = 6,  // a team has won, or nobody has: the end screen
};

// The two phases that show the star map.
inline bool isMapPhase(GamePhase phase) {
    return phase == GamePhase::Movement || phase == GamePhase::BattlePhase;
}

// The two phases in which a battle is running and the battle step advances it.
inline bool isBattlePhase(GamePhase phase) {
    return phase == GamePhase::GroupBattle || phase == GamePhase::PlanetBattle;
}

struct Statistics {
    int32_t myPlanets = 0;
    int32_t myProduction = 0;
    int32_t myShips = 0;
    int32_t teamPlanets = 0;
    int32_t teamProduction = 0;
    int32_t teamShips = 0;
};

using Teams = std::array<int32_t, kMaxPlayers>;

struct GameSession {
    int32_t playerCount = 2;
    int32_t currentPlayer = 0;
    Teams teams{};
    int32_t selectedPlanet = -1;
    int32_t selectedGroupId = -1;
    Statistics statistics;
    GamePhase phase = GamePhase::Setup;
};

// A new galaxy for the session's players, with each player's two starting groups.
void generateGalaxy(Game& game);
int planetAt(const Galaxy& planets, float x, float y);
void selectNextPlanet(GameSession& session, const Galaxy& planets, int player);
void selectPreviousPlanet(GameSession& session, const Galaxy& planets, int player);
void applyProduction(Galaxy& planets, int player);
// The current player's and their team's planets, production and ships.
void recomputeStatistics(Game& game);
