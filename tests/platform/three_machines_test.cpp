// A game over the network between three real processes: a host and two
// joiners at seats 2 and 3, each on an X server of its own, all on loopback,
// played with the mouse (xdotool). Each machine plays a turn of a new game;
// then the host loads a game in which player 2 wins with one group battle.
// The machines' traces must agree on the rules' fingerprint at every turn
// screen; the figures of the network (how long a command takes to reach
// every machine, the bytes per turn, during a battle and to start a game) are
// printed. Screenshots: net-<stage>-<machine>.png.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/hud_atlas.h"
#include "game/rules_state.h"
#include "game/save_file.h"
#include "platform/net_machines.h"

namespace {

namespace fs = std::filesystem;

constexpr auto kBattlePatience = std::chrono::milliseconds(90000);
constexpr int kStartKind = 5;
constexpr int kEndKind = 12;
constexpr int kGroupBattlePhase = 4;

// Whether the picture shows the map: its grey divider left of the galaxy.
bool showsMap(Machine& machine) {
    const std::vector<uint8_t> rgb = machine.picture();
    for (int x = 199; x <= 202 && !rgb.empty(); ++x) {
        const size_t at = 3 * (300 * static_cast<size_t>(kWindowWidth) + x);
        if (rgb[at] > 100 && rgb[at] < 160 && rgb[at] == rgb[at + 1] && rgb[at] == rgb[at + 2])
            return true;
    }
    return false;
}

// The rows of the picture where the end screen says who won.
std::vector<uint8_t> winnersBand(Machine& machine) {
    const std::vector<uint8_t> rgb = machine.picture();
    if (rgb.empty()) return rgb;
    const size_t row = 3 * static_cast<size_t>(kWindowWidth);
    return {rgb.begin() + 260 * row, rgb.begin() + 340 * row};
}

// Whether the picture shows the button's face at `pixel`.
bool showsButton(Machine& machine, Pixel pixel, CommandId id) {
    const std::vector<uint8_t> hud =
        readFile<std::vector<uint8_t>>(machine.directory / "Data" / "HUD.bmp");
    int32_t width = 0;
    int32_t offset = 0;
    std::memcpy(&width, hud.data() + 18, 4);
    std::memcpy(&offset, hud.data() + 10, 4);
    const AtlasRegion& face = kButtonFaces[static_cast<int>(id)];
    const size_t at = static_cast<size_t>(offset) +
                      3 * static_cast<size_t>((face.tBottom + face.tTop) / 2 * width +
                                              (face.sLeft + face.sRight) / 2);
    const std::array<int, 3> seen = machine.colourAt(pixel);
    const int expected[3] = {hud[at + 2], hud[at + 1], hud[at]};
    for (int c = 0; c < 3; ++c)
        if (std::abs(seen[c] - expected[c]) > 2) return false;
    return true;
}

// The programs' clock (see the trace), in ms.
long long clockNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool said(const Machine& machine, const std::string& words) {
    return machine.process && machine.process->errors().find(words) != std::string::npos;
}

// The file a joiner names when it saved the game of a host it lost.
std::optional<fs::path> savedAfterLoss(const Machine& machine) {
    const std::string errors = machine.process->errors();
    const size_t at = errors.find("Save-network-");
    if (at == std::string::npos) return std::nullopt;
    const size_t end = errors.find(".kvd", at);
    if (end == std::string::npos) return std::nullopt;
    return machine.directory / "Data" / errors.substr(at, end + 4 - at);
}

// The rules' part of a saved game: all of it but the planets' drawing
// angles, which each machine turns by its own frames.
std::vector<uint8_t> rulesOfSave(const fs::path& folder, const std::vector<uint8_t>& bytes) {
    const fs::path path = folder / "compared.kvd";
    writeBytes(path, bytes);
    Game game;
    initialiseGame(game);
    game.dataFolders.loadFile = path.string();
    EXPECT_TRUE(loadGame(game));
    return encodeRulesState(game);
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1];
}

// The test's own record of the game, fed the commands the machines get.
class Shadow {
public:
    explicit Shadow(const fs::path& hostData) {
        initialiseGame(game);
        game.dataFolders.read = game.dataFolders.write = hostData.string();
    }
    bool follow() { return loadGame(game); }
    void press(Machine& machine, CommandId id) {
        ASSERT_TRUE(game.buttons.buttons[static_cast<int>(id)].visible) << static_cast<int>(id);
        machine.click(game.session.phase == GamePhase::TurnStart ? turnScreenButton(id)
                                                                 : buttonCentre(game, id));
        dispatchCommand(game, id);
    }
    Game game;
};

// A game on which player 2 (joiner at seat 2, team 1 with the host) wins with
// one group battle against player 3's last group, player 2 to move.
void prepareWinningGame(const fs::path& hostData) {
    fs::create_directories(hostData);
    Game prepared;
    initialiseGame(prepared);
    prepared.dataFolders.write = hostData.string();
    dispatchCommand(prepared, CommandId::IncreasePlayers);
    prepared.session.teams[2] = 1;
    dispatchCommand(prepared, CommandId::BeginTurn);  // a galaxy to play in
    clearGroups(prepared.registry);
    for (Planet& planet : prepared.planets) planet.owner = -1;
    prepared.planets[0].owner = 0;
    const float x = prepared.planets[0].x + 60.0f;
    const float y = prepared.planets[0].y;
    createGroup(prepared.registry, x, y, x, y, 150, 1);
    createGroup(prepared.registry, x + 3.0f, y, x + 3.0f, y, 30, 2);
    prepared.session.currentPlayer = 1;
    ASSERT_TRUE(saveGame(prepared));
}

class ThreeMachines : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(XDisplay().isOpen()) << "this test needs a display (run it under xvfb-run)";
        for (const auto& joiner : machines.joiners) ASSERT_FALSE(joiner.display.empty());
    }

    // The host with three players, seats 2 and 3 open and taken by the joiners.
    void gather(const std::string& round, const std::vector<std::string>& hostArguments = {}) {
        ASSERT_TRUE(machines.startHost(round, hostArguments)) << machines.host.process->errors();
        Game setup;
        initialiseGame(setup);
        machines.host.click(buttonCentre(setup, CommandId::IncreasePlayers));
        for (int row = 1; row <= 2; ++row)
            for (int cycle = 0; cycle < 4; ++cycle)  // Easy, Normal, Hard, Open
                machines.host.click(pixelOf(85.0f, 72.0f - 20.0f * static_cast<float>(row)));
        for (size_t i = 0; i < machines.joiners.size(); ++i)
            ASSERT_TRUE(machines.startJoiner(i)) << machines.joiners[i].process->errors();
    }

    // Every machine reached the same number of turn screens.
    void waitForTurnScreens(size_t count) {
        for (Machine* machine : machines.all())
            ASSERT_TRUE(waitFor([&] { return machine->count("turn") >= count; }))
                << machine->name << " never reached turn screen " << count;
    }

    // The host quits; each joiner names the save it kept and goes on alone
    // from its Setup screen, whose Quit sits where the turn screen's does.
    void quitEveryMachine(Pixel hostQuit) {
        machines.host.click(hostQuit);
        for (Machine& joiner : machines.joiners) {
            EXPECT_TRUE(waitFor([&] {
                return joiner.process->errors().find("saved as Save-network-") != std::string::npos;
            })) << joiner.name;
            joiner.click(turnScreenButton(CommandId::QuitGame));
        }
        for (const std::optional<int>& code : machines.exitCodes()) EXPECT_EQ(code, 0);
    }

    // Player `p` at machine `p` begins its turn, sends its first group to a
    // planet and ends both phases; the other machines never show the map.
    void playTurn(Shadow& shadow, int p) {
        Machine& mover = *machines.all()[p];
        shadow.press(mover, CommandId::BeginTurn);
        const Group& group = *findGroup(shadow.game.registry, p);
        mover.click(pixelOf(group.x, group.y));
        shadow.game.session.selectedGroupId = p;
        int target = -1;
        for (int i = 0; i < kPlanetCount; ++i) {
            const Planet& planet = shadow.game.planets[i];
            const float distance = std::hypot(planet.x - group.x, planet.y - group.y);
            if (distance > 30.0f &&
                (target < 0 || distance < std::hypot(shadow.game.planets[target].x - group.x,
                                                     shadow.game.planets[target].y - group.y)))
                target = i;
        }
        const Planet& planet = shadow.game.planets[target];
        mover.click(pixelOf(planet.x, planet.y));  // a short click on a planet aims at it
        setDestination(shadow.game.registry, p, planet.x, planet.y);
        refreshAvailability(shadow.game, p);
        EXPECT_TRUE(waitFor([&] { return showsMap(mover); })) << mover.name;
        for (Machine* other : machines.all()) {
            if (other != &mover) {
                EXPECT_FALSE(showsMap(*other)) << other->name << " turn " << p;
            }
            if (p == 1) other->screenshot("second-players-movement");
        }
        shadow.press(mover, CommandId::EndMovement);
        shadow.press(mover, CommandId::EndBattle);
    }

    // The prepared game that player 2 wins with one battle, loaded by the
    // host: true once player 2's machine shows its turn screen.
    bool loadWinningGame(const std::string& round) {
        prepareWinningGame(machines.folder / round / "host" / "Data");
        gather(round);
        Game setup;
        initialiseGame(setup);
        machines.host.click(buttonCentre(setup, CommandId::LoadGame));
        const Pixel begin = turnScreenButton(CommandId::BeginTurn);
        return waitFor(
            [&] { return showsButton(machines.joiners[0], begin, CommandId::BeginTurn); });
    }
    // Player 2 begins its turn and attacks player 3's last group.
    void attack(Shadow& won) {
        for (CommandId id : {CommandId::BeginTurn, CommandId::EndMovement, CommandId::NextGroup,
                             CommandId::AttackGroup})
            won.press(machines.joiners[0], id);
    }
    bool showsEndScreen(Machine& machine) {
        Game end;
        end.session.phase = GamePhase::GameOver;
        const Pixel newGame = buttonCentre(end, CommandId::NewGame);
        return waitFor([&] { return showsButton(machine, newGame, CommandId::NewGame); },
                       kBattlePatience);
    }

    DataFolder directory;
    NetMachines machines{directory.path(), 2};
};

}  // namespace

TEST_F(ThreeMachines, PlayATurnEachThenWinALoadedGameWithOneBattle) {
    // A new game: every machine plays one turn with the mouse.
    gather("new-game");
    machines.host.screenshot("setup");
    Game setup;
    initialiseGame(setup);
    machines.host.click(buttonCentre(setup, CommandId::BeginTurn));
    machines.host.click(turnScreenButton(CommandId::SaveGame));  // where everything is
    Shadow shadow(machines.host.directory / "Data");
    ASSERT_TRUE(waitFor([&] { return shadow.follow(); }));
    for (int p = 0; p < 3; ++p) {
        playTurn(shadow, p);
        waitForTurnScreens(static_cast<size_t>(p) + 1);
    }
    quitEveryMachine(turnScreenButton(CommandId::QuitGame));

    // A loaded game that player 2 wins with one battle.
    const bool loaded = loadWinningGame("won");
    for (Machine* machine : machines.all()) machine->screenshot("loaded");
    ASSERT_TRUE(loaded);
    machines.host.screenshot("another-machines-turn");
    Shadow won(machines.host.directory / "Data");
    ASSERT_TRUE(won.follow());
    attack(won);
    for (Machine* machine : machines.all())
        EXPECT_TRUE(waitFor([&] {
            for (const TraceLine& line : machine->lines())
                if (line.event == "applied" && line.field.at("phase") == kGroupBattlePhase)
                    return true;
            return false;
        })) << machine->name
            << " never began the battle";
    EXPECT_FALSE(showsMap(machines.host));
    for (Machine* machine : machines.all()) machine->screenshot("battle");

    // The host's end screen offers a new game; every machine says who won.
    EXPECT_TRUE(showsEndScreen(machines.host)) << "no end screen at the host";
    for (Machine& joiner : machines.joiners)
        EXPECT_TRUE(waitFor([&] { return winnersBand(joiner) == winnersBand(machines.host); }))
            << joiner.name << " shows no end screen";
    for (Machine* machine : machines.all()) machine->screenshot("end");
    Game end;
    end.session.phase = GamePhase::GameOver;
    quitEveryMachine(buttonCentre(end, CommandId::QuitGame));

    // The traces: the same fingerprint at every turn screen, and the figures.
    std::vector<double> latencyMs;
    std::vector<double> latencyTicks;
    std::vector<double> turnBytes;
    long long battleBytes = 0;
    long long battleStarts = 0;
    long long startBytes = 0;
    for (const std::string round : {"new-game", "won"}) {
        std::vector<std::vector<TraceLine>> traces;
        std::map<long long, std::vector<long long>> fingerprints;
        for (Machine* machine : machines.all()) {
            traces.push_back(readTrace(machines.folder / round / (machine->name + "-trace.txt")));
            for (const TraceLine& line : traces.back())
                if (line.event == "turn")
                    fingerprints[line.field.at("index")].push_back(line.field.at("fingerprint"));
        }
        for (const auto& [index, seen] : fingerprints) {
            EXPECT_EQ(seen.size(), 3u) << round << " turn screen at " << index;
            EXPECT_EQ(std::count(seen.begin(), seen.end(), seen[0]), 3) << round << " " << index;
        }
        if (round == "new-game") {
            EXPECT_EQ(fingerprints.size(), 3u);
        }
        // Each sent command, found by its order among its machine's commands
        // in every machine's applied stream.
        for (size_t from = 0; from < traces.size(); ++from) {
            std::vector<long long> sentAt;
            for (const TraceLine& line : traces[from])
                if (line.event == "sent") sentAt.push_back(line.field.at("clock"));
            for (const std::vector<TraceLine>& trace : traces) {
                const double msPerTick =
                    static_cast<double>(trace.back().field.at("clock") -
                                        trace.front().field.at("clock")) /
                    static_cast<double>(std::max(
                        1LL, trace.back().field.at("tick") - trace.front().field.at("tick")));
                size_t k = 0;
                for (const TraceLine& line : trace) {
                    if (line.event != "applied" || line.field.at("machine") != long(from)) continue;
                    if (k < sentAt.size()) {
                        latencyMs.push_back(double(line.field.at("clock") - sentAt[k]));
                        latencyTicks.push_back(latencyMs.back() / msPerTick);
                    }
                    ++k;
                }
                EXPECT_EQ(k, sentAt.size()) << round << ": commands of machine " << from;
            }
        }
        // Bytes between the host and each joiner, turn by turn (the host's
        // turn screens divide them), and from the battle's start to the end.
        std::vector<long long> turnStarts;
        long long battleStart = -1;
        for (const TraceLine& line : traces[0]) {
            if (line.event == "turn") turnStarts.push_back(line.field.at("clock"));
            if (line.event == "applied" && line.field.at("phase") == kGroupBattlePhase) {
                battleStart = line.field.at("clock");
                battleStarts += 1;
            }
        }
        for (size_t client = 1; client < traces.size(); ++client) {
            std::vector<long long> perTurn(turnStarts.size() + 1, 0);
            for (size_t machine = 0; machine < traces.size(); ++machine) {
                for (const TraceLine& line : traces[machine]) {
                    if (line.event != "message") continue;
                    const bool between = machine == client || line.field.at("to") == long(client);
                    if (!between) continue;
                    const long long clock = line.field.at("clock");
                    const long long bytes = line.field.at("bytes");
                    if (line.field.at("kind") == kStartKind)
                        startBytes = std::max(startBytes, bytes);
                    const size_t turn = static_cast<size_t>(
                        std::upper_bound(turnStarts.begin(), turnStarts.end(), clock) -
                        turnStarts.begin());
                    perTurn[turn] += bytes;
                    if (battleStart >= 0 && clock > battleStart &&
                        line.field.at("kind") != kEndKind)
                        battleBytes += bytes;
                }
            }
            // Whole turns only: those between two turn screens.
            for (size_t turn = 1; turn + 1 < perTurn.size(); ++turn)
                turnBytes.push_back(double(perTurn[turn]));
        }
    }
    std::printf(
        "A command from sent to applied on every machine, %zu cases: "
        "p50 %.0f ms, p95 %.0f ms, max %.0f ms; in ticks p50 %.1f, p95 %.1f, max %.1f\n",
        latencyMs.size(), percentile(latencyMs, 0.5), percentile(latencyMs, 0.95),
        percentile(latencyMs, 1.0), percentile(latencyTicks, 0.5), percentile(latencyTicks, 0.95),
        percentile(latencyTicks, 1.0));
    std::printf("Bytes per whole turn and client, %zu cases: median %.0f, max %.0f\n",
                turnBytes.size(), percentile(turnBytes, 0.5), percentile(turnBytes, 1.0));
    EXPECT_EQ(battleStarts, 1);
    std::printf("Bytes during the battle, after the command that starts it: %lld\n", battleBytes);
    std::printf("Bytes of the Start message: %lld\n", startBytes);
}

// Machines lost: a joiner killed on its own turn screen, whose turn the
// computer plays until the joiner, started again, takes its seat back at the
// next turn screen; a joiner killed in a battle, whose game the computer
// ends; the host killed, each joiner saving the game, and that game hosted
// again from the save.
TEST_F(ThreeMachines, LostMachinesComeBackOrLeaveTheGameSaved) {
    gather("lost");
    Game setup;
    initialiseGame(setup);
    machines.host.click(buttonCentre(setup, CommandId::BeginTurn));
    machines.host.click(turnScreenButton(CommandId::SaveGame));
    Shadow shadow(machines.host.directory / "Data");
    ASSERT_TRUE(waitFor([&] { return shadow.follow(); }));
    playTurn(shadow, 0);
    playTurn(shadow, 1);
    waitForTurnScreens(2);
    Machine& third = machines.joiners[1];
    const fs::path token =
        third.directory / "Data" / ("Rejoin-127.0.0.1-" + std::to_string(machines.port) + ".token");
    EXPECT_EQ(fs::status(token).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    killMachine(third);
    const long long killedAt = clockNow();
    const std::string left = "Player 3 left: the computer plays for them";
    ASSERT_TRUE(waitFor([&] { return said(machines.host, left); }, std::chrono::seconds(10)));
    const long long noticedMs = clockNow() - killedAt;
    // The computer's first action for the seat, in the host's trace.
    long long firstActionMs = -1;
    EXPECT_TRUE(waitFor([&] {
        for (const TraceLine& line : machines.host.lines())
            if (line.event == "sent" && line.field.at("player") == 2 &&
                line.field.at("clock") > killedAt % (1LL << 32)) {
                firstActionMs = line.field.at("clock") - killedAt % (1LL << 32);
                return true;
            }
        return false;
    })) << "the computer never played the lost seat";
    std::printf(
        "A joiner killed on its turn screen: the host noticed after %lld ms, and the "
        "computer first acted for its seat %lld ms after the kill\n",
        noticedMs, firstActionMs);
    third.trace = machines.folder / "lost" / "joiner-3-again-trace.txt";
    ASSERT_TRUE(machines.startJoiner(1)) << third.process->errors();
    EXPECT_TRUE(waitFor([&] { return said(third, "Player 3 is back"); }, kBattlePatience));
    for (Machine* machine : machines.all()) machine->screenshot("seat-back");

    // The host lost: each joiner saves the game of the last turn screen, the
    // one that came back as it was sent it.
    killMachine(machines.host);
    std::vector<std::vector<uint8_t>> saves;
    for (Machine& joiner : machines.joiners) {
        std::optional<fs::path> saved;
        EXPECT_TRUE(waitFor([&] { return (saved = savedAfterLoss(joiner)).has_value(); },
                            std::chrono::seconds(10)))
            << joiner.name << " saved nothing: " << joiner.process->errors();
        if (saved) saves.push_back(readFile<std::vector<uint8_t>>(*saved));
        joiner.screenshot("host-lost");
    }
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_EQ(rulesOfSave(machines.folder, saves[0]), rulesOfSave(machines.folder, saves[1]));
    for (Machine& joiner : machines.joiners) killMachine(joiner);

    // Hosted again from that save: loaded, it is the same game to the byte.
    const fs::path kept = machines.folder / "kept.kvd";
    writeBytes(kept, saves[0]);
    gather("again", {"--load", kept.string()});
    machines.host.click(buttonCentre(setup, CommandId::LoadGame));
    machines.host.click(turnScreenButton(CommandId::SaveGame));
    const fs::path saved = machines.host.directory / "Data" / "Save.kvd";
    // Loading numbers the groups afresh: the ids may differ from the kept
    // file's where a group had gone, and nothing else.
    EXPECT_TRUE(waitFor([&] { return fs::exists(saved); }));
    EXPECT_EQ(rulesOfSave(machines.folder, readFile<std::vector<uint8_t>>(saved)),
              rulesOfSave(machines.folder, saves[0]));
    machines.host.click(turnScreenButton(CommandId::QuitGame));
    EXPECT_EQ(machines.host.process->exitCode(), 0);
    for (Machine& joiner : machines.joiners) killMachine(joiner);

    // A joiner lost in the battle that wins its team the game: the computer
    // takes its seat, and the game ends by itself.
    ASSERT_TRUE(loadWinningGame("won-alone"));
    Shadow won(machines.host.directory / "Data");
    ASSERT_TRUE(won.follow());
    attack(won);
    Machine& second = machines.joiners[0];
    killMachine(second);
    EXPECT_TRUE(
        waitFor([&] { return said(machines.host, "Player 2 left: the computer plays for them"); },
                std::chrono::seconds(10)));
    EXPECT_TRUE(showsEndScreen(machines.host)) << "no end screen at the host";
    machines.host.screenshot("won-alone");
}
