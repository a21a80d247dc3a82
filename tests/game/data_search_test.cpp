// Where the data is found and where the game then writes: each rule of the
// search on its own, in a world of folders the test makes up.
#include "game/data_search.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// "read > write", "+" when the write folder is made on first use, or the failure line.
std::string describe(const DataSearchResult& result) {
    if (!result.folders) return result.failure;
    const DataFolders& folders = *result.folders;
    return folders.read + " > " + folders.write + (folders.makeWriteFolder ? " +" : "");
}

TEST(DataSearch, EachRuleInItsOrder) {
    const std::string installed = "/opt/game/share/games/brennolt";
    const std::string player = "/home/ann/.local/share/brennolt +";
    const std::string nothing = "Brennolt: no game data found (looked in ";
    const std::string hint = "); name the folder with --data DIR or BRENNOLT_DATA";
    const std::set<std::string> everything = {"/mine", "/env", "Data", installed};
    const struct {
        std::optional<std::string> option, environment;
        std::set<std::string> folders;  // the folders that exist
        std::string expected;
    } cases[] = {
        {"/mine", "/env", everything, "/mine > " + player},
        {"/nowhere", "/env", everything, nothing + "/nowhere (--data)" + hint},
        {std::nullopt, "/env", everything, "/env > " + player},
        {std::nullopt, "/nowhere", everything, nothing + "/nowhere (BRENNOLT_DATA)" + hint},
        {std::nullopt, std::nullopt, everything, "Data > Data"},
        {std::nullopt, std::nullopt, {installed}, installed + " > " + player},
        {std::nullopt, std::nullopt, {"/mine"}, nothing + "./Data, " + installed + hint},
    };
    for (const auto& rule : cases) {
        DataSearch search;
        search.dataOption = rule.option;
        search.dataEnvironment = rule.environment;
        search.programFolder = "/opt/game/games";
        search.home = "/home/ann";
        search.isFolder = [&](const std::string& path) { return rule.folders.contains(path); };
        EXPECT_EQ(describe(findDataFolders(search)), rule.expected);
    }
}

TEST(DataSearch, PlayerFolderFollowsXdgDataHomeOnlyWhenItIsAbsolute) {
    EXPECT_EQ(playerFolder("/home/ann", "/srv/ann"), "/srv/ann/brennolt");
    EXPECT_EQ(playerFolder("/home/ann", ""), "/home/ann/.local/share/brennolt");
    EXPECT_EQ(playerFolder("/home/ann", "relative/data"), "/home/ann/.local/share/brennolt");
}

}  // namespace
