// The command line and the environment the game is started with: what the
// player asked for, and the facts the data search needs from the process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/data_search.h"

enum class Request { Play, Help, Version, Mistake };

// A game over a network: this program hosts it, or joins a host's.
enum class NetRole { None, Host, Join };
constexpr uint16_t kDefaultPort = 28960;

struct CommandLine {
    Request request = Request::Play;
    std::optional<std::string> dataFolder;  // --data DIR
    bool fullScreen = false;                // --fullscreen
    NetRole netRole = NetRole::None;        // --host [PORT], --join HOST[:PORT]
    uint16_t port = kDefaultPort;
    std::string host;      // --join: the host's name or address
    std::string code;      // --code: the host's join code
    int seat = -1;         // --seat N: player N's seat, counted from 0 here
    std::string loadFile;  // --load FILE: the save the Setup screen's Load reads
    std::string mistake;   // for a Mistake: the line that names it
};

// The arguments after the program's name. The first help or version request
// wins; an unknown option, a stray argument or a missing folder is a Mistake.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The data search of this process: the command line, BRENNOLT_DATA, HOME,
// XDG_DATA_HOME and the folder the program was started from.
DataSearch processDataSearch(const CommandLine& commandLine);

// The text of --help, with where the game would read and write now.
std::string helpText(const DataSearchResult& data);

// The text of --version.
std::string versionText();

// A join code for a host: 8 letters and digits from the system's random
// source, never from the game's generator. Empty when the system has none.
std::string makeJoinCode();
