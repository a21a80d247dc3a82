// Lockstep: the host's stream and the joiners' replay of it, the joins, and
// the fingerprints compared at every turn screen.
#include "net/lockstep.h"

#include <sys/random.h>

#include <cstdio>
#include <ctime>
#include <utility>

#include "game/combat.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/rules_state.h"
#include "game/save_file.h"
#include "play/tick.h"

namespace {

constexpr uint32_t kReferenceSeed = 20261209;
constexpr int kReferenceShips = 60;
constexpr int kMostReferenceSteps = 100000;
// How long a leaving machine waits for the others to hear of it.
constexpr uint32_t kLeaveWaitMs = 300;

void note(NetGame& net, std::string line) {
    std::fprintf(stderr, "Brennolt: %s\n", line.c_str());
    net.notes.push_back(std::move(line));
}

void trace(const NetGame& net, const std::string& event) {
    if (net.trace)
        net.trace(event + " clock=" + std::to_string(net.clock) +
                  " tick=" + std::to_string(net.ticks));
}

std::string commandText(const PlayerCommand& command) {
    return "kind=" + std::to_string(static_cast<int>(command.kind)) +
           " player=" + std::to_string(command.player) + " value=" + std::to_string(command.value);
}

// `to` is the machine it goes to: 0 for the host; -1 for one that has not joined.
void sendBytes(NetGame& net, PeerId peer, int32_t to, const std::vector<uint8_t>& bytes) {
    if (net.trace)
        trace(net, "message kind=" + std::to_string(bytes.size() > 1 ? bytes[1] : 0) +
                       " bytes=" + std::to_string(bytes.size()) + " to=" + std::to_string(to));
    sendMessage(net.transport, peer, bytes);
}

NetGame::Joiner* joinerOf(NetGame& net, PeerId peer) {
    for (NetGame::Joiner& joiner : net.joiners)
        if (joiner.peer == peer) return &joiner;
    return nullptr;
}

void send(NetGame& net, PeerId peer, const Message& message) {
    const NetGame::Joiner* joiner = net.hosting ? joinerOf(net, peer) : nullptr;
    sendBytes(net, peer, net.hosting ? (joiner ? joiner->machine : -1) : 0, encodeMessage(message));
}

void sendToJoiners(NetGame& net, const Message& message) {
    const std::vector<uint8_t> bytes = encodeMessage(message);
    for (const NetGame::Joiner& joiner : net.joiners)
        if (joiner.machine != -1 && !joiner.awaitingStart)
            sendBytes(net, joiner.peer, joiner.machine, bytes);
}

Message stateMessage(MessageKind kind, uint32_t index, const Game& game) {
    Message message;
    message.kind = kind;
    message.index = index;
    message.state = encodeRulesState(game);
    return message;
}

NetGame::Joiner* joinerOfMachine(NetGame& net, int32_t machine) {
    for (NetGame::Joiner& joiner : net.joiners)
        if (joiner.machine == machine) return &joiner;
    return nullptr;
}

// A game that starts, or is repaired, at a turn screen.
void keepTurnSave(NetGame& net, const Game& game) {
    if (game.session.phase == GamePhase::TurnStart) net.turnSave = encodeSave(game);
}

// After every command of the stream: the arena's record, and at a turn
// screen the fingerprint the machines compare.
void afterStreamCommand(NetGame& net, const Game& game, GamePhase before, int32_t machine,
                        const PlayerCommand& command) {
    if (net.trace)
        trace(net, "applied index=" + std::to_string(net.applied) +
                       " machine=" + std::to_string(machine) + " " + commandText(command) +
                       " phase=" + std::to_string(static_cast<int>(game.session.phase)));
    net.applied += 1;
    if (net.inspect) net.inspect(game);
    const bool turnScreen =
        game.session.phase == GamePhase::TurnStart && before != GamePhase::TurnStart;
    if (turnScreen && net.trace)
        trace(net, "turn index=" + std::to_string(net.applied) +
                       " fingerprint=" + std::to_string(rulesFingerprint(game)));
    if (turnScreen) net.turnSave = encodeSave(game);
    if (!net.recordFingerprints && !turnScreen) return;
    const uint64_t fingerprint = rulesFingerprint(game);
    if (net.recordFingerprints) {
        // By place in the stream: a machine repaired from the host's game
        // leaves the commands it skipped at 0.
        if (net.fingerprints.size() < net.applied) net.fingerprints.resize(net.applied);
        net.fingerprints[net.applied - 1] = fingerprint;
    }
    if (!turnScreen) return;
    if (net.hosting) {
        net.turnFingerprints[net.applied] = fingerprint;
        return;
    }
    Message report;
    report.kind = MessageKind::Fingerprint;
    report.index = net.applied;
    report.number = fingerprint;
    send(net, kHostPeer, report);
}

// ---------------------------------------------------------------------------
// The host.

// Applies a checked command here and sends it to every machine as the
// stream's next.
void takeIntoStream(NetGame& net, Game& game, int32_t machine, const PlayerCommand& command) {
    const GamePhase before = game.session.phase;
    applyCommand(game, command);
    Message entry;
    entry.kind = MessageKind::Stream;
    entry.index = net.applied;
    entry.machine = machine;
    entry.command = command;
    sendToJoiners(net, entry);
    afterStreamCommand(net, game, before, machine, command);
}

void noteEverywhere(NetGame& net, const std::string& text) {
    note(net, text);
    Message line;
    line.kind = MessageKind::Note;
    line.text = text;
    sendToJoiners(net, line);
}

// At a turn screen: the seats of machines that rejoined go back to them, as
// they were played before they left, and each such machine is sent the game
// to go on from. A seat the computer does not hold yet (its machine's
// leaving still waits behind a battle) waits for the next turn screen.
void returnSeats(NetGame& net, Game& game) {
    for (int32_t machine = 1; machine < kMaxPlayers; ++machine) {
        NetGame::Known& known = net.known[machine];
        NetGame::Joiner* joiner = joinerOfMachine(net, machine);
        if (!known.returning || !joiner) continue;
        bool waiting = false;
        Message back;
        back.kind = MessageKind::Note;
        for (int seat = 0; seat < kMaxPlayers; ++seat) {
            if (!known.leftSeats[seat]) continue;
            const PlayerCommand command = commandOn(
                CommandKind::SeatToMachine, -1, seatReturn(seat, machine, *known.leftSeats[seat]));
            if (checkCommand(game, command) != CommandResult::Applied) {
                waiting = true;
                continue;
            }
            takeIntoStream(net, game, 0, command);
            known.leftSeats[seat].reset();
            net.seatsBack += 1;
            back.text = "Player " + std::to_string(seat + 1) + " is back";
            noteEverywhere(net, back.text);
        }
        if (waiting) continue;
        known.returning = false;
        joiner->awaitingStart = false;
        send(net, joiner->peer, stateMessage(MessageKind::Start, net.applied, game));
        if (!back.text.empty()) send(net, joiner->peer, back);  // its own news too
    }
}

// Takes the waiting commands into the stream in order, each checked against
// the game as all before it left it; a battle holds the rest back until it
// has ended here.
void runQueue(NetGame& net, Game& game, PlayState& play) {
    while (!net.queue.empty() && !isBattlePhase(game.session.phase)) {
        const NetGame::Queued queued = net.queue.front();
        net.queue.pop_front();
        if (queued.machine == 0) play.waiting = false;
        CommandResult result = checkCommand(game, queued.command);
        // The host alone gives a seat to the computer; everyone else acts
        // for the seats they play.
        const PlayerCommand& command = queued.command;
        const bool ownSeat = command.kind == CommandKind::SeatToComputer
                                 ? queued.machine == 0
                                 : command.player >= 0 && command.player < kMaxPlayers &&
                                       game.network.seatMachine[command.player] == queued.machine;
        if (result != CommandResult::Applied || !ownSeat) {
            const char* why = ownSeat ? describeResult(result) : "not a seat that machine plays";
            net.refusals += 1;
            note(net,
                 "Refused a command of machine " + std::to_string(queued.machine) + ": " + why);
            if (const NetGame::Joiner* joiner = joinerOfMachine(net, queued.machine)) {
                Message refused;
                refused.kind = MessageKind::Refused;
                refused.command = queued.command;
                refused.text = why;
                send(net, joiner->peer, refused);
            }
            continue;
        }
        const GamePhase before = game.session.phase;
        takeIntoStream(net, game, queued.machine, queued.command);
        // From the end screen back to Setup: a new game is set up as the first was.
        if (game.session.phase == GamePhase::Setup) {
            net.started = false;
            for (NetGame::Known& known : net.known) known.leftSeats = {}, known.returning = false;
            sendToJoiners(net, stateMessage(MessageKind::Setup, 0, game));
        }
        if (game.session.phase == GamePhase::TurnStart && before != GamePhase::TurnStart)
            returnSeats(net, game);
    }
}

// The host's own commands: on its Setup screen they change only what it
// shows the joiners, and Begin sends them the game to start from; after
// that they take their place in the stream like any machine's.
void submitAtHost(NetGame& net, Game& game, PlayState& play, const PlayerCommand& command) {
    const bool setup = !net.started;
    if (isLocalCommand(command) || setup) {
        applyCommand(game, command);
        if (!setup || game.quitRequested) return;
        // A new game, or one loaded from the host's save, starts everywhere
        // from the host's state.
        if (game.session.phase == GamePhase::Setup) {
            if (!isLocalCommand(command))
                sendToJoiners(net, stateMessage(MessageKind::Setup, 0, game));
        } else {
            net.started = true;
            keepTurnSave(net, game);
            sendToJoiners(net, stateMessage(MessageKind::Start, net.applied, game));
        }
        return;
    }
    if (net.trace) trace(net, "sent machine=0 " + commandText(command));
    net.queue.push_back({0, command});
    play.waiting = true;
    runQueue(net, game, play);
}

void refuseJoin(NetGame& net, PeerId peer, const std::string& why) {
    note(net, "Refused a machine that asked to join: " + why);
    Message refusal;
    refusal.kind = MessageKind::Refusal;
    refusal.text = why;
    send(net, peer, refusal);
}

// The seat a joiner gets: the one it asks for, or the first open one; -1
// where none of them is free.
int seatFor(const Game& game, int asked) {
    if (asked >= 0) return asked < game.session.playerCount && isOpenSeat(game, asked) ? asked : -1;
    for (int seat = 0; seat < game.session.playerCount; ++seat)
        if (isOpenSeat(game, seat)) return seat;
    return -1;
}

// The machine that was given `token` at its first join; -1 for none.
int32_t machineOfToken(const NetGame& net, uint64_t token) {
    for (int32_t machine = 1; machine < kMaxPlayers && token != 0; ++machine)
        if (net.known[machine].token == token) return machine;
    return -1;
}

// A token that proves a machine's seats its own: from the system's random
// source, never from the game's generator, and never 0 (no token).
uint64_t systemToken() {
    uint64_t token = 0;
    while (token == 0)
        if (getrandom(&token, sizeof token, 0) != static_cast<ssize_t>(sizeof token)) token = 0;
    return token;
}

// Why a machine may not join as it asks, or nothing.
std::string joinRefusal(const NetGame& net, const Game& game, const Message& hello) {
    if (hello.number != net.buildCheck) return "its build computes battles differently";
    if (hello.text != game.network.joinCode) return "wrong join code";
    if (game.session.phase != GamePhase::Setup || net.started)
        return machineOfToken(net, hello.token) > 0 ? "" : "the game has already begun";
    if (net.machinesJoined + 1 >= kMaxPlayers) return "the game is full";
    if (hello.seat == kNoSeat || seatFor(game, hello.seat) != -1) return {};
    if (hello.seat >= 0) return "seat " + std::to_string(hello.seat + 1) + " is not open";
    return "no seat is open";
}

void rejoin(NetGame& net, Game& game, PlayState& play, PeerId peer, int32_t machine);

void welcome(NetGame& net, Game& game, PlayState& play, NetGame::Joiner& joiner,
             const Message& hello) {
    const std::string why = joinRefusal(net, game, hello);
    if (!why.empty()) {
        refuseJoin(net, joiner.peer, why);
        return;
    }
    if (net.started) {
        rejoin(net, game, play, joiner.peer, machineOfToken(net, hello.token));
        return;
    }
    joiner.machine = ++net.machinesJoined;
    net.known[joiner.machine] = {};
    net.known[joiner.machine].token = systemToken();
    const int seat = hello.seat == kNoSeat ? kNoSeat : seatFor(game, hello.seat);
    if (seat >= 0) {
        game.network.seatMachine[seat] = joiner.machine;
        refreshSetupStart(game);
    }
    Message answer;
    answer.kind = MessageKind::Welcome;
    answer.machine = joiner.machine;
    answer.seat = seat;
    answer.token = net.known[joiner.machine].token;
    send(net, joiner.peer, answer);
    note(net, seat < 0 ? "Machine " + std::to_string(joiner.machine) + " joined"
                       : "Player " + std::to_string(seat + 1) + " joined");
    sendToJoiners(net, stateMessage(MessageKind::Setup, 0, game));
}

void checkReport(NetGame& net, Game& game, const NetGame::Joiner& joiner, const Message& report) {
    const auto own = net.turnFingerprints.find(report.index);
    if (own == net.turnFingerprints.end() || own->second == report.number) return;
    net.repairs += 1;
    Message line;
    line.kind = MessageKind::Note;
    line.text = "Turn of player " + std::to_string(game.session.currentPlayer + 1) + ": machine " +
                std::to_string(joiner.machine) + " differed and was sent the host's game";
    note(net, line.text);
    sendToJoiners(net, line);
    send(net, joiner.peer, stateMessage(MessageKind::Repair, net.applied, game));
}

// A machine that left: on the Setup screen its seat is open again; in a game
// the computer plays it from the next command of the stream on.
void seatsLeft(NetGame& net, Game& game, PlayState& play, int32_t machine) {
    for (int seat = 0; seat < kMaxPlayers; ++seat) {
        if (game.network.seatMachine[seat] != machine) continue;
        Message line;
        line.kind = MessageKind::Note;
        if (net.started) {
            line.text = "Player " + std::to_string(seat + 1) + " left: the computer plays for them";
            net.known[machine].leftSeats[seat] = game.seats[seat];
            net.queue.push_back({0, commandOn(CommandKind::SeatToComputer, -1, seat)});
        } else {
            line.text = "Player " + std::to_string(seat + 1) + " left";
            game.network.seatMachine[seat] = 0;
            refreshSetupStart(game);
            sendToJoiners(net, stateMessage(MessageKind::Setup, 0, game));
        }
        note(net, line.text);
        sendToJoiners(net, line);
    }
    if (net.started) runQueue(net, game, play);
}

// A machine that proved itself with its token takes its old number. If its
// old connection has not timed out yet (the program was started again at
// once), that one has left now. Its seats come back at a turn screen.
void rejoin(NetGame& net, Game& game, PlayState& play, PeerId peer, int32_t machine) {
    if (const NetGame::Joiner* old = joinerOfMachine(net, machine)) {
        const PeerId oldPeer = old->peer;
        std::erase_if(net.joiners, [&](const NetGame::Joiner& j) { return j.peer == oldPeer; });
        disconnectPeer(net.transport, oldPeer);
        seatsLeft(net, game, play, machine);
    }
    NetGame::Joiner* joiner = joinerOf(net, peer);
    joiner->machine = machine;
    joiner->awaitingStart = true;
    net.known[machine].returning = true;
    Message answer;
    answer.kind = MessageKind::Welcome;
    answer.machine = machine;
    answer.seat = kNoSeat;  // its seats come with the game it is sent
    answer.token = net.known[machine].token;
    send(net, peer, answer);
    note(net, "Machine " + std::to_string(machine) +
                  " rejoined: its seats come back at the next turn screen");
    if (game.session.phase == GamePhase::TurnStart) returnSeats(net, game);
}

std::string senderText(const NetGame::Joiner& joiner) {
    return joiner.machine == -1 ? "a machine that has not joined"
                                : "machine " + std::to_string(joiner.machine);
}

// Why the host may not take this message from the joiner now, or nothing.
const char* misplaced(const NetGame::Joiner& joiner, const Message& message) {
    if (!isJoinersKind(message.kind)) return "a message only the host sends";
    if (message.kind == MessageKind::Hello) return joiner.greeted ? "a second Hello" : nullptr;
    if (joiner.machine == -1) return "a message before its Hello was answered";
    if (message.kind == MessageKind::Command && message.index <= joiner.lastCommand)
        return "a repeated command";
    return nullptr;
}

// The joiner's Disconnected event, once the transport has ended it, takes
// its seats as any departure's does; until then it is not heard.
void badMessage(NetGame& net, NetGame::Joiner& joiner, const std::string& what) {
    note(net, "Refused " + what + " from " + senderText(joiner));
    if (++joiner.badMessages < kMostBadMessages) return;
    note(net, "Disconnected " + senderText(joiner) + ": " + std::to_string(kMostBadMessages) +
                  " bad messages");
    disconnectPeer(net.transport, joiner.peer);
}

void hearAtHost(NetGame& net, Game& game, PlayState& play, const TransportEvent& event) {
    if (event.kind == TransportEventKind::Connected) {
        net.joiners.push_back({event.peer, -1});
        return;
    }
    NetGame::Joiner* joiner = joinerOf(net, event.peer);
    if (!joiner) return;
    if (event.kind == TransportEventKind::Disconnected) {
        const int32_t machine = joiner->machine;
        std::erase_if(net.joiners, [&](const NetGame::Joiner& j) { return j.peer == event.peer; });
        if (machine != -1) seatsLeft(net, game, play, machine);
        return;
    }
    if (joiner->badMessages >= kMostBadMessages) return;
    Message message;
    std::string why;
    if (!decodeMessage(event.bytes, message, why)) {
        badMessage(net, *joiner, why);
        return;
    }
    if (const char* wrong = misplaced(*joiner, message)) {
        badMessage(net, *joiner, wrong);
        return;
    }
    if (message.kind == MessageKind::Hello) {
        joiner->greeted = true;
        welcome(net, game, play, *joiner, message);
        return;
    }
    if (message.kind == MessageKind::Command) {
        joiner->lastCommand = message.index;
        net.queue.push_back({joiner->machine, message.command});
        runQueue(net, game, play);
    } else if (message.kind == MessageKind::Fingerprint) {
        checkReport(net, game, *joiner, message);
    }
}

// ---------------------------------------------------------------------------
// A joiner.

bool takeState(NetGame& net, Game& game, const Message& message) {
    const int32_t here = game.network.here;
    if (!decodeRulesState(message.state, game)) {
        note(net, "The host's game could not be read");
        return false;
    }
    game.network.here = here;
    return true;
}

void applyStream(NetGame& net, Game& game, PlayState& play) {
    while (!net.stream.empty() && !isBattlePhase(game.session.phase)) {
        const Message entry = std::move(net.stream.front());
        net.stream.pop_front();
        if (entry.index < net.applied) continue;  // before a repair: already in its state
        const GamePhase before = game.session.phase;
        if (applyCommand(game, entry.command) != CommandResult::Applied)
            note(net, "A command of the stream did not apply here");
        if (entry.machine == game.network.here) play.waiting = false;
        afterStreamCommand(net, game, before, entry.machine, entry.command);
    }
}

// "Save-network-YYYYMMDD-HHMMSS" in local time.
std::string networkSaveStem(std::time_t now) {
    std::tm local{};
    char stamp[32] = "";
    if (localtime_r(&now, &local) != nullptr)
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return std::string("Save-network-") + stamp;
}

// The host is gone: the game as it stood at the last turn screen reached
// here goes into a new save of this machine's own, and the program goes on
// alone from its Setup screen, every seat played here.
void hostLost(NetGame& net, Game& game, PlayState& play, const std::string& why) {
    std::string line = why;
    if (!net.turnSave.empty()) {
        std::string failure;
        const std::string name =
            saveNewFile(game.dataFolders, networkSaveStem(net.wallClock()), net.turnSave, failure);
        line += name.empty() ? ": the game could not be saved (" + failure + ")"
                             : ": the game is saved as " + name;
    }
    note(net, line);
    closeTransport(net.transport, 0);
    net.stream.clear();
    net.started = false;
    net.turnSave.clear();
    play.send = nullptr;
    play.waiting = false;
    play.fixedBattleSteps = false;
    play.battleCarryMs = 0;
    game.network = Network{};
    for (Seat& seat : game.seats)
        if (seat == Seat::Open) seat = Seat::Human;
    returnToSetup(game);
    refreshSetupStart(game);
}

void hearAtJoiner(NetGame& net, Game& game, PlayState& play, const TransportEvent& event) {
    if (event.kind == TransportEventKind::Connected) {
        Message hello;
        hello.kind = MessageKind::Hello;
        hello.number = net.buildCheck;
        hello.text = game.network.joinCode;
        hello.seat = net.askedSeat;
        hello.token = net.token;
        send(net, kHostPeer, hello);
        net.commandsSent = 0;
        return;
    }
    if (event.kind == TransportEventKind::Disconnected) {
        // Never let in: nothing to go on with here.
        if (game.network.here == -1) {
            note(net, "The host did not answer");
            requestQuit(game, 1);
            return;
        }
        hostLost(net, game, play, "The connection to the host was lost");
        return;
    }
    Message message;
    std::string why;
    if (!decodeMessage(event.bytes, message, why)) {
        note(net, "Refused " + why + " from the host");
        return;
    }
    switch (message.kind) {
        case MessageKind::Welcome:
            game.network.here = message.machine;
            if (message.token != net.token) {
                net.token = message.token;
                if (net.keepToken) net.keepToken(net.token);
            }
            break;
        case MessageKind::Refusal:
            note(net, "The host refused to let this machine join: " + message.text);
            requestQuit(game, 1);
            break;
        case MessageKind::Setup:
            takeState(net, game, message);
            net.turnSave.clear();  // a new game: nothing of the last one is kept
            break;
        case MessageKind::Start:
        case MessageKind::Repair:
            if (takeState(net, game, message)) {
                net.applied = message.index;
                net.started = true;
                keepTurnSave(net, game);
            }
            break;
        case MessageKind::Stream: net.stream.push_back(std::move(message)); break;
        case MessageKind::Refused:
            note(net, "The host refused a command: " + message.text);
            play.waiting = false;
            break;
        case MessageKind::Note: note(net, message.text); break;
        case MessageKind::End: hostLost(net, game, play, "The host ended the game"); break;
        default: note(net, "Refused a message only joiners send, from the host"); break;
    }
}

void submitAtJoiner(NetGame& net, Game& game, PlayState& play, const PlayerCommand& command) {
    if (isLocalCommand(command)) {
        // Only the host saves; leaving is this machine's own business.
        if (command.value == static_cast<int>(CommandId::QuitGame)) applyCommand(game, command);
        return;
    }
    if (net.trace)
        trace(net,
              "sent machine=" + std::to_string(game.network.here) + " " + commandText(command));
    Message message;
    message.kind = MessageKind::Command;
    message.index = ++net.commandsSent;
    message.command = command;
    send(net, kHostPeer, message);
    play.waiting = true;
}

void prepare(NetGame& net, Game& game, PlayState& play) {
    // The same for every game this program plays, so it is computed once.
    static const uint64_t buildCheck = referenceBattleCheck();
    net.buildCheck = buildCheck;
    game.network.on = true;
    play.fixedBattleSteps = true;
    play.battleCarryMs = 0;
    play.waiting = false;
}

}  // namespace

uint64_t referenceBattleCheck() {
    Game game;
    initialiseGame(game);
    seedRandom(game.random, kReferenceSeed);
    const int attacker = createGroup(game.registry, 0.0f, 0.0f, 0.0f, 0.0f, kReferenceShips, 0);
    const int defender = createGroup(game.registry, 0.0f, 0.0f, 0.0f, 0.0f, kReferenceShips + 7, 1);
    game.session.teams[1] = 1;
    startGroupBattle(game, attacker, defender);
    for (int step = 0; step < kMostReferenceSteps && isBattlePhase(game.session.phase); ++step)
        battleStep(game, kFixedBattleStepMs);
    return rulesFingerprint(game);
}

void hostNetGame(NetGame& net, Game& game, PlayState& play) {
    net.hosting = true;
    prepare(net, game, play);
    game.network.here = 0;
    game.network.seatMachine.fill(0);
    play.send = [&net, &game, &play](const PlayerCommand& command) {
        submitAtHost(net, game, play, command);
    };
}

void joinNetGame(NetGame& net, Game& game, PlayState& play, const std::string& code, int seat) {
    net.hosting = false;
    prepare(net, game, play);
    game.network.joinCode = code;
    game.network.here = -1;  // plays nothing until the host's Welcome gives its number
    net.askedSeat = seat;
    play.send = [&net, &game, &play](const PlayerCommand& command) {
        submitAtJoiner(net, game, play, command);
    };
}

void netBeforeFrame(NetGame& net, Game& game, PlayState& play, uint32_t clock) {
    net.clock = clock;
    net.ticks += 1;
    for (const TransportEvent& event : pollTransport(net.transport)) {
        if (net.transport.kind == TransportKind::Off) break;  // the host is gone
        if (net.hosting) {
            hearAtHost(net, game, play, event);
        } else {
            hearAtJoiner(net, game, play, event);
        }
    }
    netAfterFrame(net, game, play);
    playBeforeFrame(game, play, clock);
}

void netAfterFrame(NetGame& net, Game& game, PlayState& play) {
    if (net.hosting) {
        runQueue(net, game, play);
    } else {
        applyStream(net, game, play);
    }
}

void leaveNetGame(NetGame& net) {
    if (net.hosting) {
        Message end;
        end.kind = MessageKind::End;
        sendToJoiners(net, end);
    }
    closeTransport(net.transport, kLeaveWaitMs);
}
