// Options, the help text and the process's side of the data search.
#include "platform/command_line.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kUsageHint = "; try 'brennolt --help'";

CommandLine mistake(const std::string& what) {
    CommandLine line;
    line.request = Request::Mistake;
    line.mistake = "Brennolt: " + what + kUsageHint;
    return line;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// HOME as the shell has it; the password database for a process started without one.
std::string homeFolder() {
    std::string home = environment("HOME");
    if (!home.empty()) return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

std::string programFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.request = Request::Help;
            return line;
        }
        if (argument == "--version") {
            line.request = Request::Version;
            return line;
        }
        if (argument == "--fullscreen") {
            line.fullScreen = true;
        } else if (argument == "--data") {
            if (i + 1 == arguments.size()) return mistake("option '--data' needs a folder");
            line.dataFolder = arguments[++i];
        } else if (argument.starts_with("--data=")) {
            line.dataFolder = argument.substr(std::string("--data=").size());
        } else if (argument.starts_with("-")) {
            return mistake("unknown option '" + argument + "'");
        } else {
            return mistake("unexpected argument '" + argument + "'");
        }
    }
    return line;
}

DataSearch processDataSearch(const CommandLine& commandLine) {
    DataSearch search;
    search.dataOption = commandLine.dataFolder;
    const std::string dataEnvironment = environment("BRENNOLT_DATA");
    if (!dataEnvironment.empty()) search.dataEnvironment = dataEnvironment;
    search.programFolder = programFolder();
    search.home = homeFolder();
    search.xdgDataHome = environment("XDG_DATA_HOME");
    search.isFolder = [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_directory(path, error);
    };
    return search;
}

std::string helpText(const DataSearchResult& data) {
    std::string text =
        "Usage: brennolt [OPTION]...\n"
        "Brennolt, a hot-seat space strategy game for 2 to 8 players sharing one screen.\n"
        "\n"
        "  --data DIR     read the game's pictures and models from the folder DIR\n"
        "  --fullscreen   start in full screen (F11 switches between window and full screen)\n"
        "  --help         show this help and exit\n"
        "  --version      show the version and exit\n"
        "\n"
        "The data is looked for in this order: --data DIR, the folder BRENNOLT_DATA names,\n"
        "Data in the working directory, the data installed with the program.\n"
        "The saved game and the battle test log go to Data in the working directory when\n"
        "the data was found there, otherwise to $XDG_DATA_HOME/brennolt\n"
        "(~/.local/share/brennolt when XDG_DATA_HOME is not set).\n";
    if (data.folders) {
        text += "Now: data from " + data.folders->read + ", saves in " + data.folders->write + "\n";
    } else {
        text += "Now: " + data.failure + "\n";
    }
    return text;
}

std::string versionText() { return std::string("Brennolt ") + BRENNOLT_VERSION + "\n"; }
