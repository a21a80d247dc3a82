// Save file: one game kept in Save.kvd of the write folder, every field written and read one
// by one as little-endian 4-byte values. A save replaces the old file only once
// the new one is completely on disk; a load checks the whole file before it
// touches the game, so a damaged file changes nothing.
#include "game/save_file.h"

#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "game/data_file.h"
#include "game/data_path.h"
#include "game/game.h"
#include "game/game_end.h"
#include "game/loaded_bounds.h"

namespace {

constexpr const char* kSaveName = "Save.kvd";
constexpr const char* kSaveTempName = "Save.kvd.tmp";
constexpr int kPlanetRecordBytes = 36;
constexpr int kTeamsBytes = 4 * kMaxPlayers;
constexpr int kIntelRecordBytes = 8 * kPlanetCount;
constexpr int kSaveCountBytes = 12;  // player count, current player, group count
// A new save takes its name, or the name with "-2" .. "-100" added.
constexpr int kMostNewFileCopies = 100;

static_assert(kSaveCountBytes + kPlanetCount * kPlanetRecordBytes + kTeamsBytes +
                  kMaxPlayers * kIntelRecordBytes ==
              kSaveHeaderBytes);

// ---------------------------------------------------------------------------
// Encoding.

void putInt(std::vector<uint8_t>& bytes, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(bits >> shift));
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
    putInt(bytes, 0);  // the link slot: no meaning on disk, always written as 0
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

int64_t expectedSize(int64_t groupCount) { return kSaveHeaderBytes + kSaveGroupBytes * groupCount; }

bool fail(std::string& reason, std::string what) {
    reason = std::move(what);
    return false;
}

// The three counts, checked against each other and against the file's size
// before anything else is read.
bool readHeader(Reader& reader, SavedGame& saved, int32_t& groupCount, std::string& reason) {
    const size_t size = reader.bytes.size();
    if (size < static_cast<size_t>(kSaveHeaderBytes))
        return fail(reason, "the file is too short (" + std::to_string(size) + " bytes)");
    const int32_t playerCount = reader.readInt();
    const int32_t currentPlayer = reader.readInt();
    groupCount = reader.readInt();
    if (groupCount < 0)
        return fail(reason, "the group count " + std::to_string(groupCount) + " is negative");
    if (static_cast<int64_t>(size) != expectedSize(groupCount))
        return fail(reason, "the size " + std::to_string(size) + " does not match " +
                                std::to_string(groupCount) + " groups (" +
                                std::to_string(expectedSize(groupCount)) + " bytes)");
    if (playerCount < kMinPlayers || playerCount > kMaxPlayers)
        return fail(reason, "the player count " + std::to_string(playerCount) + " is not 2..8");
    if (currentPlayer < 0 || currentPlayer >= playerCount)
        return fail(reason, "the current player " + std::to_string(currentPlayer) + " is not 0.." +
                                std::to_string(playerCount - 1));
    saved.playerCount = playerCount;
    saved.currentPlayer = currentPlayer;
    return true;
}

bool readGroups(Reader& reader, int32_t groupCount, int32_t lastPlayer, std::vector<Group>& groups,
                std::string& reason) {
    groups.reserve(static_cast<size_t>(groupCount));
    for (int32_t i = 0; i < groupCount; ++i) {
        const Group group = readGroup(reader);
        const std::string which = "group record " + std::to_string(i);
        if (!allFinite({group.x, group.y, group.destinationX, group.destinationY, group.stepX,
                        group.stepY}))
            return fail(reason, which + " has a position or step that is not a finite number");
        if (group.owner < 0 || group.owner > lastPlayer)
            return fail(reason, which + " has the owner " + std::to_string(group.owner));
        if (group.ships < 1 || group.ships > kMostShipsInOnePlace)
            return fail(reason, which + " has " + std::to_string(group.ships) + " ships");
        if (group.stepsLeft < 0)
            return fail(reason, which + " has " + std::to_string(group.stepsLeft) + " steps left");
        groups.push_back(group);
    }
    return true;
}

bool readPlanets(Reader& reader, int32_t lastPlayer, Galaxy& planets, std::string& reason) {
    for (int i = 0; i < kPlanetCount; ++i) {
        const Planet planet = readPlanet(reader);
        const std::string which = "planet " + std::to_string(i);
        if (!allFinite({planet.x, planet.y, planet.tilt, planet.spin, planet.markerAngle}))
            return fail(reason, which + " has a position or angle that is not a finite number");
        if (planet.owner < -1 || planet.owner > lastPlayer)
            return fail(reason, which + " has the owner " + std::to_string(planet.owner));
        if (planet.ships < 0 || planet.ships > kMostShipsInOnePlace)
            return fail(reason, which + " has " + std::to_string(planet.ships) + " ships");
        if (planet.production < 0 || planet.production > kMostLoadedProduction)
            return fail(reason, which + " has the production " + std::to_string(planet.production));
        if (planet.model != 0 && planet.model != 1)
            return fail(reason, which + " has the model " + std::to_string(planet.model));
        planets[i] = planet;
    }
    return true;
}

// Each place may hold its bound and still the sum could overflow the statistics.
bool checkShipsInAll(const SavedGame& saved, std::string& reason) {
    int64_t shipsInAll = 0;
    for (const Group& group : saved.groups) shipsInAll += group.ships;
    for (const Planet& planet : saved.planets) shipsInAll += planet.ships;
    if (shipsInAll > kMostShipsInAll)
        return fail(reason, "it holds " + std::to_string(shipsInAll) + " ships in all");
    return true;
}

bool readTeams(Reader& reader, Teams& teams, std::string& reason) {
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        teams[slot] = reader.readInt();
        if (teams[slot] < 0 || teams[slot] >= kMaxPlayers)
            return fail(reason, "player slot " + std::to_string(slot) + " has the team " +
                                    std::to_string(teams[slot]));
    }
    return true;
}

// What every player slot knows of the planets; the known ships are whatever
// was last seen, so only the owners have a range.
bool readIntel(Reader& reader, std::array<PlanetIntel, kMaxPlayers>& intel, std::string& reason) {
    for (int slot = 0; slot < kMaxPlayers; ++slot) {
        PlanetIntel& known = intel[slot];
        for (int i = 0; i < kPlanetCount; ++i) {
            known.knownOwner[i] = reader.readInt();
            if (known.knownOwner[i] < -1 || known.knownOwner[i] >= kMaxPlayers)
                return fail(reason, "player slot " + std::to_string(slot) + " knows planet " +
                                        std::to_string(i) + " as owned by " +
                                        std::to_string(known.knownOwner[i]));
        }
        for (int i = 0; i < kPlanetCount; ++i) known.knownShips[i] = reader.readInt();
    }
    return true;
}

// Decodes and checks the file in the order of its parts; on failure `reason`
// says what is wrong.
std::optional<SavedGame> decodeSave(const std::vector<uint8_t>& bytes, std::string& reason) {
    Reader reader{bytes};
    SavedGame saved;
    int32_t groupCount = 0;
    if (!readHeader(reader, saved, groupCount, reason)) return std::nullopt;
    const int32_t lastPlayer = saved.playerCount - 1;
    if (!readGroups(reader, groupCount, lastPlayer, saved.groups, reason) ||
        !readPlanets(reader, lastPlayer, saved.planets, reason) ||
        !checkShipsInAll(saved, reason) || !readTeams(reader, saved.teams, reason) ||
        !readIntel(reader, saved.intel, reason))
        return std::nullopt;
    return saved;
}

// ---------------------------------------------------------------------------
// Files.

// `what` is the failed action with its object, e.g. "cannot create Data/x";
// the system's reason follows it.
std::string failureOf(const std::string& what) { return what + ": " + std::strerror(errno); }

void reportSaveFailure(const std::string& failure) {
    std::fprintf(stderr, "Brennolt: the game was not saved (%s); any earlier save is kept\n",
                 failure.c_str());
}

void reportLoadFailure(const std::string& path, const std::string& reason) {
    std::fprintf(stderr, "Brennolt: the saved game in %s was not loaded: %s\n", path.c_str(),
                 reason.c_str());
}

// The whole file on disk, or none at all and what failed in `failure`.
bool writeAll(const SaveFileOps& ops, const std::string& path, const std::vector<uint8_t>& bytes,
              std::string& failure) {
    std::FILE* file = ops.open(path.c_str());
    if (file == nullptr) {
        failure = failureOf("cannot create " + path);
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
        failure = failureOf("cannot write " + path);
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
        reportSaveFailure(failureOf("cannot create " + folders.write));
        return false;
    }
    std::string failure;
    if (!writeAll(ops, tempPath, encodeSave(game), failure)) {
        reportSaveFailure(failure);
        return false;
    }
    if (ops.rename(tempPath.c_str(), path.c_str()) != 0) {
        reportSaveFailure(failureOf("cannot replace " + path));
        std::remove(tempPath.c_str());
        return false;
    }
    return true;
}

std::string saveNewFile(const DataFolders& folders, const std::string& stem,
                        const std::vector<uint8_t>& bytes, std::string& failure) {
    if (!prepareWriteFolder(folders)) {
        failure = failureOf("cannot create " + folders.write);
        return {};
    }
    // Written whole under a name of this process's own, then linked to the
    // first free name: a link never replaces a file that is there.
    const std::string tempPath =
        dataPath(folders.write, stem + ".kvd." + std::to_string(getpid()) + ".tmp");
    if (!writeAll(systemSaveFileOps(), tempPath, bytes, failure)) return {};
    std::string name;
    for (int copy = 1; copy <= kMostNewFileCopies && name.empty() && failure.empty(); ++copy) {
        const std::string candidate = stem + (copy == 1 ? "" : "-" + std::to_string(copy)) + ".kvd";
        const std::string path = dataPath(folders.write, candidate);
        if (link(tempPath.c_str(), path.c_str()) == 0) {
            name = candidate;
        } else if (errno != EEXIST || copy == kMostNewFileCopies) {
            failure = failureOf("cannot create " + path);
        }
    }
    std::remove(tempPath.c_str());
    return name;
}

bool loadGame(Game& game) {
    std::vector<uint8_t> bytes;
    std::string reason;
    const bool named = !game.dataFolders.loadFile.empty();
    const std::string path =
        named ? game.dataFolders.loadFile : dataPath(game.dataFolders.write, kSaveName);
    switch (readDataFile(path, bytes, reason)) {
        case FileRead::Missing:
            // No save yet: the setup screen simply stays. A save asked for by name is missed.
            if (named) reportLoadFailure(path, reason);
            return false;
        case FileRead::Failed: reportLoadFailure(path, reason); return false;
        case FileRead::Read: break;
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

    enterPhase(game, GamePhase::TurnStart);
    game.gamesBegun += 1;
    game.gameLoaded = true;
    // A saved game may already be decided, or open on the turn of a player who
    // has nothing left to play with.
    if (!checkGameEnd(game) && !ownsAnything(game, session.currentPlayer))
        session.currentPlayer = nextPlayerToMove(game, session.currentPlayer);
    return true;
}
