// Options, the help text and the process's side of the data search.
#include "platform/command_line.h"

#include <pwd.h>
#include <sys/random.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
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

// A whole number in [least, most], or nothing.
std::optional<int> numberIn(const std::string& text, int least, int most) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most)
        return std::nullopt;
    return value;
}

// Letters and digits that cannot be mistaken for each other when read out.
constexpr std::string_view kCodeLetters = "ABCDEFGHJKLMNPQRSTUVWXYZ23456789";
static_assert(kCodeLetters.size() == 32);
constexpr size_t kCodeLength = 8;

// The options of a game over a network, checked together once all are read.
CommandLine checkNetOptions(CommandLine line, bool haveCode, bool haveSeat) {
    if (line.netRole != NetRole::Join && (haveCode || haveSeat))
        return mistake(std::string(haveCode ? "'--code'" : "'--seat'") + " goes with '--join'");
    if (line.netRole == NetRole::Join && !haveCode)
        return mistake("'--join' needs the host's join code: '--code CODE'");
    return line;
}

std::string programFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool haveCode = false;
    bool haveSeat = false;
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
        } else if (argument == "--host" || argument == "--join") {
            if (line.netRole != NetRole::None)
                return mistake("'--host' and '--join' go one at a time");
            if (argument == "--host") {
                line.netRole = NetRole::Host;
                if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-")) {
                    const std::optional<int> port = numberIn(arguments[++i], 1, 65535);
                    if (!port) return mistake("'--host' wants a port from 1 to 65535");
                    line.port = static_cast<uint16_t>(*port);
                }
                continue;
            }
            if (i + 1 == arguments.size()) return mistake("option '--join' needs HOST[:PORT]");
            line.netRole = NetRole::Join;
            line.host = arguments[++i];
            if (const size_t colon = line.host.rfind(':'); colon != std::string::npos) {
                const std::optional<int> port = numberIn(line.host.substr(colon + 1), 1, 65535);
                if (!port) return mistake("'--join' wants HOST:PORT with a port from 1 to 65535");
                line.port = static_cast<uint16_t>(*port);
                line.host.resize(colon);
            }
            if (line.host.empty()) return mistake("'--join' needs the host's name or address");
        } else if (argument == "--code") {
            if (i + 1 == arguments.size()) return mistake("option '--code' needs the join code");
            line.code = arguments[++i];
            haveCode = true;
        } else if (argument == "--seat") {
            if (i + 1 == arguments.size()) return mistake("option '--seat' needs a player number");
            const std::optional<int> seat = numberIn(arguments[++i], 1, 8);
            if (!seat) return mistake("'--seat' wants a player number from 1 to 8");
            line.seat = *seat - 1;
            haveSeat = true;
        } else if (argument == "--load") {
            if (i + 1 == arguments.size()) return mistake("option '--load' needs a file");
            line.loadFile = arguments[++i];
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
    return checkNetOptions(line, haveCode, haveSeat);
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
        "  --host [PORT]  host a game over the network on PORT (28960 unless given); prints\n"
        "                 the join code the others need\n"
        "  --join HOST[:PORT]  join the game HOST hosts\n"
        "  --code CODE    with --join: the host's join code\n"
        "  --seat N       with --join: ask for player N's seat\n"
        "  --load FILE    Load on the Setup screen loads the saved game FILE; with --host\n"
        "                 it hosts that game again\n"
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

std::string makeJoinCode() {
    std::array<unsigned char, kCodeLength> draws{};
    if (getrandom(draws.data(), draws.size(), 0) != static_cast<ssize_t>(draws.size())) return {};
    std::string code;
    for (unsigned char draw : draws) code += kCodeLetters[draw % kCodeLetters.size()];
    return code;
}
