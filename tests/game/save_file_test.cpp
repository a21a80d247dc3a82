// Save file: the byte layout, a save and load round trip, damaged files that
// must change nothing, and failed saves that must keep the previous save.
#include "game/save_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "data_folder.h"
#include "game/commands.h"
#include "game/data_path.h"
#include "game/describe_game.h"
#include "game/game.h"
#include "game/game_setup.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr size_t kCountsBytes = 12;
constexpr size_t kPlanetBytes = 36;
constexpr size_t kIdOffset = 36;
constexpr size_t kLinkOffset = 40;

size_t groupOffset(int index) {
    return kCountsBytes + kSaveGroupBytes * static_cast<size_t>(index);
}
size_t planetOffset(int groups, int index) { return groupOffset(groups) + kPlanetBytes * index; }
size_t teamsOffset(int groups) { return groupOffset(groups) + kPlanetBytes * kPlanetCount; }
size_t intelOffset(int groups, int slot) { return teamsOffset(groups) + 32 + 256 * slot; }

int32_t intAt(const Bytes& bytes, size_t offset) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= uint32_t{bytes.at(offset + i)} << (8 * i);
    return static_cast<int32_t>(bits);
}
float floatAt(const Bytes& bytes, size_t offset) {
    return std::bit_cast<float>(intAt(bytes, offset));
}
void setInt(Bytes& bytes, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}
void setFloat(Bytes& bytes, size_t offset, float value) {
    setInt(bytes, offset, std::bit_cast<int32_t>(value));
}

const std::string kSavePath = "Data/Save.kvd";
const std::string kTempPath = "Data/Save.kvd.tmp";

int linesIn(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

// A game of three players in two teams on the turn screen, with owned planets,
// intelligence, a group on its way and ids with a gap (one group was removed).
void buildGame(Game& game) {
    initialiseGame(game);
    seedRandom(game.random, 4711);
    game.session.playerCount = 3;
    game.session.teams = {0, 1, 1, 0, 0, 0, 0, 0};
    dispatchCommand(game, CommandId::BeginTurn);
    game.session.currentPlayer = 2;
    game.planets[3].owner = 1;
    game.planets[3].ships = 40;
    game.planets[7].owner = 2;
    game.planets[7].markerAngle = 12.5f;
    game.intel[0].knownOwner[3] = 1;
    game.intel[0].knownShips[3] = 33;
    game.intel[2].knownOwner[7] = 2;
    game.intel[2].knownShips[7] = -4;
    removeGroup(game.registry, 1);
    setDestination(game.registry, 0, game.planets[3].x, game.planets[3].y);
    advanceGroups(game.registry, game.registry.groups[0].owner);
    splitGroup(game.registry, 2, -170.25f, 260.5f, 57, 2);
}

// Runs each test in a fresh temporary folder with an empty Data folder in it,
// as the game finds its files relative to the working directory.
class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.ready()); }

    // Loads the file into `game` and returns what went to standard error.
    static std::string loadReportingErrors(Game& game, bool& loaded) {
        ::testing::internal::CaptureStderr();
        loaded = loadGame(game);
        return ::testing::internal::GetCapturedStderr();
    }
    static std::string saveReportingErrors(Game& game, bool& saved) {
        ::testing::internal::CaptureStderr();
        saved = saveGame(game);
        return ::testing::internal::GetCapturedStderr();
    }

    DataFolder folder_;
};

}  // namespace

// ---------------------------------------------------------------------------
// The layout.

TEST(SaveLayout, EveryFileGoesThroughTheDataFolder) {
    EXPECT_EQ(dataPath(DataFolders{}.write, "Save.kvd"), "Data/Save.kvd");
    EXPECT_EQ(dataPath(DataFolders{}.write, "output.txt"), "Data/output.txt");
}

TEST(SaveLayout, SizeIsHeaderPlusOneRecordPerGroup) {
    Game game;
    initialiseGame(game);
    EXPECT_EQ(encodeSave(game).size(), 3244u);
    for (int i = 0; i < 4; ++i) createGroup(game.registry, 0.0f, 0.0f, 0.0f, 0.0f, 1, 0);
    EXPECT_EQ(encodeSave(game).size(), 3420u);
}

TEST(SaveLayout, ValuesStandAtTheirOffsetsLittleEndian) {
    Game game;
    initialiseGame(game);
    game.session.playerCount = 5;
    game.session.currentPlayer = 3;
    game.session.teams[6] = 4;
    createGroup(game.registry, 1.0f, 2.0f, 1.0f, 2.0f, 10, 0);
    createGroup(game.registry, 1.0f, 2.0f, 3.0f, 4.0f, 10, 0);
    createGroup(game.registry, -3.0f, 0.0f, 61.0f, 0.0f, 250, 4);  // 64 units: 2 steps of (32, 0)
    removeGroup(game.registry, 1);                                 // ids 0 and 2 remain
    Planet& planet = game.planets[5];
    planet = Planet{1.5f, -2.25f, 17, 33, 2, -45.0f, 359.0f, 90.5f, 1};
    game.intel[3].knownOwner[7] = 4;
    game.intel[3].knownShips[7] = 77;

    const Bytes bytes = encodeSave(game);
    ASSERT_EQ(bytes.size(), 3244u + 2 * 44u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 12),
              (Bytes{5, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0}));

    const size_t g = groupOffset(1);
    EXPECT_EQ(floatAt(bytes, g + 0), -3.0f);
    EXPECT_EQ(floatAt(bytes, g + 4), 0.0f);
    EXPECT_EQ(floatAt(bytes, g + 8), 61.0f);
    EXPECT_EQ(floatAt(bytes, g + 12), 0.0f);
    EXPECT_EQ(floatAt(bytes, g + 16), 32.0f);
    EXPECT_EQ(floatAt(bytes, g + 20), 0.0f);
    EXPECT_EQ(intAt(bytes, g + 24), 2);
    EXPECT_EQ(intAt(bytes, g + 28), 4);
    EXPECT_EQ(intAt(bytes, g + 32), 250);
    EXPECT_EQ(intAt(bytes, g + kIdOffset), 2);  // the group's own id, gaps and all
    EXPECT_EQ(intAt(bytes, g + kLinkOffset), 0);
    EXPECT_EQ(Bytes(bytes.begin() + g + 32, bytes.begin() + g + 36), (Bytes{250, 0, 0, 0}));

    const size_t p = planetOffset(2, 5);
    EXPECT_EQ(Bytes(bytes.begin() + p, bytes.begin() + p + 4), (Bytes{0, 0, 0xC0, 0x3F}));  // 1.5f
    EXPECT_EQ(floatAt(bytes, p + 4), -2.25f);
    EXPECT_EQ(intAt(bytes, p + 8), 17);
    EXPECT_EQ(intAt(bytes, p + 12), 33);
    EXPECT_EQ(intAt(bytes, p + 16), 2);
    EXPECT_EQ(floatAt(bytes, p + 20), -45.0f);
    EXPECT_EQ(floatAt(bytes, p + 24), 359.0f);
    EXPECT_EQ(floatAt(bytes, p + 28), 90.5f);
    EXPECT_EQ(intAt(bytes, p + 32), 1);
    const size_t neutral = planetOffset(2, 6) + 16;
    EXPECT_EQ(Bytes(bytes.begin() + neutral, bytes.begin() + neutral + 4),
              (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));

    EXPECT_EQ(teamsOffset(2), 1164u + 88u);
    EXPECT_EQ(intAt(bytes, teamsOffset(2) + 4 * 6), 4);
    EXPECT_EQ(intelOffset(2, 0), 1196u + 88u);
    EXPECT_EQ(intAt(bytes, intelOffset(2, 3) + 4 * 7), 4);
    EXPECT_EQ(intAt(bytes, intelOffset(2, 3) + 128 + 4 * 7), 77);
    EXPECT_EQ(intAt(bytes, intelOffset(2, 7) + 4 * 31), -1);  // the last known owner
    EXPECT_EQ(intAt(bytes, bytes.size() - 4), 0);             // the last known ships
}

// ---------------------------------------------------------------------------
// Saving and loading.

TEST_F(SaveFileTest, SaveLoadSaveGivesTheSameBytesWithFreshIds) {
    Game original;
    buildGame(original);
    ASSERT_TRUE(saveGame(original));
    const Bytes saved = readFile<Bytes>(kSavePath);
    EXPECT_EQ(saved, encodeSave(original));
    EXPECT_FALSE(fs::exists(kTempPath));

    Game loaded;
    initialiseGame(loaded);
    ASSERT_TRUE(loadGame(loaded));
    Bytes again = encodeSave(loaded);
    ASSERT_EQ(again.size(), saved.size());

    const int groups = countGroups(original.registry);
    ASSERT_EQ(countGroups(loaded.registry), groups);
    Bytes expected = saved;
    for (int i = 0; i < groups; ++i) {
        EXPECT_EQ(intAt(again, groupOffset(i) + kIdOffset), i);
        setInt(expected, groupOffset(i) + kIdOffset, i);
    }
    EXPECT_EQ(again, expected);
    EXPECT_EQ(loaded.registry.nextId, groups);
    EXPECT_EQ(loaded.session.phase, GamePhase::TurnStart);
    EXPECT_EQ(loaded.session.currentPlayer, 2);
    EXPECT_EQ(loaded.planets[7].markerAngle, 12.5f);
}

TEST_F(SaveFileTest, LoadingOpensTheTurnScreen) {
    Game original;
    buildGame(original);
    ASSERT_TRUE(saveGame(original));
    fs::rename(kSavePath, "Data/Named.kvd");  // the save named on the command line

    Game game;
    initialiseGame(game);
    game.dataFolders.loadFile = "Data/Named.kvd";
    ASSERT_TRUE(loadGame(game));
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_TRUE(visible(game, CommandId::SaveGame));
    EXPECT_TRUE(visible(game, CommandId::QuitGame));
    EXPECT_TRUE(visible(game, CommandId::BeginTurn));
    EXPECT_FALSE(visible(game, CommandId::LoadGame));
    EXPECT_FALSE(visible(game, CommandId::IncreasePlayers));
    EXPECT_FALSE(visible(game, CommandId::DecreasePlayers));

    dispatchCommand(game, CommandId::BeginTurn);
    EXPECT_EQ(game.session.phase, GamePhase::Movement);
    EXPECT_EQ(game.session.currentPlayer, 2);
}

TEST_F(SaveFileTest, GroupOnItsWayContinuesExactlyAsBefore) {
    Game original;
    buildGame(original);
    const Group& moving = original.registry.groups.back();
    ASSERT_GT(moving.stepsLeft, 2);
    ASSERT_NE(moving.stepX, 0.0f);
    ASSERT_TRUE(saveGame(original));
    Game loaded;
    initialiseGame(loaded);
    ASSERT_TRUE(loadGame(loaded));

    for (int turn = 0; turn < 20; ++turn) {
        for (int player = 0; player < 3; ++player) {
            advanceGroups(original.registry, player);
            advanceGroups(loaded.registry, player);
        }
        ASSERT_EQ(original.registry.groups.size(), loaded.registry.groups.size());
        for (size_t i = 0; i < original.registry.groups.size(); ++i) {
            const Group& a = original.registry.groups[i];
            const Group& b = loaded.registry.groups[i];
            EXPECT_EQ(std::bit_cast<uint32_t>(a.x), std::bit_cast<uint32_t>(b.x));
            EXPECT_EQ(std::bit_cast<uint32_t>(a.y), std::bit_cast<uint32_t>(b.y));
            EXPECT_EQ(a.stepsLeft, b.stepsLeft);
        }
    }
    EXPECT_EQ(loaded.registry.groups.back().stepsLeft, 0);
    EXPECT_EQ(loaded.registry.groups.back().x, -170.25f);
    EXPECT_EQ(loaded.registry.groups.back().y, 260.5f);
}

// No save yet is no news; a save slot that cannot be read is one line.
TEST_F(SaveFileTest, MissingOrUnreadableSaveChangesNothing) {
    const struct {
        const char* name;
        std::function<void()> place;
        int lines;
    } obstacles[] = {
        {"missing", [] {}, 0},
        {"a folder", [] { fs::create_directory(kSavePath); }, 1},
        {"a named pipe without a writer", [] { ASSERT_EQ(mkfifo(kSavePath.c_str(), 0600), 0); }, 1},
        {"a link to a device without end", [] { fs::create_symlink("/dev/zero", kSavePath); }, 1},
    };
    for (const auto& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.name);
        fs::remove(kSavePath);
        obstacle.place();
        Game game;
        initialiseGame(game);
        const std::string before = describeGame(game);
        bool loaded = true;
        const std::string errors = loadReportingErrors(game, loaded);
        EXPECT_FALSE(loaded);
        EXPECT_EQ(linesIn(errors), obstacle.lines) << errors;
        EXPECT_EQ(describeGame(game), before);
        EXPECT_TRUE(visible(game, CommandId::LoadGame));
    }
    Game named;
    named.dataFolders.loadFile = "Data/Named.kvd";  // a save named on the command line is missed
    bool loaded = true;
    EXPECT_EQ(linesIn(loadReportingErrors(named, loaded)), 1);
}

TEST_F(SaveFileTest, DamagedSaveIsRejectedAndChangesNothing) {
    Game source;
    buildGame(source);
    const int n = countGroups(source.registry);
    ASSERT_GE(n, 3);
    const Bytes good = encodeSave(source);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();

    struct Damage {
        const char* name;
        std::function<void(Bytes&)> apply;
    };
    const Damage damages[] = {
        {"empty file", [](Bytes& b) { b.clear(); }},
        {"shorter than the counts", [](Bytes& b) { b.resize(10); }},
        {"one byte short", [](Bytes& b) { b.pop_back(); }},
        {"one byte too many", [](Bytes& b) { b.push_back(0); }},
        {"one group record missing", [&](Bytes& b) { setInt(b, 8, n + 1); }},
        {"one group record too many", [&](Bytes& b) { setInt(b, 8, n - 1); }},
        {"negative group count", [](Bytes& b) { setInt(b, 8, -1); }},
        {"enormous group count", [](Bytes& b) { setInt(b, 8, INT_MAX); }},
        {"one player", [](Bytes& b) { setInt(b, 0, 1); }},
        {"nine players", [](Bytes& b) { setInt(b, 0, 9); }},
        {"negative current player", [](Bytes& b) { setInt(b, 4, -1); }},
        {"current player beyond the count", [](Bytes& b) { setInt(b, 4, 3); }},
        {"negative team", [&](Bytes& b) { setInt(b, teamsOffset(n) + 4 * 1, -1); }},
        {"team 8 in an unused slot", [&](Bytes& b) { setInt(b, teamsOffset(n) + 4 * 7, 8); }},
        {"group owner -1", [&](Bytes& b) { setInt(b, groupOffset(1) + 28, -1); }},
        {"group owner beyond the count", [&](Bytes& b) { setInt(b, groupOffset(n - 1) + 28, 3); }},
        {"group without ships", [&](Bytes& b) { setInt(b, groupOffset(0) + 32, 0); }},
        {"group with negative ships", [&](Bytes& b) { setInt(b, groupOffset(2) + 32, -200); }},
        {"negative steps left", [&](Bytes& b) { setInt(b, groupOffset(1) + 24, -1); }},
        {"group x not a number", [&](Bytes& b) { setFloat(b, groupOffset(0), nan); }},
        {"group destination infinite",
         [&](Bytes& b) { setFloat(b, groupOffset(1) + 12, -infinity); }},
        {"group step not a number", [&](Bytes& b) { setFloat(b, groupOffset(n - 1) + 20, nan); }},
        {"planet owner -2", [&](Bytes& b) { setInt(b, planetOffset(n, 0) + 16, -2); }},
        {"planet owner beyond the count",
         [&](Bytes& b) { setInt(b, planetOffset(n, 31) + 16, 3); }},
        {"planet with negative ships", [&](Bytes& b) { setInt(b, planetOffset(n, 4) + 12, -1); }},
        {"planet model 2", [&](Bytes& b) { setInt(b, planetOffset(n, 9) + 32, 2); }},
        {"planet model -1", [&](Bytes& b) { setInt(b, planetOffset(n, 9) + 32, -1); }},
        {"planet y infinite", [&](Bytes& b) { setFloat(b, planetOffset(n, 2) + 4, infinity); }},
        {"planet spin not a number", [&](Bytes& b) { setFloat(b, planetOffset(n, 2) + 24, nan); }},
        {"marker angle not a number",
         [&](Bytes& b) { setFloat(b, planetOffset(n, 31) + 28, nan); }},
        {"known owner -2", [&](Bytes& b) { setInt(b, intelOffset(n, 0) + 4 * 5, -2); }},
        {"known owner 8", [&](Bytes& b) { setInt(b, intelOffset(n, 7) + 4 * 31, 8); }},
    };

    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Bytes bytes = good;
        damage.apply(bytes);
        writeBytes(kSavePath, bytes);

        // A game on the setup screen with some state of its own, all of
        // which must survive the failed load.
        Game game;
        initialiseGame(game);
        game.session.playerCount = 4;
        game.session.teams = {1, 2, 3, 0, 0, 0, 0, 0};
        createGroup(game.registry, 5.0f, 6.0f, 100.0f, 6.0f, 9, 1);
        const std::string before = describeGame(game);

        bool loaded = true;
        const std::string errors = loadReportingErrors(game, loaded);
        EXPECT_FALSE(loaded);
        EXPECT_EQ(describeGame(game), before);
        EXPECT_TRUE(visible(game, CommandId::LoadGame));
        EXPECT_EQ(linesIn(errors), 1) << errors;
        EXPECT_NE(errors.find("not loaded"), std::string::npos) << errors;
        EXPECT_EQ(readFile<Bytes>(kSavePath), bytes);  // the file itself is left alone
    }

    // The untouched bytes do load: the damage, not the fixture, was refused.
    writeBytes(kSavePath, good);
    Game game;
    initialiseGame(game);
    EXPECT_TRUE(loadGame(game));
}

// Found by fuzzing the loader: a group of 300,000,000 ships loaded and its
// battle allocated until the program aborted, counts near 2^31 overflowed the
// statistics, and a negative production turned into negative ships.
TEST_F(SaveFileTest, ShipsAndProductionBeyondAnyRealGameAreRejected) {
    Game source;
    buildGame(source);
    const int groups = countGroups(source.registry);
    const Bytes good = encodeSave(source);
    const int32_t mostInOnePlace = 100'000'000;
    const auto groupShips = [&](int index) { return groupOffset(index) + 32; };
    const auto planetShips = [&](int index) { return planetOffset(groups, index) + 12; };
    const auto production = [&](int index) { return planetOffset(groups, index) + 8; };

    struct Change {
        const char* name;
        std::function<void(Bytes&)> apply;
        bool loads;
    };
    const Change changes[] = {
        {"group of 100,000,001", [&](Bytes& b) { setInt(b, groupShips(1), mostInOnePlace + 1); },
         false},
        {"planet of 100,000,001", [&](Bytes& b) { setInt(b, planetShips(3), mostInOnePlace + 1); },
         false},
        {"production -1", [&](Bytes& b) { setInt(b, production(0), -1); }, false},
        {"production 1001", [&](Bytes& b) { setInt(b, production(31), 1001); }, false},
        {"over 1,000,000,000 ships in all",
         [&](Bytes& b) {
             for (int i = 0; i < 10; ++i) setInt(b, planetShips(i), mostInOnePlace);
         },
         false},
        {"100,000,000 in a group and a planet, production 0 and 1000",
         [&](Bytes& b) {
             setInt(b, groupShips(0), mostInOnePlace);
             setInt(b, planetShips(5), mostInOnePlace);
             setInt(b, production(6), 0);
             setInt(b, production(7), 1000);
         },
         true},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        Bytes bytes = good;
        change.apply(bytes);
        writeBytes(kSavePath, bytes);
        Game game;
        initialiseGame(game);
        const std::string before = describeGame(game);
        bool loaded = !change.loads;
        const std::string errors = loadReportingErrors(game, loaded);
        EXPECT_EQ(loaded, change.loads);
        if (change.loads) {
            EXPECT_EQ(errors, "");
            EXPECT_EQ(encodeSave(game).size(), bytes.size());
        } else {
            EXPECT_EQ(describeGame(game), before);
            EXPECT_EQ(linesIn(errors), 1) << errors;
        }
    }
}

// Found by fuzzing the dispatcher: a load during a battle left its ships in
// place for the loaded game.
TEST_F(SaveFileTest, LoadEmptiesARunningBattle) {
    Game original;
    buildGame(original);
    ASSERT_TRUE(saveGame(original));

    Game game;
    buildGame(game);
    const int attacker = game.registry.groups[0].id;
    const int defender = game.registry.groups[1].id;
    ASSERT_TRUE(startGroupBattle(game, attacker, defender));
    battleStep(game, 16);
    ASSERT_FALSE(game.battle.shots.empty());

    ASSERT_TRUE(loadGame(game));
    EXPECT_EQ(game.session.phase, GamePhase::TurnStart);
    EXPECT_TRUE(game.battle.ships.empty());
    EXPECT_TRUE(game.battle.shots.empty());
    EXPECT_EQ(game.battle.attackerCount + game.battle.defenderCount, 0);
    EXPECT_EQ(game.battle.volleyPending, 1);
    EXPECT_EQ(game.battleSources.attackerSource, -1);
    EXPECT_EQ(game.battleSources.defenderSource, -1);
}

// ---------------------------------------------------------------------------
// Failed saves.

TEST_F(SaveFileTest, SaveReplacesTheOldSaveAndLeavesNoTemporaryFile) {
    writeBytes(kSavePath, Bytes(5000, 0xAB));
    writeBytes(kTempPath, Bytes(10, 0xCD));  // left behind by an earlier crash
    Game game;
    buildGame(game);
    bool saved = false;
    const std::string errors = saveReportingErrors(game, saved);
    EXPECT_TRUE(saved);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(readFile<Bytes>(kSavePath), encodeSave(game));
    EXPECT_FALSE(fs::exists(kTempPath));
}

// Installed, the game saves into a folder of the player's that it makes first.
TEST_F(SaveFileTest, PlayersFolderThatCannotBeMadeIsReportedInOneLine) {
    std::ofstream("home") << "a file where the folder should be";
    Game game;
    buildGame(game);
    game.dataFolders = DataFolders{"Data", "home/brennolt", true};
    bool saved = true;
    const std::string errors = saveReportingErrors(game, saved);
    EXPECT_FALSE(saved);
    EXPECT_EQ(linesIn(errors), 1) << errors;
    EXPECT_NE(errors.find("cannot create home/brennolt"), std::string::npos) << errors;
}

// Whatever stands in the way, the save fails with one line, the old save
// stays whole, and what the test put in the way is not the game's to delete.
TEST_F(SaveFileTest, FailedSavesKeepTheOldSave) {
    const Bytes old(3244 + 44, 0x5A);
    const struct {
        const char* name;
        std::function<void()> place;
        std::function<void()> expectLeft;
    } obstacles[] = {
        {"temporary name taken by a folder", [] { fs::create_directories(kTempPath + "/inside"); },
         [&] {
             EXPECT_EQ(readFile<Bytes>(kSavePath), old);
             EXPECT_TRUE(fs::is_directory(kTempPath + "/inside"));
         }},
        {"disk full while writing", [] { fs::create_symlink("/dev/full", kTempPath); },
         [&] { EXPECT_EQ(readFile<Bytes>(kSavePath), old); }},
        {"a save slot that cannot be replaced",
         [] {
             fs::remove(kSavePath);
             fs::create_directories(kSavePath + "/occupied");
         },
         [] {
             EXPECT_FALSE(fs::exists(kTempPath));
             EXPECT_TRUE(fs::is_directory(kSavePath + "/occupied"));
         }},
        {"no Data folder", [] { fs::remove_all("Data"); },
         [] { EXPECT_FALSE(fs::exists("Data")); }},
    };
    for (const auto& obstacle : obstacles) {
        SCOPED_TRACE(obstacle.name);
        fs::create_directory("Data");
        writeBytes(kSavePath, old);
        obstacle.place();
        Game game;
        buildGame(game);
        bool saved = true;
        const std::string errors = saveReportingErrors(game, saved);
        EXPECT_FALSE(saved);
        EXPECT_EQ(linesIn(errors), 1) << errors;
        EXPECT_NE(errors.find("not saved"), std::string::npos) << errors;
        obstacle.expectLeft();
        std::error_code ignored;
        fs::remove_all(kTempPath, ignored);
        fs::remove_all(kSavePath, ignored);
    }
}

// Every file operation of the save fails in turn, each the way a real one
// would (a half-written file, data stuck in the buffer, a close that loses
// it). Each time the save slot must still hold the last whole save, or no
// file where there was none, and load as a whole game.
TEST_F(SaveFileTest, FailureAtEveryStepKeepsTheLastWholeSave) {
    Game previous;
    buildGame(previous);
    Game next;
    buildGame(next);
    next.session.currentPlayer = 0;
    next.planets[0].ships = 999;
    splitGroup(next.registry, 0, 12.0f, 34.0f, 5, next.registry.groups[0].owner);

    auto failing = [](const char* step) {
        SaveFileOps ops = systemSaveFileOps();
        const SaveFileOps real = ops;
        const std::string name = step;
        if (name == "open")
            ops.open = [](const char*) -> std::FILE* {
                errno = EACCES;
                return nullptr;
            };
        if (name == "write")
            ops.write = [real](const void* data, size_t size, std::FILE* file) {
                const size_t half = real.write(data, size / 2, file);
                errno = ENOSPC;
                return half;
            };
        if (name == "flush")
            ops.flush = [](std::FILE*) {
                errno = EIO;
                return EOF;
            };
        if (name == "sync")
            ops.sync = [real](std::FILE* file) {
                real.flush(file);
                errno = EIO;
                return -1;
            };
        if (name == "close")
            ops.close = [real](std::FILE* file) {
                real.close(file);
                errno = EIO;
                return EOF;
            };
        if (name == "rename")
            ops.rename = [](const char*, const char*) {
                errno = EXDEV;
                return -1;
            };
        return ops;
    };

    for (bool hadSave : {true, false}) {
        for (const char* step : {"open", "write", "flush", "sync", "close", "rename"}) {
            SCOPED_TRACE(std::string(step) +
                         (hadSave ? " over an earlier save" : " with no save yet"));
            fs::remove(kSavePath);
            std::string before;
            if (hadSave) {
                ASSERT_TRUE(saveGame(previous));
                Game reference;
                initialiseGame(reference);
                ASSERT_TRUE(loadGame(reference));
                before = describeGame(reference);
            }
            const Bytes slot = readFile<Bytes>(kSavePath);

            ::testing::internal::CaptureStderr();
            const bool saved = saveGame(next, failing(step));
            const std::string errors = ::testing::internal::GetCapturedStderr();
            EXPECT_FALSE(saved);
            EXPECT_EQ(linesIn(errors), 1) << errors;
            EXPECT_NE(errors.find("not saved"), std::string::npos) << errors;
            EXPECT_FALSE(fs::exists(kTempPath));
            EXPECT_EQ(fs::exists(kSavePath), hadSave);
            EXPECT_EQ(readFile<Bytes>(kSavePath), slot);

            Game after;
            initialiseGame(after);
            EXPECT_EQ(loadGame(after), hadSave);
            if (hadSave) {
                EXPECT_EQ(describeGame(after), before);
            }
        }
    }

    // The same operations, none failing, replace the save with the new game.
    EXPECT_TRUE(saveGame(next, systemSaveFileOps()));
    EXPECT_EQ(readFile<Bytes>(kSavePath), encodeSave(next));
    EXPECT_FALSE(fs::exists(kTempPath));
}
