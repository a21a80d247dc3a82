// The computer's turn, a tick at a time: the pause on its turn screen, a plan
// made from the fair view in a tick of its own, then each order one action a
// tick (select, count a ship at a time, place, press a button), and the end of
// the phase when the orders are done. A battle phase is planned again after
// each battle, since a battle changes what is possible.
#include "ai/computer_seat.h"

#include "ai/fair_view.h"
#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/player_command.h"
#include "game/seats.h"

namespace {

enum class Progress { Going, Done, Failed };

// Each seat's generator from one seed and the seat's number.
uint32_t seatSeed(uint32_t seed, int seat) {
    return seed ^ (0x9E3779B9u * static_cast<uint32_t>(seat + 1));
}

void seedForTheGame(ComputerSeats& seats, const Game& game, uint32_t clock) {
    if (seats.seededForGame == game.gamesBegun) return;
    seats.seededForGame = game.gamesBegun;
    // A new game starts from the start-up seed, so a seed replays it; the save
    // holds none, so a loaded game starts from the clock.
    const uint32_t seed = game.gameLoaded ? clock : game.startupSeed;
    for (int seat = 0; seat < kMaxPlayers; ++seat)
        seedRandom(seats.random[seat], seatSeed(seed, seat));
}

void forgetTheTurn(ComputerSeats& seats) {
    seats.turnScreenSeen = false;
    seats.plannedPhase = GamePhase::Setup;
    seats.battleSincePlan = false;
    seats.orders.clear();
    seats.nextOrder = 0;
    seats.step = 0;
}

// The current player's commands as the computer gives them: each checked
// first, and handed on only when the rules would take it.
struct Hand {
    const Game& game;
    const CommandSink& sink;
    int player;

    bool offer(const PlayerCommand& command) const { return offerCommand(game, sink, command); }
    bool press(CommandId id) const { return offer(pressButton(player, static_cast<int>(id))); }
    bool offerOn(CommandKind kind, int value) const {
        return offer(commandOn(kind, player, value));
    }
    bool offerAt(CommandKind kind, float x, float y) const {
        return offer(commandAt(kind, player, x, y));
    }
};

// The next control towards `wanted` ships, as the selector's numbers show the
// way: the chosen count, and what the planet or the group keeps, which gives
// the most that can go.
SelectorControl nextControl(const Game& game, int wanted) {
    const int count = game.interaction.count;
    int most = 0;
    if (game.interaction.mode == InteractionMode::CountForSplit) {
        most = shipsOf(game.registry, game.session.selectedGroupId) - 1;
    } else if (const int planet = game.session.selectedPlanet;
               planet >= 0 && planet < kPlanetCount) {
        most = game.planets[planet].ships;
    }
    if (wanted >= most) return count == most ? SelectorControl::Confirm : SelectorControl::Max;
    const int missing = wanted - count;
    if (missing >= 10) return SelectorControl::Plus10;
    if (missing > 0) return SelectorControl::Plus1;
    if (missing <= -10) return SelectorControl::Minus10;
    if (missing < 0) return SelectorControl::Minus1;
    return SelectorControl::Confirm;
}

// A split or a new group once its selector is open: the count chosen a
// control at a time, then the placement.
Progress countAndPlace(const Hand& hand, const Order& order) {
    switch (hand.game.interaction.mode) {
        case InteractionMode::CountForNewGroup:
        case InteractionMode::CountForSplit:
            hand.offerOn(CommandKind::PressSelectorControl,
                         static_cast<int>(nextControl(hand.game, order.count)));
            return Progress::Going;
        case InteractionMode::PlaceNewGroup:
        case InteractionMode::PlaceSplit:
            hand.offerAt(CommandKind::PlaceGroup, order.x, order.y);
            return Progress::Done;
        default: return Progress::Failed;
    }
}

Progress going(bool given) { return given ? Progress::Going : Progress::Failed; }
Progress done(bool given) { return given ? Progress::Done : Progress::Failed; }

Progress launch(const Hand& hand, const Order& order, int step) {
    if (step == 0) return going(hand.offerOn(CommandKind::SelectPlanet, order.planet));
    if (step == 1) return going(hand.press(CommandId::CreateGroup));
    return countAndPlace(hand, order);
}

// The planet button in the face the order means: a donation where the
// selected group stands over a planet of its team, a fight elsewhere.
Progress pressPlanetButton(const Hand& hand, bool donation) {
    const Game& game = hand.game;
    const Group* group = findGroup(game.registry, game.session.selectedGroupId);
    const int planet = group ? planetAt(game.planets, group->x, group->y) : -1;
    if (isTeamPlanet(game, planet, hand.player) != donation) return Progress::Failed;
    return done(hand.press(CommandId::AttackOrDonatePlanet));
}

// One action of the order; `step` counts the actions it has had.
Progress carryOut(const Hand& hand, const Order& order, int step) {
    if (order.kind == OrderKind::Launch) return launch(hand, order, step);
    if (step == 0) return going(hand.offerOn(CommandKind::SelectGroup, order.group));
    switch (order.kind) {
        case OrderKind::Send:
            hand.offerAt(CommandKind::GiveDestination, order.x, order.y);
            return Progress::Done;
        case OrderKind::Split:
            if (step == 1) return going(hand.press(CommandId::SplitGroup));
            return countAndPlace(hand, order);
        case OrderKind::Combine: return done(hand.press(CommandId::CombineGroups));
        case OrderKind::AttackGroup: return done(hand.press(CommandId::AttackGroup));
        case OrderKind::AttackPlanet: return pressPlanetButton(hand, false);
        case OrderKind::Donate: return pressPlanetButton(hand, true);
        case OrderKind::Launch: break;
    }
    return Progress::Failed;
}

void plan(ComputerSeats& seats, const Game& game) {
    const FairView view = buildFairView(game);
    const int player = game.session.currentPlayer;
    const Level level =
        seats.levels[player].value_or(levelOfSeat(game.seats[player]).value_or(Level::Easy));
    seats.orders = planPhase(level, view, seats.random[player]);
    seats.plannedPhase = game.session.phase;
    seats.battleSincePlan = false;
    seats.nextOrder = 0;
    seats.step = 0;
}

void playMapPhase(ComputerSeats& seats, const Hand& hand) {
    const Game& game = hand.game;
    const GamePhase phase = game.session.phase;
    if (seats.plannedPhase != phase || seats.battleSincePlan) {
        plan(seats, game);  // the whole of this tick's work
        return;
    }
    if (seats.nextOrder >= seats.orders.size()) {
        hand.press(phase == GamePhase::Movement ? CommandId::EndMovement : CommandId::EndBattle);
        return;
    }
    const Progress progress = carryOut(hand, seats.orders[seats.nextOrder], seats.step);
    if (progress == Progress::Going) {
        seats.step += 1;
        return;
    }
    // An order the game refused (its group gone, a button not offered) is
    // dropped with whatever it had opened.
    if (progress == Progress::Failed && game.interaction.mode != InteractionMode::Idle)
        hand.offerOn(CommandKind::CancelSelection, -1);
    seats.nextOrder += 1;
    seats.step = 0;
}

}  // namespace

void stepComputerSeat(ComputerSeats& seats, const Game& game, uint32_t clock,
                      const CommandSink& sink) {
    seedForTheGame(seats, game, clock);
    if (!isComputerTurn(game) || !isPlayedHere(game, game.session.currentPlayer)) {
        forgetTheTurn(seats);
        return;
    }
    const Hand hand{game, sink, game.session.currentPlayer};
    const GamePhase phase = game.session.phase;
    if (isBattlePhase(phase)) {
        seats.battleSincePlan = true;  // it runs by itself
        return;
    }
    if (phase == GamePhase::TurnStart) {
        if (!seats.turnScreenSeen) {
            forgetTheTurn(seats);
            seats.turnScreenSeen = true;
            seats.turnScreenSince = clock;
        } else if (clock - seats.turnScreenSince >= kComputerTurnPauseMs) {
            hand.press(CommandId::BeginTurn);
        }
        return;
    }
    seats.turnScreenSeen = false;
    playMapPhase(seats, hand);
}
