// The data folder rules, in the order they are tried.
#include "game/data_search.h"

#include <filesystem>
#include <vector>

namespace {

DataSearchResult failure(const std::vector<std::string>& looked) {
    std::string places;
    for (const std::string& place : looked) {
        if (!places.empty()) places += ", ";
        places += place;
    }
    return {std::nullopt, "Brennolt: no game data found (looked in " + places +
                              "); name the folder with --data DIR or BRENNOLT_DATA"};
}

DataSearchResult elsewhere(const std::string& folder, const DataSearch& search) {
    return {DataFolders{folder, playerFolder(search.home, search.xdgDataHome), true}, ""};
}

}  // namespace

std::string installedDataFromProgram() { return BRENNOLT_INSTALLED_DATA; }

std::string playerFolder(const std::string& home, const std::string& xdgDataHome) {
    const std::string base = xdgDataHome.starts_with('/') ? xdgDataHome : home + "/.local/share";
    return base + "/brennolt";
}

DataSearchResult findDataFolders(const DataSearch& search) {
    if (search.dataOption) {
        if (search.isFolder(*search.dataOption)) return elsewhere(*search.dataOption, search);
        return failure({*search.dataOption + " (--data)"});
    }
    if (search.dataEnvironment) {
        if (search.isFolder(*search.dataEnvironment)) {
            return elsewhere(*search.dataEnvironment, search);
        }
        return failure({*search.dataEnvironment + " (BRENNOLT_DATA)"});
    }
    const DataFolders working;  // reads and writes as they always were
    if (search.isFolder(working.read)) return {working, ""};
    std::vector<std::string> looked{"./" + working.read};
    if (!search.programFolder.empty()) {
        const std::string installed =
            (std::filesystem::path(search.programFolder) / installedDataFromProgram())
                .lexically_normal()
                .string();
        if (search.isFolder(installed)) return elsewhere(installed, search);
        looked.push_back(installed);
    }
    return failure(looked);
}
