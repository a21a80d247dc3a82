// Where the game's data is: decided once at start-up from the command line,
// the environment and the folders that exist, in a fixed order of rules.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "game/data_path.h"

// What the search looks at; the platform fills it from the real process.
struct DataSearch {
    std::optional<std::string> dataOption;       // --data DIR
    std::optional<std::string> dataEnvironment;  // BRENNOLT_DATA, when set and not empty
    std::string programFolder;                   // of the running program; empty when unknown
    std::string home;                            // HOME
    std::string xdgDataHome;                     // XDG_DATA_HOME
    std::function<bool(const std::string& path)> isFolder;
};

struct DataSearchResult {
    std::optional<DataFolders> folders;  // none when nothing was found
    std::string failure;                 // then the one line to report, naming every place
};

// The first rule that holds: --data DIR; else BRENNOLT_DATA; else Data in the
// working directory, which is also where the game then writes; else the
// installed data beside the program (installedDataFromProgram). A folder
// named on the command line or in the environment is taken at its word: when
// it is no folder the search ends there. Data found anywhere but the working
// directory means writes go to the player's own folder (playerFolder).
DataSearchResult findDataFolders(const DataSearch& search);

// The player's folder for the save file and the test log:
// $XDG_DATA_HOME/brennolt, or ~/.local/share/brennolt when that is unset
// or not an absolute path.
std::string playerFolder(const std::string& home, const std::string& xdgDataHome);

// The installed data relative to the program's folder, as the install lays
// them out (games/brennolt and share/games/brennolt under one prefix).
std::string installedDataFromProgram();
