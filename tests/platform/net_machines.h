// Test support: a game over the network between real processes on one
// machine, each with an X server of its own, all on loopback. A record of the
// machines (their folders, displays, port and trace files) and functions to
// start them, click into them, read their traces and stop them, gently or
// outright.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/button_spots.h"
#include "platform/game_process.h"
#include "window_fixture.h"

// How long a machine's program may take to show its window.
inline constexpr auto kStartPatience = std::chrono::seconds(60);

// An X server started for the test, ended with it.
class XServer {
public:
    XServer() {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            endWithTheTest();
            close(pipeEnds[0]);
            const std::string fd = std::to_string(pipeEnds[1]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            execl(XVFB_BINARY, XVFB_BINARY, "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                  "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeEnds[1]);
        // The server writes its display number once it takes connections.
        std::string number;
        char c = 0;
        while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') number += c;
        close(pipeEnds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~XServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// A UDP port of loopback that nothing uses now.
inline uint16_t freeUdpPort() {
    const int sock = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(sock, reinterpret_cast<sockaddr*>(&address), &size);
    close(sock);
    return ntohs(address.sin_port);
}

// One line of a trace: its event and its fields.
struct TraceLine {
    std::string event;
    std::map<std::string, long long> field;
};

inline std::vector<TraceLine> readTrace(const std::filesystem::path& path) {
    std::vector<TraceLine> lines;
    std::istringstream text(readFile(path));
    std::string line;
    // A line still being written has no end yet.
    while (std::getline(text, line) && !text.eof()) {
        std::istringstream words(line);
        TraceLine entry;
        words >> entry.event;
        std::string word;
        while (words >> word) {
            const size_t equals = word.find('=');
            if (equals != std::string::npos)
                entry.field[word.substr(0, equals)] =
                    static_cast<long long>(std::strtoull(word.c_str() + equals + 1, nullptr, 10));
        }
        lines.push_back(std::move(entry));
    }
    return lines;
}

// One machine: the program in a folder of its own on its own display.
struct Machine {
    std::string name;  // for screenshots and messages: "host", "joiner-2"
    std::filesystem::path directory;
    std::string display;
    std::filesystem::path trace;
    std::unique_ptr<GameProcess> process;
    std::unique_ptr<XDisplay> screen;
    Window window = 0;

    std::vector<TraceLine> lines() const { return readTrace(trace); }
    size_t count(const std::string& event) const {
        size_t n = 0;
        for (const TraceLine& line : lines()) n += line.event == event;
        return n;
    }
    // Whether every command this machine sent has been applied here.
    bool caughtUp() const {
        const std::vector<TraceLine> all = lines();
        const int here = machineNumber(all);
        size_t sent = 0;
        size_t applied = 0;
        for (const TraceLine& line : all) {
            sent += line.event == "sent";
            applied += line.event == "applied" && line.field.at("machine") == here;
        }
        return sent == applied;
    }
    static int machineNumber(const std::vector<TraceLine>& all) {
        for (const TraceLine& line : all)
            if (line.event == "sent") return static_cast<int>(line.field.at("machine"));
        return -1;
    }

    // The left button pressed and released over a pixel of the picture,
    // then every command it sent applied here.
    void click(Pixel pixel, int holdMs = 60) {
        const std::string command = "DISPLAY=" + display + " xdotool mousemove --window " +
                                    std::to_string(window) + " " + std::to_string(pixel.x) + " " +
                                    std::to_string(pixel.y) + " sleep 0.15 mousedown 1 sleep " +
                                    std::to_string(holdMs / 1000.0) + " mouseup 1 sleep 0.15";
        EXPECT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << name;
        EXPECT_TRUE(waitFor([&] { return caughtUp(); })) << name << ": a command not applied";
    }

    // The window's picture as rows of RGB bytes, top row first.
    std::vector<uint8_t> picture() {
        std::vector<uint8_t> rgb;
        XImage* image = screen->grab(window);
        if (image == nullptr) return rgb;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                rgb.insert(rgb.end(),
                           {static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                            static_cast<uint8_t>(pixel)});
            }
        XDestroyImage(image);
        return rgb;
    }
    std::array<int, 3> colourAt(Pixel pixel) {
        const std::vector<uint8_t> rgb = picture();
        if (rgb.empty()) return {-1, -1, -1};
        const size_t at = 3 * (static_cast<size_t>(pixel.y) * kWindowWidth + pixel.x);
        return {rgb[at], rgb[at + 1], rgb[at + 2]};
    }
    void screenshot(const std::string& stage) {
        const std::vector<uint8_t> rgb = picture();
        EXPECT_TRUE(!rgb.empty() && writeScreenshot("net-" + stage + "-" + name, kWindowWidth,
                                                    kWindowHeight, rgb.data(), 0))
            << stage << " " << name;
    }
};

// Starts the program on the machine's display in its folder (made with a
// copy of the game's art), tracing to its trace file; waits for its window.
inline bool startMachine(Machine& machine, const std::vector<std::string>& arguments) {
    std::filesystem::create_directories(machine.directory / "Data");
    installArt(machine.directory);
    Launch launch;
    launch.arguments = arguments;
    launch.environment = {{"DISPLAY", machine.display},
                          {"BRENNOLT_NET_TRACE", machine.trace.string()}};
    machine.process = std::make_unique<GameProcess>(machine.directory, true, launch);
    machine.screen = std::make_unique<XDisplay>(machine.display.c_str());
    machine.window = 0;
    // A program that starts while the machine is busy (the test command
    // builds and tests beside it) may take far longer than one alone.
    return machine.screen->isOpen() &&
           waitFor(
               [&] {
                   return (machine.window = machine.screen->windowOf(machine.process->pid())) != 0;
               },
               kStartPatience);
}

// Ends it at once, as `kill -9` would.
inline void killMachine(Machine& machine) {
    if (machine.process) kill(machine.process->pid(), SIGKILL);
    machine.process.reset();
}

// A host and the joiners at seats 2, 3, ...: their displays (the host's the
// test's own), their folders under one of the test's, a port of loopback.
struct NetMachines {
    std::filesystem::path folder;
    std::vector<std::unique_ptr<XServer>> servers;
    uint16_t port = 0;
    std::string code;
    Machine host;
    std::vector<Machine> joiners;

    NetMachines(const std::filesystem::path& where, int joinerCount) : folder(where) {
        host.name = "host";
        host.display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
        joiners.resize(static_cast<size_t>(joinerCount));
        for (int i = 0; i < joinerCount; ++i) {
            servers.push_back(std::make_unique<XServer>());
            joiners[i].name = "joiner-" + std::to_string(i + 2);
            joiners[i].display = servers.back()->display();
        }
    }
    ~NetMachines() {
        killMachine(host);
        for (Machine& joiner : joiners) killMachine(joiner);
    }

    std::vector<Machine*> all() {
        std::vector<Machine*> machines{&host};
        for (Machine& joiner : joiners) machines.push_back(&joiner);
        return machines;
    }

    // The host on a fresh port, its folders and traces named after `round`;
    // its join code read from the line it prints.
    bool startHost(const std::string& round, const std::vector<std::string>& more = {}) {
        port = freeUdpPort();
        code.clear();
        for (Machine* machine : all()) {
            machine->directory = folder / round / machine->name;
            machine->trace = folder / round / (machine->name + "-trace.txt");
        }
        std::vector<std::string> arguments{"--host", std::to_string(port)};
        arguments.insert(arguments.end(), more.begin(), more.end());
        if (!startMachine(host, arguments)) return false;
        const std::string marker = "join code ";
        return waitFor([&] {
            const std::string out = host.process->output();
            const size_t at = out.find(marker);
            if (at == std::string::npos || out.find('\n', at) == std::string::npos) return false;
            code = out.substr(at + marker.size(), out.find('\n', at) - at - marker.size());
            return true;
        });
    }
    // Joiner i at seat i + 2; true once the host has welcomed it.
    bool startJoiner(size_t i) {
        const size_t welcomed = welcomes();
        return startMachine(joiners[i], {"--join", "127.0.0.1:" + std::to_string(port), "--code",
                                         code, "--seat", std::to_string(i + 2)}) &&
               waitFor([&] { return welcomes() > welcomed; });
    }
    size_t welcomes() const {
        size_t n = 0;
        for (const TraceLine& line : host.lines())
            n += line.event == "message" && line.field.at("kind") == 2;
        return n;
    }
    // Every process's exit code once all have ended (nothing for one that did not).
    std::vector<std::optional<int>> exitCodes() {
        std::vector<std::optional<int>> codes;
        for (Machine* machine : all()) codes.push_back(machine->process->exitCode());
        return codes;
    }
};
