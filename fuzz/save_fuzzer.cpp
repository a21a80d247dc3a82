// Fuzzes the save-file reader: any bytes as Data/Save.kvd. A refused file
// must leave the game as it was; an accepted one must be a whole game that
// saves back to the same bytes (with the ids renumbered, and the turn passed
// on from a player who has nothing) and plays a round.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "fuzz/fuzz_folder.h"
#include "fuzz/game_invariants.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/game_end.h"
#include "game/groups.h"
#include "game/save_file.h"

namespace {

constexpr size_t kCurrentPlayerOffset = 4;
constexpr size_t kGroupsOffset = 12;
constexpr size_t kIdOffset = 36;
constexpr size_t kLinkOffset = 40;

void setInt(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

[[noreturn]] void fail(const char* what) { fuzzFailure(what); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterFuzzFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen("Data/Save.kvd", "wb");
    if (file == nullptr) fail("cannot write the save file to load");
    if (size > 0 && std::fwrite(data, 1, size, file) != size) fail("cannot write the save file");
    std::fclose(file);

    Game game;
    initialiseGame(game);
    const std::vector<uint8_t> before = encodeSave(game);
    if (!loadGame(game)) {
        if (game.session.phase != GamePhase::Setup || encodeSave(game) != before)
            fail("a refused save changed the game");
        return 0;
    }
    checkInvariants(game);

    // The loaded game holds exactly what the file said, apart from the ids
    // (numbered afresh in list order) and the meaningless link slot. A file
    // that opens on the turn of a player with nothing, in a game not yet
    // decided, hands the turn to the next player who has something.
    std::vector<uint8_t> expected(data, data + size);
    // An accepted file names a player 0..7: the low byte is all of it.
    const int savedPlayer = static_cast<int>(data[kCurrentPlayerOffset]);
    const int player = game.session.currentPlayer;
    if (player != savedPlayer) {
        if (game.session.phase == GamePhase::GameOver || ownsAnything(game, savedPlayer) ||
            !ownsAnything(game, player) || nextPlayerToMove(game, savedPlayer) != player)
            fail("the turn went to the wrong player after the load");
        setInt(expected, kCurrentPlayerOffset, player);
    }
    const int groups = countGroups(game.registry);
    for (int i = 0; i < groups; ++i) {
        setInt(expected, kGroupsOffset + kSaveGroupBytes * i + kIdOffset, i);
        setInt(expected, kGroupsOffset + kSaveGroupBytes * i + kLinkOffset, 0);
    }
    if (encodeSave(game) != expected) fail("the loaded game does not save back to its file");

    // One round of every player from the loaded turn screen: statistics,
    // movement, production and what the teams see all work on loaded values.
    for (int player = 0; player < game.session.playerCount; ++player) {
        for (CommandId id : {CommandId::BeginTurn, CommandId::EndMovement, CommandId::EndBattle}) {
            dispatchCommand(game, id);
            checkInvariants(game);
        }
    }
    return 0;
}
