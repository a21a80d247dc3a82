// The game: the one record of everything the rules own, with its start-up and
// its return to the Setup screen.
#pragma once

#include <array>
#include <cstdint>

#include "battle/battle.h"
#include "game/buttons.h"
#include "game/combat.h"
#include "game/data_path.h"
#include "game/galaxy.h"
#include "game/groups.h"
#include "game/interaction_state.h"
#include "game/message_line.h"
#include "game/seats.h"
#include "random/random.h"

// Built in the program's construction order: the planets right after the
// generator, from its state 1.
struct Game {
    Random random;
    Galaxy planets = constructPlanets(random);
    std::array<PlanetIntel, kMaxPlayers> intel;
    GroupRegistry registry;
    ButtonPanel buttons = constructButtonPanel();
    Battle battle;
    BattleSources battleSources;
    BattleOutcome lastOutcome;  // final counts of the last battle, for the test mode
    GameSession session;
    Seats seats{};  // every seat a person's until Setup says otherwise
    Network network;
    MessageLine messageLine;  // this screen's news, never the rules'
    InteractionState interaction;
    PickResults picks;
    float groupMarkerAngle = 0.0f;  // degrees; the marker turning around the selected group
    DataFolders dataFolders;        // where every file of the game is read and written
    int32_t winningTeam = -1;       // on the end screen: the team that won, -1 for nobody
    // Where the computer's seats take their random numbers from: the clock
    // value start-up seeded the generator with, and which game is in play (the
    // count of games begun or loaded so far, and whether it came from the save).
    uint32_t startupSeed = 1;
    uint32_t gamesBegun = 0;
    bool gameLoaded = false;
    bool quitRequested = false;
    int exitCode = 0;
};

// The one way the phase changes: the new phase set, with what it offers and
// forgets on the way in.
void enterPhase(Game& game, GamePhase phase);
// Start-up values of the session and the buttons (after the generator is seeded).
void initialiseGame(Game& game);
// Back to the Setup screen of a fresh program for a new game: battle emptied,
// groups and intel gone, selections and statistics cleared, the start-up
// buttons only. The player count and the teams stay.
void returnToSetup(Game& game);
