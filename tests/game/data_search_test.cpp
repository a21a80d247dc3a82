// Where the data is found and where the game then writes: each rule of the
// search on its own, in a world of folders the test makes up.
#include "game/data_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const std::string kPlayerFolder = "/home/ann/.local/share/brennolt";

struct SearchCase {
    const char* rule;
    std::optional<std::string> dataOption;
    std::optional<std::string> dataEnvironment;
    std::set<std::string> folders;  // the folders that exist
    DataSearchResult expected;
};

DataSearchResult found(const std::string& read, const std::string& write, bool make) {
    return {DataFolders{read, write, make}, ""};
}

DataSearchResult nothing(const std::string& places) {
    return {std::nullopt, "Brennolt: no game data found (looked in " + places +
                              "); name the folder with --data DIR or BRENNOLT_DATA"};
}

TEST(DataSearch, EachRuleInItsOrder) {
    const std::string installed = "/opt/game/share/games/brennolt";
    const std::set<std::string> everything = {"/mine", "/env", "Data", installed};
    const SearchCase cases[] = {
        {"--data beats all", "/mine", "/env", everything, found("/mine", kPlayerFolder, true)},
        {"--data that is no folder ends the search", "/nowhere", "/env", everything,
         nothing("/nowhere (--data)")},
        {"BRENNOLT_DATA beats the working directory", std::nullopt, "/env", everything,
         found("/env", kPlayerFolder, true)},
        {"BRENNOLT_DATA that is no folder ends the search", std::nullopt, "/nowhere", everything,
         nothing("/nowhere (BRENNOLT_DATA)")},
        {"Data in the working directory is read and written as always", std::nullopt, std::nullopt,
         everything, found("Data", "Data", false)},
        {"the installed data beside the program",
         std::nullopt,
         std::nullopt,
         {installed},
         found(installed, kPlayerFolder, true)},
        {"nothing found names every place",
         std::nullopt,
         std::nullopt,
         {"/mine"},
         nothing("./Data, " + installed)},
    };
    for (const SearchCase& rule : cases) {
        SCOPED_TRACE(rule.rule);
        DataSearch search;
        search.dataOption = rule.dataOption;
        search.dataEnvironment = rule.dataEnvironment;
        search.programFolder = "/opt/game/games";
        search.home = "/home/ann";
        search.isFolder = [&](const std::string& path) { return rule.folders.contains(path); };
        const DataSearchResult result = findDataFolders(search);
        EXPECT_EQ(result.failure, rule.expected.failure);
        ASSERT_EQ(result.folders.has_value(), rule.expected.folders.has_value());
        if (!result.folders) continue;
        EXPECT_EQ(result.folders->read, rule.expected.folders->read);
        EXPECT_EQ(result.folders->write, rule.expected.folders->write);
        EXPECT_EQ(result.folders->makeWriteFolder, rule.expected.folders->makeWriteFolder);
    }
}

TEST(DataSearch, PlayerFolderFollowsXdgDataHomeOnlyWhenItIsAbsolute) {
    EXPECT_EQ(playerFolder("/home/ann", "/srv/ann"), "/srv/ann/brennolt");
    EXPECT_EQ(playerFolder("/home/ann", ""), kPlayerFolder);
    EXPECT_EQ(playerFolder("/home/ann", "relative/data"), kPlayerFolder);
}

}  // namespace
