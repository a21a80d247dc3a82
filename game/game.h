// Game rules: the galaxy, the players and their teams, the fleets ("groups"),
// the turn flow, the commands and their availability, and the save file.
// Plain data and free functions; nothing here needs a window or OpenGL.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "battle/battle.h"

// ---------------------------------------------------------------------------
// Random source: one linear congruential generator for every draw of the game.

struct Random {
    uint32_t state = 1;
};

// Next value 0..32767.
int nextRandom(Random& random);
void seedRandom(Random& random, uint32_t seed);

// ---------------------------------------------------------------------------
// Galaxy and session.

constexpr int kPlanetCount = 32;
constexpr int kMaxPlayers = 8;

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
    PlanetIntel() { knownOwner.fill(-1); knownShips.fill(0); }
};

struct Colour {
    float r, g, b;
};

constexpr std::array<Colour, 16> ColourTable = {{
    {0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},
    {1.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f},
    {0.5f, 0.0f, 0.0f}, {0.3f, 0.3f, 0.3f}, {0.0f, 0.5f, 0.0f}, {0.0f, 0.0f, 0.5f},
    {0.5f, 0.5f, 0.0f}, {0.5f, 0.0f, 0.5f}, {0.0f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f},
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
};

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

// ---------------------------------------------------------------------------
// Groups: every fleet in creation order, found by id.

constexpr float kContactDistanceSquared = 25.0f;
constexpr float kSightDistanceSquared = 1024.0f;
constexpr float kStepLength = 32.0f;

struct Group {
    float x = 0.0f;
    float y = 0.0f;
    float destinationX = 0.0f;
    float destinationY = 0.0f;
    float stepX = 0.0f;
    float stepY = 0.0f;
    int32_t stepsLeft = 0;
    int32_t owner = 0;
    int32_t ships = 0;
    int32_t id = 0;
};

struct GroupRegistry {
    std::vector<Group> groups;  // list order = creation order
    int32_t nextId = 0;
};

bool isInContact(float x1, float y1, float x2, float y2);
bool isWithinSight(float x1, float y1, float x2, float y2);

// Appends a group owned by `owner` that heads from (x, y) to the destination;
// returns its id.
int createGroup(GroupRegistry& registry, float x, float y, float destinationX, float destinationY,
                int ships, int owner);
// Appends a stored record with a fresh id; returns that id.
int appendGroupRecord(GroupRegistry& registry, const Group& record);
void removeGroup(GroupRegistry& registry, int id);
void clearGroups(GroupRegistry& registry);

void setDestination(GroupRegistry& registry, int id, float x, float y);
void splitGroup(GroupRegistry& registry, int id, float destinationX, float destinationY, int count,
                int owner);
void combineGroup(GroupRegistry& registry, int id);
void advanceGroups(GroupRegistry& registry, int player);
void setShips(GroupRegistry& registry, int id, int count);

// The returned pointer is valid until the registry next changes.
Group* findGroup(GroupRegistry& registry, int id);
const Group* findGroup(const GroupRegistry& registry, int id);
int ownerOf(const GroupRegistry& registry, int id);
int shipsOf(const GroupRegistry& registry, int id);
void positionOf(const GroupRegistry& registry, int id, float& x, float& y);
int countGroups(const GroupRegistry& registry);
int playerShips(const GroupRegistry& registry, int player);
int teamShips(const GroupRegistry& registry, const Teams& teams, int team);
int findFriendInContact(const GroupRegistry& registry, float x, float y, int excludedId, int player);
const Group* findEnemyInContact(const GroupRegistry& registry, const Teams& teams, float x, float y,
                                int player);
const Group* findEnemyInContactOf(const GroupRegistry& registry, const Teams& teams, int id,
                                  int player);
bool isSeenByTeam(const GroupRegistry& registry, const Teams& teams, float x, float y, int team);
bool isInPosition(const GroupRegistry& registry, const Galaxy& planets, const Teams& teams,
                  const Group& group, int player);
bool hasGroupInPosition(const GroupRegistry& registry, const Galaxy& planets, const Teams& teams,
                        int player);
void revealPlanetsUnderGroups(const GroupRegistry& registry, const Galaxy& planets,
                              const GameSession& session, std::array<PlanetIntel, kMaxPlayers>& intel,
                              int player);

// ---------------------------------------------------------------------------
// Buttons: the 21 image buttons; a button's index is its command id.

constexpr int kButtonCount = 21;

struct Button {
    float sLeft = 0.0f;
    float sRight = 0.0f;
    float tTop = 0.0f;
    float tBottom = 0.0f;
    bool visible = false;
    int32_t width = 0;
    int32_t height = 0;
    std::string tooltip;
};

struct ButtonPanel {
    std::array<Button, kButtonCount> buttons;
    int32_t hovered = -1;
};

void initButton(Button& button, float sLeft, float sRight, float tTop, float tBottom, int width,
                int height, const char* tooltip);
ButtonPanel constructButtonPanel();
void setPlanetButtonDonation(ButtonPanel& panel, bool donation);

// ---------------------------------------------------------------------------
// Interaction state shared by the rules and the map interaction.

enum class InteractionMode : int32_t {
    Idle = 0,
    CountForNewGroup = 1,
    CountForSplit = 2,
    PlaceSplit = 3,
    PlaceNewGroup = 4,
};

enum class SelectorControl : int32_t {
    Confirm = 0,
    Max = 1,
    Plus10 = 2,
    Plus1 = 3,
    Minus1 = 4,
    Minus10 = 5,
    Min = 6,
    Cancel = 7,
};

struct InteractionState {
    InteractionMode mode = InteractionMode::Idle;
    int32_t count = 0;
    int32_t hoveredGroup = -1;
    uint32_t pressTime = 0;
    int32_t hoveredPlanet = -1;
    int32_t hoveredSetupRow = -1;
    int32_t hoveredSelectorControl = -1;
};

// ---------------------------------------------------------------------------
// The game: everything the rules own, built in the program's construction
// order. The planets are built right after the generator, from its state 1.

struct Game {
    Random random;
    Galaxy planets = constructPlanets(random);
    std::array<PlanetIntel, kMaxPlayers> intel;
    GroupRegistry registry;
    ButtonPanel buttons = constructButtonPanel();
    Battle battle;
    BattleOutcome lastOutcome;  // final counts of the last battle, for the test mode
    GameSession session;
    InteractionState interaction;
    float groupMarkerAngle = 0.0f;  // degrees; the marker turning around the selected group
    bool quitRequested = false;
    int exitCode = 0;
};

// Start-up values of the session and the buttons (after the generator is seeded).
void initialiseGame(Game& game);
// Back to the Setup screen of a fresh program for a new game: battle emptied,
// groups and intel gone, selections and statistics cleared, the start-up
// buttons only. The player count and the teams stay.
void returnToSetup(Game& game);

// ---------------------------------------------------------------------------
// Galaxy rules.

void generateGalaxy(Game& game);
int planetAt(const Galaxy& planets, float x, float y);
void selectNextPlanet(GameSession& session, const Galaxy& planets, int player);
void selectPreviousPlanet(GameSession& session, const Galaxy& planets, int player);
void applyProduction(Galaxy& planets, int player);
void recomputeStatistics(Game& game);

// ---------------------------------------------------------------------------
// Commands.

enum class CommandId : int32_t {
    SplitGroup = 0,
    CombineGroups = 1,
    AttackGroup = 2,
    AttackOrDonatePlanet = 3,
    NextGroup = 4,
    PreviousGroup = 5,
    NextCombatGroup = 6,
    PreviousCombatGroup = 7,
    CreateGroup = 8,
    NextPlanet = 9,
    PreviousPlanet = 10,
    EndMovement = 11,
    EndBattle = 12,
    SaveGame = 13,
    LoadGame = 14,
    QuitGame = 15,
    BeginTurn = 16,
    Yes = 17,
    No = 18,
    IncreasePlayers = 19,
    DecreasePlayers = 20,
};

void dispatchCommand(Game& game, int commandId);
inline void dispatchCommand(Game& game, CommandId id) { dispatchCommand(game, static_cast<int>(id)); }
void cycleTeam(GameSession& session, int slot);
void requestQuit(Game& game, int exitCode);

// Group commands (ids 0..10) and the count selector.
void runGroupCommand(Game& game, CommandId id);
void pressSelectorControl(Game& game, SelectorControl control);
void placeTarget(Game& game, float x, float y);

// Group cycling and availability.
void selectNextGroup(Game& game, int player);
void selectPreviousGroup(Game& game, int player);
void selectNextGroupInPosition(Game& game, int player);
void selectPreviousGroupInPosition(Game& game, int player);
void refreshAvailability(Game& game, int player);

// ---------------------------------------------------------------------------
// Save file: "Data\Save.kvd".

constexpr int kSaveHeaderBytes = 3244;
constexpr int kSaveGroupBytes = 44;

// Every run-time file is opened through here: "Data\name" of the design is
// Data/name relative to the working directory.
std::string dataPath(const std::string& name);
// Bytes of the save file for the present state.
std::vector<uint8_t> encodeSave(const Game& game);
// Writes the save slot safely; false (with one line on stderr) on failure.
bool saveGame(Game& game);
// Loads the save slot; false (with one line on stderr unless there is no
// save yet) when nothing was loaded, the state then being unchanged.
bool loadGame(Game& game);
