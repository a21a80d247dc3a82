// The computer's turn, a tick at a time: the pause on its turn screen, a plan
// made from the fair view in a tick of its own, then each order one action a
// tick (select, count a ship at a time, place, press a button), and the end of
// the phase when the orders are done. A battle phase is planned again after
// each battle, since a battle changes what is possible.
#include "ai/computer_seat.h"

#include "ai/fair_view.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/map_orders.h"
#include "game/seats.h"

namespace {

enum class Progress { Going, Done, Failed };

constexpr int kPlanetButton = static_cast<int>(CommandId::AttackOrDonatePlanet);

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

bool isVisible(const Game& game, CommandId id) {
    return game.buttons.buttons[static_cast<int>(id)].visible;
}

// A press of an offered button; false when it is not offered.
bool press(Game& game, CommandId id) {
    if (!isVisible(game, id)) return false;
    dispatchCommand(game, id);
    return true;
}

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
Progress countAndPlace(Game& game, const Order& order) {
    switch (game.interaction.mode) {
        case InteractionMode::CountForNewGroup:
        case InteractionMode::CountForSplit:
            pressSelectorControl(game, nextControl(game, order.count));
            return Progress::Going;
        case InteractionMode::PlaceNewGroup:
        case InteractionMode::PlaceSplit: placeGroup(game, order.x, order.y); return Progress::Done;
        default: return Progress::Failed;
    }
}

Progress launch(Game& game, const Order& order, int step) {
    if (step == 0) return selectPlanet(game, order.planet) ? Progress::Going : Progress::Failed;
    if (step == 1) return press(game, CommandId::CreateGroup) ? Progress::Going : Progress::Failed;
    return countAndPlace(game, order);
}

// The planet button in the face the order means: a donation where it offers
// one, a fight where it offers that.
Progress pressPlanetButton(Game& game, bool donation) {
    const Button& button = game.buttons.buttons[kPlanetButton];
    if (!button.visible || button.tooltip.starts_with("Donate") != donation)
        return Progress::Failed;
    dispatchCommand(game, CommandId::AttackOrDonatePlanet);
    return Progress::Done;
}

// One action of the order; `step` counts the actions it has had.
Progress carryOut(Game& game, const Order& order, int step) {
    if (order.kind == OrderKind::Launch) return launch(game, order, step);
    if (step == 0) return selectGroup(game, order.group) ? Progress::Going : Progress::Failed;
    switch (order.kind) {
        case OrderKind::Send: giveDestination(game, order.x, order.y); return Progress::Done;
        case OrderKind::Split:
            if (step == 1)
                return press(game, CommandId::SplitGroup) ? Progress::Going : Progress::Failed;
            return countAndPlace(game, order);
        case OrderKind::Combine:
            return press(game, CommandId::CombineGroups) ? Progress::Done : Progress::Failed;
        case OrderKind::AttackGroup:
            return press(game, CommandId::AttackGroup) ? Progress::Done : Progress::Failed;
        case OrderKind::AttackPlanet: return pressPlanetButton(game, false);
        case OrderKind::Donate: return pressPlanetButton(game, true);
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

void playMapPhase(ComputerSeats& seats, Game& game) {
    const GamePhase phase = game.session.phase;
    if (seats.plannedPhase != phase || seats.battleSincePlan) {
        plan(seats, game);  // the whole of this tick's work
        return;
    }
    if (seats.nextOrder >= seats.orders.size()) {
        press(game, phase == GamePhase::Movement ? CommandId::EndMovement : CommandId::EndBattle);
        return;
    }
    const Progress progress = carryOut(game, seats.orders[seats.nextOrder], seats.step);
    if (progress == Progress::Going) {
        seats.step += 1;
        return;
    }
    // An order the game refused (its group gone, a button not offered) is
    // dropped with whatever it had opened.
    if (progress == Progress::Failed && game.interaction.mode != InteractionMode::Idle)
        cancelSelection(game);
    seats.nextOrder += 1;
    seats.step = 0;
}

}  // namespace

void stepComputerSeat(ComputerSeats& seats, Game& game, uint32_t clock) {
    seedForTheGame(seats, game, clock);
    if (!isComputerTurn(game)) {
        forgetTheTurn(seats);
        return;
    }
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
            press(game, CommandId::BeginTurn);
        }
        return;
    }
    seats.turnScreenSeen = false;
    playMapPhase(seats, game);
}
