// Rules state: what its fingerprint covers and what it leaves out, round trips
// in the middle of a movement and of a battle, damaged bytes refused, and
// player commands refused without a trace in it.
#include "game/rules_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "game/commands.h"
#include "game/game.h"
#include "game/player_command.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kFrameMs = 16;

// Three players in two teams; player 0 moves, with a group under way and
// selected, and the count selector of its split open at 11.
Game movingGame() {
    Game game;
    initialiseGame(game);
    game.session.playerCount = 3;
    game.session.teams = {0, 1, 1, 0, 0, 0, 0, 0};
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::BeginTurn);
    dispatchCommand(game, CommandId::NextGroup);
    setDestination(game.registry, game.session.selectedGroupId, 0.0f, 0.0f);
    advanceGroups(game.registry, 0);
    dispatchCommand(game, CommandId::SplitGroup);
    pressSelectorControl(game, SelectorControl::Plus10);
    return game;
}

// The moving game with the selected group fighting 30 ships of player 1,
// a few frames in: the first volley is in flight.
Game battleGame() {
    Game game = movingGame();
    const Group attacker = *findGroup(game.registry, game.session.selectedGroupId);
    const int enemy =
        createGroup(game.registry, attacker.x, attacker.y, attacker.x, attacker.y, 30, 1);
    startGroupBattle(game, attacker.id, enemy);
    for (int frame = 0; frame < 5; ++frame) battleStep(game, kFrameMs);
    return game;
}

struct Change {
    const char* field;
    void (*apply)(Game&);
};

// One change of every field the encoding covers. The ids, the next ids and
// the sides of the battle's ships are checked against each other and the
// counts on decoding, so the round trip below catches their loss instead.
const Change kCovered[] = {
    {"random state", [](Game& g) { g.random.state += 1; }},
    {"player count", [](Game& g) { g.session.playerCount = 4; }},
    {"current player", [](Game& g) { g.session.currentPlayer = 1; }},
    {"team", [](Game& g) { g.session.teams[7] = 3; }},
    {"selected planet", [](Game& g) { g.session.selectedPlanet = 9; }},
    {"selected group", [](Game& g) { g.session.selectedGroupId = -1; }},
    {"statistics", [](Game& g) { g.session.statistics.teamShips += 1; }},
    {"phase", [](Game& g) { g.session.phase = GamePhase::PlanetBattle; }},
    {"seat", [](Game& g) { g.seats[5] = Seat::Computer; }},
    {"seat's machine", [](Game& g) { g.network.seatMachine[1] = 2; }},
    {"winning team", [](Game& g) { g.winningTeam = 1; }},
    {"planet x", [](Game& g) { g.planets[4].x += 0.5f; }},
    {"planet y", [](Game& g) { g.planets[31].y = -g.planets[31].y - 1.0f; }},
    {"planet production", [](Game& g) { g.planets[4].production += 1; }},
    {"planet ships", [](Game& g) { g.planets[4].ships += 1; }},
    {"planet owner", [](Game& g) { g.planets[4].owner = 2; }},
    {"planet model", [](Game& g) { g.planets[4].model = 1 - g.planets[4].model; }},
    {"known owner", [](Game& g) { g.intel[6].knownOwner[2] = 5; }},
    {"known ships", [](Game& g) { g.intel[6].knownShips[2] = 5; }},
    {"group position", [](Game& g) { g.registry.groups[1].x += 1.0f; }},
    {"group destination", [](Game& g) { g.registry.groups[1].destinationY += 1.0f; }},
    {"group step", [](Game& g) { g.registry.groups[1].stepX += 1.0f; }},
    {"group steps left", [](Game& g) { g.registry.groups[1].stepsLeft += 1; }},
    {"group owner", [](Game& g) { g.registry.groups[1].owner = 2; }},
    {"group ships", [](Game& g) { g.registry.groups[1].ships += 1; }},
    {"group order", [](Game& g) { std::swap(g.registry.groups[0], g.registry.groups[1]); }},
    {"selector mode", [](Game& g) { g.interaction.mode = InteractionMode::PlaceSplit; }},
    {"selector count", [](Game& g) { g.interaction.count += 1; }},
    {"planet button face", [](Game& g) { setPlanetButtonDonation(g.buttons, true); }},
    {"battle ship y", [](Game& g) { g.battle.ships[7].y += 0.25f; }},
    {"battle ship direction", [](Game& g) { g.battle.ships[7].direction *= -1; }},
    {"battle shot x", [](Game& g) { g.battle.shots[3].x += 0.25f; }},
    {"battle shot side", [](Game& g) { g.battle.shots[3].side = BattleSide::Defender; }},
    {"battle colours", [](Game& g) { g.battle.defenderColour = 9; }},
    {"battle volley", [](Game& g) { g.battle.volleyPending = 1 - g.battle.volleyPending; }},
    {"battle ship limit", [](Game& g) { g.battle.shipLimit = 1000; }},
    {"battle attacker source", [](Game& g) { g.battleSources.attackerSource = -1; }},
    {"battle defender source", [](Game& g) { g.battleSources.defenderSource = 0; }},
};

// States no rule reaches, each encoded as it stands.
const Change kOutOfRange[] = {
    {"phase", [](Game& g) { g.session.phase = static_cast<GamePhase>(7); }},
    {"planet owner", [](Game& g) { g.planets[4].owner = 3; }},
    {"group id twice", [](Game& g) { g.registry.groups[1].id = g.registry.groups[0].id; }},
    {"selected group", [](Game& g) { g.session.selectedGroupId = g.registry.nextId; }},
    {"ship y", [](Game& g) { g.battle.ships.back().y = std::nanf(""); }},
    {"ships beyond the limit", [](Game& g) { g.battle.shipLimit = 100; }},
    {"battle counts", [](Game& g) { g.battle.attackerCount += 1; }},
};

}  // namespace

TEST(RulesState, FingerprintCoversTheSharedStateAndNothingElse) {
    const Game base = battleGame();
    ASSERT_FALSE(base.battle.shots.empty());
    const uint64_t fingerprint = rulesFingerprint(base);
    for (const Change& change : kCovered) {
        Game game = base;
        change.apply(game);
        EXPECT_NE(rulesFingerprint(game), fingerprint) << change.field;
    }
    // What only one machine or one screen needs.
    Game other = base;
    other.picks.hoveredPlanet = 3;
    other.planets[4].tilt = other.planets[5].spin = other.planets[6].markerAngle = 1.0f;
    other.groupMarkerAngle = 45.0f;
    other.startupSeed = other.gamesBegun = 7;
    other.gameLoaded = other.quitRequested = true;
    other.exitCode = 3;
    other.lastOutcome.attackerCount += 1;
    other.dataFolders.write = "elsewhere";
    other.network.here = 2;
    other.network.on = true;
    other.network.joinCode = "ABCD1234";
    EXPECT_EQ(rulesFingerprint(other), fingerprint);
    // Save, load and quit stay on the machine where they were pressed.
    for (int id = 0; id < kButtonCount; ++id) {
        Game game = base;
        game.buttons.buttons[id].visible = !game.buttons.buttons[id].visible;
        const bool local = id >= static_cast<int>(CommandId::SaveGame) &&
                           id <= static_cast<int>(CommandId::QuitGame);
        EXPECT_EQ(rulesFingerprint(game) == fingerprint, local) << "button " << id;
    }
}

TEST(RulesState, RoundTripsMidMovementAndMidBattleAndRefusesDamage) {
    Game moving = movingGame();
    setPlanetButtonDonation(moving.buttons, true);
    const Bytes movingBytes = encodeRulesState(moving);
    Game copy;
    ASSERT_TRUE(decodeRulesState(movingBytes, copy));
    EXPECT_EQ(encodeRulesState(copy), movingBytes);
    EXPECT_EQ(copy.buttons.buttons[3].tooltip, moving.buttons.buttons[3].tooltip);

    // Two machines from the same bytes stay together frame by frame to the end.
    Game battle = battleGame();
    const Bytes battleBytes = encodeRulesState(battle);
    ASSERT_TRUE(decodeRulesState(battleBytes, copy));
    EXPECT_EQ(encodeRulesState(copy), battleBytes);
    for (int frame = 0; frame < 10000 && isBattlePhase(battle.session.phase); ++frame) {
        battleStep(battle, kFrameMs);
        battleStep(copy, kFrameMs);
        ASSERT_EQ(rulesFingerprint(copy), rulesFingerprint(battle)) << "frame " << frame;
    }
    EXPECT_EQ(battle.session.phase, GamePhase::BattlePhase);

    // Damaged bytes leave the moving game as it was.
    const uint64_t fingerprint = rulesFingerprint(moving);
    const auto expectRefused = [&](const Bytes& bytes, const char* what) {
        EXPECT_FALSE(decodeRulesState(bytes, moving)) << what;
        EXPECT_EQ(rulesFingerprint(moving), fingerprint) << what;
        EXPECT_EQ(encodeRulesState(moving), movingBytes) << what;
    };
    expectRefused(Bytes(battleBytes.begin(), battleBytes.end() - 1), "truncated");
    Bytes longer = battleBytes;
    longer.push_back(0);
    expectRefused(longer, "trailing byte");
    Bytes version = battleBytes;
    version[0] = kRulesStateVersion + 1;
    expectRefused(version, "version");
    for (const Change& change : kOutOfRange) {
        Game game = battleGame();
        change.apply(game);
        expectRefused(encodeRulesState(game), change.field);
    }
}

// A refused command says why and leaves the rules state exactly as it was,
// whatever the reason; while a battle runs every command waits, Quit too.
TEST(PlayerCommand, RefusalsSayWhyAndChangeNothing) {
    const Game moving = movingGame();
    const int group = moving.session.selectedGroupId;
    const int foreignPlanet = [&] {
        for (int planet = 0; planet < kPlanetCount; ++planet)
            if (moving.planets[planet].owner != 0) return planet;
        return -1;
    }();
    const struct {
        const char* what;
        PlayerCommand command;
        CommandResult result;
    } refusals[] = {
        {"another player's turn", commandOn(CommandKind::SelectGroup, 1, group),
         CommandResult::NotPlayersTurn},
        {"a button of the battle phase", pressButton(0, static_cast<int>(CommandId::EndBattle)),
         CommandResult::NotOffered},
        {"a team cycled outside Setup", commandOn(CommandKind::CycleTeam, 0, 1),
         CommandResult::NotOffered},
        {"a group that does not exist",
         commandOn(CommandKind::SelectGroup, 0, moving.registry.nextId + 5),
         CommandResult::NoSuchGroup},
        {"a planet not the player's", commandOn(CommandKind::SelectPlanet, 0, foreignPlanet),
         CommandResult::NotPlayersOwn},
        {"a course to nowhere", commandAt(CommandKind::GiveDestination, 0, std::nanf(""), 0.0f),
         CommandResult::NotAPoint},
        {"a button beyond the panel", pressButton(0, kButtonCount), CommandResult::NoSuchButton},
        {"an unknown kind", commandOn(static_cast<CommandKind>(kCommandKinds), 0, 0),
         CommandResult::UnknownKind},
    };
    const Bytes before = encodeRulesState(moving);
    for (const auto& refusal : refusals) {
        Game game = moving;
        EXPECT_EQ(checkCommand(game, refusal.command), refusal.result) << refusal.what;
        EXPECT_EQ(applyCommand(game, refusal.command), refusal.result) << refusal.what;
        EXPECT_EQ(encodeRulesState(game), before) << refusal.what;
    }

    Game battle = battleGame();
    const uint64_t fingerprint = rulesFingerprint(battle);
    for (int kind = 0; kind < kCommandKinds; ++kind) {
        const PlayerCommand command = commandOn(static_cast<CommandKind>(kind), 0, 0);
        EXPECT_EQ(applyCommand(battle, command), CommandResult::BattleRunning) << "kind " << kind;
    }
    EXPECT_EQ(applyCommand(battle, pressButton(0, static_cast<int>(CommandId::QuitGame))),
              CommandResult::BattleRunning);
    EXPECT_FALSE(battle.quitRequested);
    EXPECT_EQ(rulesFingerprint(battle), fingerprint);
}
