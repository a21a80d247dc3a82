// Save file: one game kept in Save.kvd of the write folder, every field written and read one
// by one as little-endian 4-byte values. A save replaces the old file only once
// the new one is completely on disk; a load checks the whole file before it
// touches the game, so a damaged file changes nothing.
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>

#include <unistd.h>

#include "game/commands.h"
#include "game/data_path.h"
#include "game/game.h"
#include "game/save_file.h"

namespace {

constexpr const char* kSaveName = "Save.kvd";
constexpr const char* kSaveTempName = "Save.kvd.tmp";
constexpr int kPlanetRecordBytes = 36;
constexpr int kTeamsBytes = 4 * kMaxPlayers;
constexpr int kIntelRecordBytes = 8 * kPlanetCount;
constexpr int kSaveCountBytes = 12;  // player count, current player, group count

// Bounds far beyond any real game (production is 10..30 and never changes,
// stocks stay far below a million) that keep every sum of ships within an int
// and every battle within reach of the memory.
constexpr int32_t kMostShipsInOnePlace = 100'000'000;
constexpr int64_t kMostShipsInAll = 1'000'000'000;
constexpr int32_t kMostProduction = 1'000;

static_assert(kSaveCountBytes + kPlanetCount * kPlanetRecordBytes + kTeamsBytes +
                  kMaxPlayers * kIntelRecordBytes ==
              kSaveHeaderBytes);

// ---------------------------------------------------------------------------
// Encoding.

void putInt(std::vector<uint8_t>& bytes, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(bits >> shift));
}

void putFloat(std::vector<uint8_t>& bytes, float value) {
    putInt(bytes, std::bit_cast<int32_t>(value));
}

void putGroup(std::vector<uint8_t>& bytes, const Group& group) {
    putFloat(bytes, group.x);
    putFloat(bytes, group.y);
    putFloat(bytes, group.destinationX);
    putFloat(bytes, group.destinationY);
    putFloat(bytes, group.stepX);
    putFloat(bytes, group.stepY);
    putInt(bytes, group.stepsLeft);
    putInt(bytes, group.owner);
    putInt(bytes, group.ships);
    putInt(bytes, group.id);
    putInt(bytes, 0);  // the slot where the list link once lay; meaningless on disk
}

void putPlanet(std::vector<uint8_t>& bytes, const Planet& planet) {
    putFloat(bytes, planet.x);
    putFloat(bytes, planet.y);
    putInt(bytes, planet.production);
    putInt(bytes, planet.ships);
    putInt(bytes, planet.owner);
    putFloat(bytes, planet.tilt);
    putFloat(bytes, planet.spin);
    putFloat(bytes, planet.markerAngle);
    putInt(bytes, planet.model);
}

// ---------------------------------------------------------------------------
// Decoding and validation.

struct Reader {
    const std::vector<uint8_t>& bytes;
    size_t offset = 0;

    int32_t readInt() {
        uint32_t bits = 0;
        for (int shift = 0; shift < 32; shift += 8) bits |= uint32_t{bytes[offset++]} << shift;
        return static_cast<int32_t>(bits);
    }
    float readFloat() { return std::bit_cast<float>(readInt()); }
};

// Everything the file holds, checked before any of it reaches the game.
struct SavedGame {
    int32_t playerCount = 0;
    int32_t currentPlayer = 0;
    std::vector<Group> groups;
    Galaxy planets;
    Teams teams{};
    std::array<PlanetIntel, kMaxPlayers> intel;
};

Group readGroup(Reader& reader) {
    Group group;
    group.x = reader.readFloat();
    group.y = reader.readFloat();
    group.destinationX = reader.readFloat();
    group.destinationY = reader.readFloat();
    group.stepX = reader.readFloat();
    group.stepY = reader.readFloat();
    group.stepsLeft = reader.readInt();
    group.owner = reader.readInt();
    group.ships = reader.readInt();
    reader.readInt();  // the stored id: loaded groups are numbered afresh
    reader.readInt();  // the link slot
    return group;
}

Planet readPlanet(Reader& reader) {
    Planet planet;
    planet.x = reader.readFloat();
    planet.y = reader.readFloat();
    planet.production = reader.readInt();
    planet.ships = reader.readInt();
    planet.owner = reader.readInt();
    planet.tilt = reader.readFloat();
    planet.spin = reader.readFloat();
    planet.markerAngle = reader.readFloat();
    planet.model = reader.readInt();
    return planet;
}

bool allFinite(std::initializer_list<float> values) {
    for (float value : values) {
        if (!std::isfinite(value)) return false;
    }
    return true;
}

int64_t expectedSize(int64_t groupCount) {
    return kSaveHeaderBytes + kSaveGroupBytes * groupCount;
}

// Decodes and checks the file; on failure `reason` says what is wrong.
std::optional<SavedGame> decodeSave(const std::vector<uint8_t>& bytes, std::string& reason) {
    if (bytes.size() < static_cast<size_t>(kSaveHeaderBytes)) {
        reason = "the file is too short (" + std::to_string(bytes.size()) + " bytes)";
        return std::nullopt;
    }
    Reader reader{bytes};
    SavedGame saved;
    saved.playerCount = reader.readInt();
    saved.currentPlayer = reader.readInt();
    const int32_t groupCount = reader.readInt();
    if (groupCount < 0) {
        reason = "the group count " + std::to_string(groupCount) + " is negative";
        return std::nullopt;
    }
    if (static_cast<int64_t>(bytes.size()) != expectedSize(groupCount)) {
        reason = "the size " + std::to_string(bytes.size()) + " does not match " +
                 std::to_string(groupCount) + " groups (" +
                 std::to_string(expectedSize(groupCount)) + " bytes)";
        return std::nullopt;
    }
    if (saved.playerCount < kMinPlayers || saved.playerCount > kMaxPlayers) {
        reason = "the player count " + std::to_string(saved.playerCount) + " is not 2..8";
        return std::nullopt;
    }
    const int32_t lastPlayer = saved.playerCount - 1;
    if (saved.currentPlayer < 0 || saved.currentPlayer > lastPlayer) {
        reason = "the current player " + std::to_string(saved.currentPlayer) + " is not 0.." +
                 std::to_string(lastPlayer);
        return std::nullopt;
    }

    saved.groups.reserve(static_cast<size_t>(groupCount));
    for (int32_t i = 0; i < groupCount; ++i) {
        const Group group = readGroup(reader);
        const std::string which = "group record " + std::to_string(i);
        if (!allFinite({group.x, group.y, group.destinationX, group.destinationY, group.stepX,
                        group.stepY})) {
            reason = which + " has a position or step that is not a finite number";
            return std::nullopt;
        }
        if (group.owner < 0 || group.owner > lastPlayer) {
            reason = which + " has the owner " + std::to_string(group.owner);
            return std::nullopt;
        }
        if (group.ships < 1 || group.ships > kMostShipsInOnePlace) {
            reason = which + " has " + std::to_string(group.ships) + " ships";
            return std::nullopt;
        }
        if (group.stepsLeft < 0) {
            reason = which + " has " + std::to_string(group.stepsLeft) + " steps left";
            return std::nullopt;
        }
        saved.groups.push_back(group);
    }

    for (int i = 0; i < kPlanetCount; ++i) {
        const Planet planet = readPlanet(reader);
        const std::string which = "planet " + std::to_string(i);
        if (!allFinite({planet.x, planet.y, planet.tilt, planet.spin, planet.markerAngle})) {
            reason = which + " has a position or angle that is not a finite number";
            return std::nullopt;
        }
        if (planet.owner < -1 || planet.owner > lastPlayer) {
            reason = which + " has the owner " + std::to_string(planet.owner);
            return std::nullopt;
        }
        if (planet.ships < 0 || planet.ships > kMostShipsInOnePlace) {
            reason = which + " has " + std::to_string(planet.ships) + " ships";
            return std::nullopt;
        }
        if (planet.production < 0 || planet.production > kMostProduction) {
            reason = which + " has the production " + std::to_string(planet.production);
            return std::nullopt;
        }
        if (planet.model != 0 && planet.model != 1) {
            reason = which + " has the model " + std::to_string(planet.model);
            return std::nullopt;
        }
        saved.planets[i] = planet;
    }

    int64_t shipsInAll = 0;
    for (const Group& group : saved.groups) shipsInAll += group.ships;
    for (const Planet& planet : saved.planets) shipsInAll += planet.ships;
    if (shipsInAll > kMostShipsInAll) {
        reason = "it holds " + std::to_string(shipsInAll) + " ships in all";
        return std::nullopt;
    }

    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        saved.teams[slot] = reader.readInt();
        if (saved.teams[slot] < 0 || saved.teams[slot] >= kMaxPlayers) {
            reason = "player slot " + std::to_string(slot) + " has the team " +
                     std::to_string(saved.teams[slot]);
            return std::nullopt;
        }
    }

    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        PlanetIntel& intel = saved.intel[slot];
        for (int i = 0; i < kPlanetCount; ++i) {
            intel.knownOwner[i] = reader.readInt();
            if (intel.knownOwner[i] < -1 || intel.knownOwner[i] >= kMaxPlayers) {
                reason = "player slot " + std::to_string(slot) + " knows planet " +
                         std::to_string(i) + " as owned by " + std::to_string(intel.knownOwner[i]);
                return std::nullopt;
            }
        }
        for (int i = 0; i < kPlanetCount; ++i) intel.knownShips[i] = reader.readInt();
    }
    return saved;
}

// ---------------------------------------------------------------------------
// Files.

std::string systemReason() { return std::strerror(errno); }

// `what` is the failed action with its object, e.g. "cannot create Data/x".
void reportSaveFailure(const std::string& what) {
    std::fprintf(stderr, "Brennolt: the game was not saved (%s: %s); any earlier save is kept\n",
                 what.c_str(), systemReason().c_str());
}

void reportLoadFailure(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "Brennolt: the saved game in %s was not loaded: %s\n", path.c_str(),
                 reason.c_str());
}

// Reads the whole file, but never more than `limit` + 1 bytes, so a file
// whose group count says it is small cannot make us swallow a huge one.
enum class ReadResult { Read, Missing, Failed };

ReadResult readSaveFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        if (errno == ENOENT) return ReadResult::Missing;
        reason = "cannot open it (" + systemReason() + ")";
        return ReadResult::Failed;
    }
    int64_t limit = kSaveHeaderBytes;
    bool failed = false;
    uint8_t chunk[4096];
    while (static_cast<int64_t>(bytes.size()) <= limit) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file);
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() >= static_cast<size_t>(kSaveCountBytes)) {
            const int32_t groupCount = static_cast<int32_t>(
                uint32_t{bytes[8]} | uint32_t{bytes[9]} << 8 | uint32_t{bytes[10]} << 16 |
                uint32_t{bytes[11]} << 24);
            if (groupCount > 0) limit = expectedSize(groupCount);
        }
        if (got < sizeof chunk) {
            if (std::ferror(file)) {
                reason = "cannot read it (" + systemReason() + ")";
                failed = true;
            }
            break;
        }
    }
    std::fclose(file);
    return failed ? ReadResult::Failed : ReadResult::Read;
}

bool writeAll(const SaveFileOps& ops, const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = ops.open(path.c_str());
    if (file == nullptr) {
        reportSaveFailure("cannot create " + path);
        return false;
    }
    bool written = ops.write(bytes.data(), bytes.size(), file) == bytes.size();
    written = written && ops.flush(file) == 0;
    // The rename below must never put a file in place that is not yet on disk.
    written = written && ops.sync(file) == 0;
    const int writeError = errno;
    const bool closed = ops.close(file) == 0;
    if (!written || !closed) {
        if (!written) errno = writeError;
        reportSaveFailure("cannot write " + path);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::vector<uint8_t> encodeSave(const Game& game) {
    std::vector<uint8_t> bytes;
    const int groupCount = countGroups(game.registry);
    bytes.reserve(static_cast<size_t>(expectedSize(groupCount)));
    putInt(bytes, game.session.playerCount);
    putInt(bytes, game.session.currentPlayer);
    putInt(bytes, groupCount);
    for (const Group& group : game.registry.groups) putGroup(bytes, group);
    for (const Planet& planet : game.planets) putPlanet(bytes, planet);
    for (int32_t team : game.session.teams) putInt(bytes, team);
    for (const PlanetIntel& intel : game.intel) {
        for (int32_t owner : intel.knownOwner) putInt(bytes, owner);
        for (int32_t ships : intel.knownShips) putInt(bytes, ships);
    }
    return bytes;
}

SaveFileOps systemSaveFileOps() {
    SaveFileOps ops;
    ops.open = [](const char* path) { return std::fopen(path, "wb"); };
    ops.write = [](const void* data, size_t size, std::FILE* file) {
        return std::fwrite(data, 1, size, file);
    };
    ops.flush = [](std::FILE* file) { return std::fflush(file); };
    ops.sync = [](std::FILE* file) { return fsync(fileno(file)); };
    ops.close = [](std::FILE* file) { return std::fclose(file); };
    ops.rename = [](const char* from, const char* to) { return std::rename(from, to); };
    return ops;
}

bool saveGame(Game& game) { return saveGame(game, systemSaveFileOps()); }

bool saveGame(Game& game, const SaveFileOps& ops) {
    const DataFolders& folders = game.dataFolders;
    const std::string path = dataPath(folders.write, kSaveName);
    const std::string tempPath = dataPath(folders.write, kSaveTempName);
    if (!prepareWriteFolder(folders)) {
        reportSaveFailure("cannot create " + folders.write);
        return false;
    }
    if (!writeAll(ops, tempPath, encodeSave(game))) return false;
    if (ops.rename(tempPath.c_str(), path.c_str()) != 0) {
        reportSaveFailure("cannot replace " + path);
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}

bool loadGame(Game& game) {
    std::vector<uint8_t> bytes;
    std::string reason;
    const std::string path = dataPath(game.dataFolders.write, kSaveName);
    switch (readSaveFile(path, bytes, reason)) {
        case ReadResult::Missing: return false;  // no save yet: the setup screen simply stays
        case ReadResult::Failed: reportLoadFailure(path, reason); return false;
        case ReadResult::Read: break;
    }
    std::optional<SavedGame> saved = decodeSave(bytes, reason);
    if (!saved) {
        reportLoadFailure(path, reason);
        return false;
    }

    emptyBattle(game);
    GameSession& session = game.session;
    session.playerCount = saved->playerCount;
    session.currentPlayer = saved->currentPlayer;
    clearGroups(game.registry);
    for (const Group& group : saved->groups) appendGroupRecord(game.registry, group);
    game.planets = saved->planets;
    session.teams = saved->teams;
    game.intel = saved->intel;

    session.phase = GamePhase::TurnStart;
    auto setVisible = [&](CommandId id, bool visible) {
        game.buttons.buttons[static_cast<int>(id)].visible = visible;
    };
    setVisible(CommandId::SaveGame, true);
    setVisible(CommandId::LoadGame, false);
    setVisible(CommandId::QuitGame, true);
    setVisible(CommandId::BeginTurn, true);
    setVisible(CommandId::IncreasePlayers, false);
    setVisible(CommandId::DecreasePlayers, false);
    return true;
}
