// Fuzzes the rules: a new game of 2 to 8 players in teams, then any sequence
// of player commands (hidden buttons, other players' and unknown kinds too),
// count-selector presses, placements and destinations anywhere (not-a-number
// and infinities included), battle frames of any length and the test mode's
// keys (F2 in the middle of a game, F12 back to Setup and a new game), with
// the game's invariants checked after each. A refused command must leave the
// rules state as it was, and the rules state must come back whole from its
// bytes. Each action is one tick: the test mode runs after it, as in the loop.
//
// Input: player count, teams and seed, then actions of one kind byte each
// followed by their operands; a missing byte reads as 0.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "fuzz/fuzz_folder.h"
#include "fuzz/game_invariants.h"
#include "game/combat.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/groups.h"
#include "game/player_command.h"
#include "game/rules_state.h"
#include "game/test_mode.h"
#include "random/random.h"

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t offset = 0;

    bool empty() const { return offset >= size; }
    uint8_t byte() { return offset < size ? data[offset++] : 0; }
    uint32_t word() {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= uint32_t{byte()} << (8 * i);
        return value;
    }
};

// A coordinate of the kinds that matter: on a planet, on a group, anywhere on
// the map, or any 32-bit pattern at all (not-a-number and infinities).
void readPoint(Input& in, const Game& game, float& x, float& y) {
    const uint8_t kind = in.byte();
    const uint8_t which = in.byte();
    const auto& groups = game.registry.groups;
    switch (kind % 5) {
        case 0: {
            const Planet& planet = game.planets[which % kPlanetCount];
            x = planet.x;
            y = planet.y;
            return;
        }
        case 1:
            if (!groups.empty()) {
                const Group& group = groups[which % groups.size()];
                x = group.x + static_cast<float>(static_cast<int8_t>(in.byte())) / 16.0f;
                y = group.y + static_cast<float>(static_cast<int8_t>(in.byte())) / 16.0f;
                return;
            }
            [[fallthrough]];
        case 2:
            x = static_cast<float>(static_cast<int16_t>(in.word()) % 400);
            y = static_cast<float>(static_cast<int16_t>(in.word()) % 300);
            return;
        case 3: {
            const float specials[] = {std::numeric_limits<float>::quiet_NaN(),
                                      std::numeric_limits<float>::infinity(),
                                      -std::numeric_limits<float>::infinity(),
                                      std::numeric_limits<float>::max(),
                                      -std::numeric_limits<float>::max(),
                                      std::numeric_limits<float>::denorm_min(),
                                      3.0e9f,
                                      -0.0f};
            x = specials[which % 8];
            y = specials[(which / 8) % 8];
            return;
        }
        default:
            x = std::bit_cast<float>(in.word());
            y = std::bit_cast<float>(in.word());
            return;
    }
}

// An existing group's id, the selected one, or one that matches nothing.
int readGroupId(Input& in, const Game& game) {
    const uint8_t which = in.byte();
    const auto& groups = game.registry.groups;
    if (which < groups.size() * 8 && !groups.empty()) return groups[which % groups.size()].id;
    if (which % 3 == 0) return game.session.selectedGroupId;
    return which % 3 == 1 ? -1 : game.registry.nextId + which;
}

uint32_t readFrameMs(Input& in) {
    const uint8_t kind = in.byte();
    if (kind < 200) return kind;        // the usual frames of 0..199 ms
    if (kind < 250) return kind * 20u;  // slow ones up to 5 s
    return in.word();                   // anything, a suspended machine
}

// The player a command is for: mostly the current one, now and then another
// or none at all.
int readPlayer(Input& in, const Game& game) {
    const uint8_t which = in.byte();
    return which < 224 ? game.session.currentPlayer : which % (kMaxPlayers + 2) - 1;
}

// Applies a command as every machine would; a refusal must change nothing.
void give(Game& game, const PlayerCommand& command) {
    const uint64_t before = rulesFingerprint(game);
    if (applyCommand(game, command) != CommandResult::Applied && rulesFingerprint(game) != before)
        fuzzFailure("a refused command changed the rules state");
}

void checkRoundTrip(const Game& game) {
    const std::vector<uint8_t> bytes = encodeRulesState(game);
    Game copy = game;
    if (!decodeRulesState(bytes, copy) || encodeRulesState(copy) != bytes)
        fuzzFailure("the rules state did not come back whole from its bytes");
}

constexpr int kF2 = 113;
constexpr int kF12 = 123;

enum class Action : uint8_t {
    Command,
    SelectorPress,
    Placement,
    Destination,
    BattleFrames,
    BattleToTheEnd,
    TestModeKey,
    AnyCommand,
    Count,
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterFuzzFolder();  // "Save the game" and "Load" use Data/Save.kvd
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in{data, size};
    Game game;
    initialiseGame(game);
    const int players = 2 + in.byte() % (kMaxPlayers - 1);
    for (int i = 2; i < players; ++i) dispatchCommand(game, CommandId::IncreasePlayers);
    for (int slot = 0; slot < players; ++slot) {
        for (int turns = in.byte() % kMaxPlayers; turns > 0; --turns) cycleTeam(game.session, slot);
    }
    seedRandom(game.random, in.word());
    dispatchCommand(game, CommandId::BeginTurn);
    checkInvariants(game);

    TestHarness harness;
    std::array<bool, 256> keyDown{};
    std::array<bool, 256> keyLatch{};
    uint32_t clock = 0;

    // Bound the work of one input, so that only a real hang outlasts the
    // fuzzer's timeout: a frame costs one unit per 16 ships and shots in the
    // battle, so an input holds a few battles of hundreds of ships, or a test
    // battle's first few dozen frames.
    constexpr int kMaxActions = 2000;
    int workLeft = 60000;
    auto frame = [&](uint32_t ms) {
        workLeft -=
            1 + static_cast<int>((game.battle.ships.size() + game.battle.shots.size()) / 16);
        clock += ms;
        battleStep(game, ms);
    };
    for (int actions = 0; !in.empty() && actions < kMaxActions; ++actions) {
        const auto action = static_cast<Action>(in.byte() % static_cast<int>(Action::Count));
        switch (action) {
            case Action::Command: {
                const int player = readPlayer(in, game);
                give(game, pressButton(player, static_cast<int>(in.byte() % 23) - 1));  // -1..21
                checkRoundTrip(game);
                break;
            }
            case Action::SelectorPress: {
                const int player = readPlayer(in, game);
                give(game, commandOn(CommandKind::PressSelectorControl, player, in.byte() % 9));
                break;
            }
            case Action::Placement: {
                const int player = readPlayer(in, game);
                float x = 0.0f, y = 0.0f;
                readPoint(in, game, x, y);
                give(game, commandAt(CommandKind::PlaceGroup, player, x, y));
                break;
            }
            case Action::Destination: {
                const int player = readPlayer(in, game);
                give(game, commandOn(CommandKind::SelectGroup, player, readGroupId(in, game)));
                float x = 0.0f, y = 0.0f;
                readPoint(in, game, x, y);
                give(game, commandAt(CommandKind::GiveDestination, player, x, y));
                break;
            }
            case Action::AnyCommand: {
                PlayerCommand command;
                command.kind = static_cast<CommandKind>(in.byte() % (kCommandKinds + 1));
                command.player = readPlayer(in, game);
                const uint8_t value = in.byte();
                command.value = value < 250 ? value - 1 : static_cast<int32_t>(in.word());
                readPoint(in, game, command.x, command.y);
                give(game, command);
                break;
            }
            case Action::BattleFrames:
                for (int frames = 1 + in.byte(); frames > 0 && workLeft > 0; --frames) {
                    frame(readFrameMs(in));
                    checkInvariants(game, harness.running);
                }
                break;
            case Action::BattleToTheEnd: {
                // Frames of 10..100 ms: a battle of hundreds of ships then ends in
                // a few hundred frames; shorter frames come with BattleFrames.
                const uint32_t ms = 10 + in.byte() % 91;
                while (workLeft > 0 && isBattlePhase(game.session.phase)) frame(ms);
                break;
            }
            case Action::TestModeKey: {
                const uint8_t key = in.byte();
                keyDown[key % 2 == 0 ? kF2 : kF12] = key / 2 % 2 == 0;
                break;
            }
            case Action::Count: break;
        }
        checkInvariants(game, harness.running);
        runHarness(harness, game, keyDown, keyLatch, clock);
        checkInvariants(game, harness.running);
    }
    return 0;
}
