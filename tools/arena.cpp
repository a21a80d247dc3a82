// The arena: whole games between computer levels without a window, to measure
// how strong each level is. Every game runs as the program runs it: the
// computer's turn through the same tick call, each battle stepped at 16 ms
// frames through the game's own battle step. Prints a table per level and a
// last line per level, "LEVEL wins W of N".
#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ai/levels.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/game_end.h"
#include "game/game_invariants.h"
#include "game/seats.h"
#include "net/lockstep.h"
#include "net/transport.h"
#include "play/tick.h"

namespace {

constexpr uint32_t kFrameMs = 16;
constexpr int kDefaultTurnLimit = 300;
// A game that neither ends nor passes its turns is a fault of a level; this
// many ticks of one turn (over ten minutes of play) end it as a draw.
constexpr int kMostTicksInATurn = 40000;

struct Options {
    int games = 0;
    uint32_t seed = 0;
    std::vector<Level> players;
    std::vector<int> teams;
    int turnLimit = kDefaultTurnLimit;
    int jobs = 1;
    std::optional<int> onlyGame;
    int machines = 1;
    double drops = 0.0;  // each joiner's chance to drop out at each turn screen
};

// Reads a whole number in [least, most]; nothing when the text is anything else.
std::optional<long long> numberIn(std::string_view text, long long least, long long most) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> commaSeparated(std::string_view text) {
    std::vector<std::string_view> items;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        items.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) return items;
        start = comma + 1;
    }
}

// The options, or the problem with them in one line.
std::optional<Options> parseOptions(int argc, char** argv, std::string& problem) {
    Options options;
    options.jobs = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    bool haveGames = false, haveSeed = false;
    std::optional<std::string_view> teams;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        constexpr std::string_view kKnown[] = {"--games", "--seed",     "--players",
                                               "--teams", "--jobs",     "--turn-limit",
                                               "--game",  "--machines", "--drops"};
        if (std::find(std::begin(kKnown), std::end(kKnown), name) == std::end(kKnown)) {
            problem = "unknown option \"" + std::string(name) + "\"";
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            problem = std::string(name) + " needs a value";
            return std::nullopt;
        }
        const std::string_view value = argv[++i];
        auto bad = [&](std::string_view what) {
            problem = std::string(name) + " wants " + std::string(what) + ", not \"" +
                      std::string(value) + "\"";
            return std::nullopt;
        };
        if (name == "--games") {
            const auto n = numberIn(value, 1, 1000000);
            if (!n) return bad("a number of games from 1");
            options.games = static_cast<int>(*n);
            haveGames = true;
        } else if (name == "--seed") {
            const auto n = numberIn(value, 0, UINT32_MAX);
            if (!n) return bad("a seed from 0 to 4294967295");
            options.seed = static_cast<uint32_t>(*n);
            haveSeed = true;
        } else if (name == "--players") {
            options.players.clear();
            for (std::string_view item : commaSeparated(value)) {
                const std::optional<Level> level = levelNamed(item);
                if (!level) return bad("levels among easy, normal, hard, passive, random");
                options.players.push_back(*level);
            }
            if (options.players.size() < kMinPlayers || options.players.size() > kMaxPlayers)
                return bad("2 to 8 players");
        } else if (name == "--teams") {
            teams = value;
        } else if (name == "--turn-limit") {
            const auto n = numberIn(value, 1, 100000);
            if (!n) return bad("a number of rounds from 1");
            options.turnLimit = static_cast<int>(*n);
        } else if (name == "--jobs") {
            const auto n = numberIn(value, 1, 256);
            if (!n) return bad("a number of jobs from 1 to 256");
            options.jobs = static_cast<int>(*n);
        } else if (name == "--drops") {
            char* end = nullptr;
            const std::string text(value);
            options.drops = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(options.drops >= 0.0 && options.drops <= 1.0))
                return bad("a chance of dropping from 0 to 1");
        } else if (name == "--machines") {
            const auto n = numberIn(value, 1, kMaxPlayers);
            if (!n) return bad("a number of machines from 1 to 8");
            options.machines = static_cast<int>(*n);
        } else {  // --game
            const auto n = numberIn(value, 0, 999999);
            if (!n) return bad("a game number from 0");
            options.onlyGame = static_cast<int>(*n);
        }
    }
    if (!haveGames || !haveSeed || options.players.empty()) {
        problem =
            "usage: brennolt_arena --games N --seed S --players LEVEL,LEVEL[,...] "
            "[--teams T,T,...] [--turn-limit R] [--jobs J] [--game K] [--machines M [--drops P]]";
        return std::nullopt;
    }
    if (teams) {
        for (std::string_view item : commaSeparated(*teams)) {
            const auto team = numberIn(item, 0, kMaxPlayers - 1);
            if (!team) {
                problem =
                    "--teams wants team numbers from 0 to 7, not \"" + std::string(*teams) + "\"";
                return std::nullopt;
            }
            options.teams.push_back(static_cast<int>(*team));
        }
        if (options.teams.size() != options.players.size()) {
            problem = "--teams names " + std::to_string(options.teams.size()) + " teams for " +
                      std::to_string(options.players.size()) + " players";
            return std::nullopt;
        }
    } else {
        for (size_t i = 0; i < options.players.size(); ++i)
            options.teams.push_back(static_cast<int>(i));
    }
    if (options.onlyGame && *options.onlyGame >= options.games) {
        problem = "--game " + std::to_string(*options.onlyGame) + " is not among the " +
                  std::to_string(options.games) + " games";
        return std::nullopt;
    }
    return options;
}

// The levels in the order the players first name them: the table's rows.
std::vector<Level> distinctLevels(const std::vector<Level>& players) {
    std::vector<Level> levels;
    for (Level level : players)
        if (std::find(levels.begin(), levels.end(), level) == levels.end()) levels.push_back(level);
    return levels;
}

size_t rowOf(const std::vector<Level>& levels, Level level) {
    return static_cast<size_t>(std::find(levels.begin(), levels.end(), level) - levels.begin());
}

uint64_t threadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

struct GameResult {
    std::vector<bool> won;  // by table row
    bool draw = false;
    int rounds = 0;
    // Each turn's decision time in ms, by table row.
    std::vector<std::vector<double>> turnMs;
    // Over several machines: the commands of the stream, those after which a
    // joiner's fingerprint differed from the host's, and the host's repairs.
    long long commands = 0;
    long long mismatches = 0;
    long long repairs = 0;
    // With drops: the joiners that dropped out and came back, the games that
    // stalled (a turn that never ended), and the commands after which a
    // machine's game broke a rule.
    long long drops = 0;
    long long rejoins = 0;
    long long seatsBack = 0;
    bool stalled = false;
    long long broken = 0;
};

// The machines of one game: the program alone, or a host (the first) and its
// joiners over the in-process network, the computer's seats spread over them.
struct Machine {
    Game game;
    PlayState play;
    NetGame net;
};
struct Machines {
    LoopbackNetwork network;
    std::vector<std::unique_ptr<Machine>> all;  // null: a joiner that dropped out
    // Dropping out: the turn screens until each joiner comes back, the
    // token it comes back with, and the arena's own draws for both.
    std::vector<int> awayFor;
    std::vector<uint64_t> tokens;
    std::mt19937 dropDraws;

    bool networked() const { return all.size() > 1; }
    // One tick of every machine; returns the CPU time of the computer's
    // decisions in it: the first part of the tick on a machine whose
    // computer made a plan there (the view and the plan).
    uint64_t tick(uint32_t clock) {
        uint64_t decidingNs = 0;
        for (std::unique_ptr<Machine>& machine : all) {
            if (!machine) continue;
            const ComputerSeats& computers = machine->play.computers;
            const GamePhase planned = computers.plannedPhase;
            const bool battleSincePlan = computers.battleSincePlan;
            const uint64_t before = threadCpuNs();
            if (networked())
                netBeforeFrame(machine->net, machine->game, machine->play, clock);
            else
                playBeforeFrame(machine->game, machine->play, clock);
            const bool planning = isMapPhase(computers.plannedPhase) &&
                                  (computers.plannedPhase != planned ||
                                   (battleSincePlan && !computers.battleSincePlan));
            if (planning) decidingNs += threadCpuNs() - before;
            playAfterFrame(machine->game, machine->play, kFrameMs);
            if (networked()) netAfterFrame(machine->net, machine->game, machine->play);
        }
        advanceLoopback(network, kFrameMs);
        return decidingNs;
    }
};

constexpr const char* kArenaCode = "ARENA000";
// The in-process network's delays, about a home network's over the internet.
constexpr uint32_t kNetworkDelayMs = 30;
constexpr uint32_t kNetworkJitterMs = 20;
constexpr int kMostTicksToJoin = 1000;

// Every machine checks the rules after every command of the stream.
void watchRules(NetGame& net, GameResult& result) {
    net.inspect = [&result](const Game& game) {
        if (!brokenInvariant(game).empty()) result.broken += 1;
    };
}

// A joiner that asks for no seat (the host gives them out), with `token`
// from an earlier join; it records its fingerprints and checks the rules
// after every command, and plays the computer's seats as the host does.
void addJoiner(Machines& machines, size_t slot, uint64_t token, GameResult& result) {
    const Machine& host = *machines.all.front();
    auto joiner = std::make_unique<Machine>();
    initialiseGame(joiner->game);
    joinNetGame(joiner->net, joiner->game, joiner->play, kArenaCode, kNoSeat);
    joiner->net.token = token;
    joinOverLoopback(joiner->net.transport, machines.network);
    joiner->net.recordFingerprints = true;
    watchRules(joiner->net, result);
    joiner->game.startupSeed = host.game.startupSeed;
    joiner->play.computers.levels = host.play.computers.levels;
    if (slot == machines.all.size()) machines.all.push_back(nullptr);
    machines.all[slot] = std::move(joiner);
}

// Joins the other machines to the host, and gives each seat to machine
// seat mod M. The host then begins through its own commands, so every
// joiner starts from the state it sends.
void connectMachines(Machines& machines, int count, GameResult& result) {
    Machine& host = *machines.all.front();
    machines.network.delayMs = kNetworkDelayMs;
    machines.network.jitterMs = kNetworkJitterMs;
    hostNetGame(host.net, host.game, host.play);
    host.game.network.joinCode = kArenaCode;
    hostOverLoopback(host.net.transport, machines.network);
    host.net.recordFingerprints = true;
    watchRules(host.net, result);
    for (int m = 1; m < count; ++m) addJoiner(machines, static_cast<size_t>(m), 0, result);
    machines.awayFor.assign(static_cast<size_t>(count), 0);
    machines.tokens.assign(static_cast<size_t>(count), 0);
    // Joined once every joiner has heard its machine number.
    auto joined = [&] {
        for (const std::unique_ptr<Machine>& machine : machines.all)
            if (machine->game.network.here == -1) return false;
        return true;
    };
    for (int tick = 0; tick < kMostTicksToJoin && !joined(); ++tick) machines.tick(0);
    for (int seat = 0; seat < host.game.session.playerCount; ++seat)
        host.game.network.seatMachine[seat] = machines.all[seat % count]->game.network.here;
}

// The commands after which a joiner's game was not the host's: from the first
// it applied (one that rejoined starts where the host's game was sent to it)
// to the last it applied, or with `whole` to the host's last.
long long mismatchesOf(const std::vector<uint64_t>& host, const std::vector<uint64_t>& theirs,
                       bool whole) {
    size_t first = 0;
    while (first < theirs.size() && theirs[first] == 0) ++first;
    if (first == theirs.size()) return 0;
    long long mismatches = 0;
    const size_t last = whole ? host.size() : std::min(host.size(), theirs.size());
    for (size_t i = first; i < last; ++i)
        if (i >= theirs.size() || theirs[i] != host[i]) mismatches += 1;
    return mismatches;
}

// At each of the host's turn screens: each joiner present drops out with
// chance `p`, and one away comes back when its one to three turns are over.
void dropOrRejoin(Machines& machines, double p, GameResult& result) {
    const std::vector<uint64_t>& host = machines.all.front()->net.fingerprints;
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    for (size_t slot = 1; slot < machines.all.size(); ++slot) {
        std::unique_ptr<Machine>& machine = machines.all[slot];
        if (!machine) {
            if (--machines.awayFor[slot] > 0) continue;
            addJoiner(machines, slot, machines.tokens[slot], result);
            result.rejoins += 1;
            continue;
        }
        if (chance(machines.dropDraws) >= p) continue;
        result.mismatches += mismatchesOf(host, machine->net.fingerprints, false);
        machines.tokens[slot] = machine->net.token;
        disconnectPeer(machine->net.transport, kHostPeer);
        machine.reset();
        machines.awayFor[slot] = 1 + static_cast<int>(machines.dropDraws() % 3);
        result.drops += 1;
    }
}

// Plays on until every joiner has applied the whole stream, then counts the
// commands after which a joiner's fingerprint was not the host's. A joiner
// that came back and waits for a turn screen to be sent the game has none.
void compareMachines(Machines& machines, GameResult& result) {
    const NetGame& host = machines.all.front()->net;
    for (int tick = 0; tick < kMostTicksInATurn; ++tick) {
        bool behind = false;
        for (const std::unique_ptr<Machine>& machine : machines.all)
            behind =
                behind || (machine && machine->net.started && machine->net.applied < host.applied);
        if (!behind) break;
        machines.tick(0);
    }
    result.commands = host.applied;
    result.repairs = host.repairs;
    result.seatsBack = host.seatsBack;
    for (size_t m = 1; m < machines.all.size(); ++m)
        if (machines.all[m])
            result.mismatches +=
                mismatchesOf(host.fingerprints, machines.all[m]->net.fingerprints, true);
}

// A replayed game's course, a line a round on standard error: what each
// player owns.
void describeRound(const Game& game, const Options& options, int k, int round) {
    const int players = game.session.playerCount;
    std::string line = "round " + std::to_string(round) + ":";
    for (int seat = 0; seat < players; ++seat) {
        int planets = 0, planetShips = 0, groups = 0, groupShips = 0;
        for (const Planet& planet : game.planets)
            if (planet.owner == seat) ++planets, planetShips += planet.ships;
        for (const Group& group : game.registry.groups)
            if (group.owner == seat) ++groups, groupShips += group.ships;
        const Level level = options.players[static_cast<size_t>((seat + k) % players)];
        line += "  " + std::string(levelName(level)) + " " + std::to_string(planets) + "p/" +
                std::to_string(planetShips) + " " + std::to_string(groups) + "g/" +
                std::to_string(groupShips);
    }
    std::fprintf(stderr, "%s\n", line.c_str());
}

void playOn(const Options& options, const std::vector<Level>& rows, int k, Machines& machines,
            GameResult& result);

// Game k: seed S + k, the players' seats turned round by k so that no level
// always moves first.
GameResult playGame(const Options& options, const std::vector<Level>& rows, int k) {
    GameResult result;
    Machines machines;
    machines.all.push_back(std::make_unique<Machine>());
    playOn(options, rows, k, machines, result);
    if (machines.networked()) compareMachines(machines, result);
    return result;
}

// The game on the host's screen, played until it is decided or a draw.
void playOn(const Options& options, const std::vector<Level>& rows, int k, Machines& machines,
            GameResult& result) {
    const int players = static_cast<int>(options.players.size());
    Game& game = machines.all.front()->game;
    initialiseGame(game);
    while (game.session.playerCount < players) dispatchCommand(game, CommandId::IncreasePlayers);
    ComputerSeats& computers = machines.all.front()->play.computers;
    std::vector<size_t> rowOfSeat(players);
    for (int seat = 0; seat < players; ++seat) {
        const int entry = (seat + k) % players;
        game.session.teams[seat] = options.teams[entry];
        game.seats[seat] = Seat::Computer;
        computers.levels[seat] = options.players[entry];
        rowOfSeat[seat] = rowOf(rows, options.players[entry]);
    }
    game.startupSeed = options.seed + static_cast<uint32_t>(k);
    seedRandom(game.random, game.startupSeed);
    if (options.machines > 1) {
        machines.dropDraws.seed(game.startupSeed);
        connectMachines(machines, options.machines, result);
        machines.all.front()->play.send(pressButton(0, static_cast<int>(CommandId::BeginTurn)));
    } else {
        dispatchCommand(game, CommandId::BeginTurn);
    }

    result.won.assign(rows.size(), false);
    result.turnMs.resize(rows.size());
    result.rounds = 1;
    uint32_t clock = 0;
    int mover = game.session.currentPlayer;
    uint64_t turnNs = 0;
    int ticksThisTurn = 0;
    GamePhase previous = game.session.phase;
    // Whether more than one level plays: then the game is over once one alone has seats left.
    const bool levelsMeet = rows.size() > 1;
    while (true) {
        // The ticks that plan (the first of a map phase, and the first after
        // each battle) hold the decisions; the others only carry out orders
        // through the player's commands.
        turnNs += machines.tick(clock);
        clock += kFrameMs;
        ++ticksThisTurn;

        const GamePhase now = game.session.phase;
        if (now == previous && ticksThisTurn < kMostTicksInATurn) continue;
        previous = now;
        if (now == GamePhase::GameOver) {
            for (int seat = 0; seat < players; ++seat)
                if (game.winningTeam != -1 && game.session.teams[seat] == game.winningTeam)
                    result.won[rowOfSeat[seat]] = true;
            return;
        }
        if (now == GamePhase::TurnStart || ticksThisTurn >= kMostTicksInATurn) {
            result.turnMs[rowOfSeat[mover]].push_back(static_cast<double>(turnNs) / 1e6);
            turnNs = 0;
            if (ticksThisTurn >= kMostTicksInATurn) {
                result.draw = true;
                result.stalled = true;
                return;
            }
            if (options.drops > 0.0) dropOrRejoin(machines, options.drops, result);
            ticksThisTurn = 0;
            if (game.session.currentPlayer <= mover) {
                ++result.rounds;
                if (options.onlyGame) describeRound(game, options, k, result.rounds);
            }
            mover = game.session.currentPlayer;
            if (result.rounds > options.turnLimit) {
                result.rounds = options.turnLimit;
                result.draw = true;
                return;
            }
        }
        if (levelsMeet) {
            std::vector<bool> left(rows.size(), false);
            for (int seat = 0; seat < players; ++seat)
                if (ownsAnything(game, seat)) left[rowOfSeat[seat]] = true;
            if (std::count(left.begin(), left.end(), true) == 1) {
                result.won = left;
                return;
            }
        }
    }
}

struct Row {
    int games = 0;
    int wins = 0;
    int draws = 0;
    long long rounds = 0;
    std::vector<double> turnMs;
};

void printTable(const std::vector<Level>& levels, const std::vector<GameResult>& results,
                int machines) {
    std::vector<Row> rows(levels.size());
    for (const GameResult& game : results) {
        for (size_t r = 0; r < levels.size(); ++r) {
            Row& row = rows[r];
            row.games += 1;
            row.wins += game.won[r] ? 1 : 0;
            row.draws += game.draw ? 1 : 0;
            row.rounds += game.rounds;
            row.turnMs.insert(row.turnMs.end(), game.turnMs[r].begin(), game.turnMs[r].end());
        }
    }
    std::printf("%-8s %6s %6s %6s %12s %16s %17s\n", "level", "games", "wins", "draws",
                "mean rounds", "median turn ms", "slowest turn ms");
    for (size_t r = 0; r < levels.size(); ++r) {
        Row& row = rows[r];
        std::sort(row.turnMs.begin(), row.turnMs.end());
        const double median = row.turnMs.empty() ? 0.0 : row.turnMs[row.turnMs.size() / 2];
        const double slowest = row.turnMs.empty() ? 0.0 : row.turnMs.back();
        std::printf("%-8s %6d %6d %6d %12.1f %16.3f %17.3f\n",
                    std::string(levelName(levels[r])).c_str(), row.games, row.wins, row.draws,
                    static_cast<double>(row.rounds) / std::max(1, row.games), median, slowest);
    }
    long long commands = 0, mismatches = 0, repairs = 0, drops = 0, rejoins = 0, seatsBack = 0,
              stalled = 0, broken = 0;
    for (const GameResult& game : results) {
        commands += game.commands;
        mismatches += game.mismatches;
        repairs += game.repairs;
        drops += game.drops;
        rejoins += game.rejoins;
        seatsBack += game.seatsBack;
        stalled += game.stalled ? 1 : 0;
        broken += game.broken;
    }
    if (machines > 1) {
        std::printf("machines %d: %lld commands, %lld mismatches, %lld repairs\n", machines,
                    commands, mismatches, repairs);
        std::printf(
            "%lld drops, %lld rejoins, %lld seats back, %lld games stalled, %lld commands broke a "
            "rule\n",
            drops, rejoins, seatsBack, stalled, broken);
    }
    for (size_t r = 0; r < levels.size(); ++r)
        std::printf("%s wins %d of %d\n", std::string(levelName(levels[r])).c_str(), rows[r].wins,
                    rows[r].games);
}

// Progress on standard error, at most once a second and after the last game.
struct Progress {
    std::mutex mutex;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastShown = start;
    int done = 0;

    void gameDone(int total) {
        std::lock_guard<std::mutex> lock(mutex);
        done += 1;
        const auto now = std::chrono::steady_clock::now();
        if (done < total && now - lastShown < std::chrono::seconds(1)) return;
        lastShown = now;
        const double elapsed = std::chrono::duration<double>(now - start).count();
        const double remaining = elapsed / done * (total - done);
        std::fprintf(stderr, "brennolt_arena: %d of %d games, %.0f s elapsed, about %.0f s left\n",
                     done, total, elapsed, remaining);
    }
};

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    const std::optional<Options> parsed = parseOptions(argc, argv, problem);
    if (!parsed) {
        std::fprintf(stderr, "brennolt_arena: %s\n", problem.c_str());
        return 2;
    }
    const Options& options = *parsed;
    const std::vector<Level> levels = distinctLevels(options.players);
    std::vector<int> games;
    if (options.onlyGame)
        games.push_back(*options.onlyGame);
    else
        for (int k = 0; k < options.games; ++k) games.push_back(k);

    std::vector<GameResult> results(games.size());
    std::atomic<size_t> next{0};
    Progress progress;
    auto work = [&] {
        for (size_t i = next++; i < games.size(); i = next++) {
            results[i] = playGame(options, levels, games[i]);
            progress.gameDone(static_cast<int>(games.size()));
        }
    };
    std::vector<std::thread> workers;
    const int jobs = std::min(options.jobs, static_cast<int>(games.size()));
    for (int j = 1; j < jobs; ++j) workers.emplace_back(work);
    work();
    for (std::thread& worker : workers) worker.join();

    if (options.onlyGame) {
        const GameResult& game = results.front();
        std::string winners;
        for (size_t r = 0; r < levels.size(); ++r)
            if (game.won[r]) winners += " " + std::string(levelName(levels[r]));
        std::printf("game %d: seed %u, %d rounds, %s\n", *options.onlyGame,
                    options.seed + static_cast<uint32_t>(*options.onlyGame), game.rounds,
                    game.draw         ? "a draw"
                    : winners.empty() ? "nobody won"
                                      : ("won by" + winners).c_str());
    }
    printTable(levels, results, options.machines);
    return 0;
}
