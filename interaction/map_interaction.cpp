// Map interaction: the left and right mouse buttons turned into game actions.
// A click acts on release, on what the pick passes of the last frame found
// under the pointer; while a destination or a target is chosen, how long the
// button was held decides what a release over a group means.
#include <optional>

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"
#include "game/map_orders.h"
#include "game/seats.h"
#include "interaction/interaction.h"

namespace {

// Where a release can give a destination or a target: the star map right of
// the button column, inside the window's edges.
constexpr int kMapAreaLeft = -192;
constexpr int kMapAreaRight = 393;
constexpr int kMapAreaBottom = -293;
constexpr int kMapAreaTop = 293;

struct Point {
    float x;
    float y;
};

bool isInMapArea(const InputState& input) {
    return input.mapX >= kMapAreaLeft && input.mapX <= kMapAreaRight &&
           input.mapY >= kMapAreaBottom && input.mapY <= kMapAreaTop;
}

Point pointerPosition(const InputState& input) {
    return {static_cast<float>(input.mapX), static_cast<float>(input.mapY)};
}

// The target of a release while a destination or a placement is chosen, or
// none when a short click on an own group selected that group instead.
std::optional<Point> chooseTarget(Game& game, const InputState& input, int player) {
    const PickResults& picks = game.picks;
    if (picks.hoveredPlanet >= 0 && picks.hoveredPlanet < kPlanetCount) {
        const Planet& planet = game.planets[picks.hoveredPlanet];
        return Point{planet.x, planet.y};
    }
    const Group* group = findGroup(game.registry, picks.hoveredGroup);
    // A group that was under the pointer but is gone by now (fought, merged)
    // leaves the pointer itself as the target.
    if (!group) return pointerPosition(input);

    const uint32_t duration = game.interaction.pressTime;
    if (duration <= kShortPressMs && group->owner == player) {
        selectGroup(game, group->id);
        return std::nullopt;
    }
    if (duration <= kLongPressMs) return Point{group->x, group->y};
    return pointerPosition(input);
}

bool isPlacing(InteractionMode mode) {
    return mode == InteractionMode::PlaceSplit || mode == InteractionMode::PlaceNewGroup;
}

// The placement of a split or a new group at the chosen target.
void place(Game& game, const InputState& input, int player) {
    if (const std::optional<Point> target = chooseTarget(game, input, player)) {
        placeGroup(game, target->x, target->y);
    } else {
        refreshAvailability(game, player);
    }
}

void steer(Game& game, const InputState& input, int player) {
    if (const std::optional<Point> target = chooseTarget(game, input, player))
        giveDestination(game, target->x, target->y);
}

bool selectHoveredOwnGroup(Game& game) {
    const int hovered = game.picks.hoveredGroup;
    return hovered != -1 && selectGroup(game, hovered);
}

void dispatchHoveredButton(Game& game) {
    if (game.picks.hoveredButton != -1) dispatchCommand(game, game.picks.hoveredButton);
}

// What both map phases do with a release the count selector did not take: a
// placement left open takes it (inside the map it places, anywhere it
// closes), else a selected group is given a course. False when neither applies.
bool placeOrSteer(Game& game, const InputState& input, int player) {
    if (isPlacing(game.interaction.mode)) {
        // In the battle phase only a split can still be placed; the placement
        // itself knows that.
        if (isInMapArea(input)) place(game, input, player);
        abandonPlacement(game);
        return true;
    }
    if (game.session.selectedGroupId != -1 && isInMapArea(input)) {
        steer(game, input, player);
        return true;
    }
    return false;
}

void releaseInMovement(Game& game, const InputState& input, int player) {
    const PickResults& picks = game.picks;
    if (picks.hoveredSelectorControl != -1) {
        pressSelectorControl(game, static_cast<SelectorControl>(picks.hoveredSelectorControl));
        return;
    }
    if (placeOrSteer(game, input, player) || selectHoveredOwnGroup(game)) return;
    if (selectPlanet(game, picks.hoveredPlanet)) return;
    dispatchHoveredButton(game);
}

void releaseInBattlePhase(Game& game, const InputState& input, int player) {
    const PickResults& picks = game.picks;
    if (picks.hoveredSelectorControl != -1) {
        // Only a split can still be counted out here; planets send nothing.
        if (game.interaction.mode == InteractionMode::CountForSplit)
            pressSelectorControl(game, static_cast<SelectorControl>(picks.hoveredSelectorControl));
        return;
    }
    // Planets cannot be selected in the battle phase.
    if (placeOrSteer(game, input, player) || selectHoveredOwnGroup(game)) return;
    dispatchHoveredButton(game);
}

}  // namespace

void handleLeftClick(Game& game, const InputState& input, uint32_t clock) {
    uint32_t& pressTime = game.interaction.pressTime;
    if (input.leftPressed) {
        pressTime = clock;
        return;
    }
    if (!input.leftReleased) return;
    pressTime = clock - pressTime;  // wraps with the clock
    handleLeftRelease(game, input);
}

void handleLeftRelease(Game& game, const InputState& input) {
    const int player = game.session.currentPlayer;
    // While the computer plays, the players may only leave.
    if (isComputerTurn(game)) {
        if (game.picks.hoveredButton == static_cast<int>(CommandId::QuitGame))
            dispatchCommand(game, CommandId::QuitGame);
        return;
    }
    switch (game.session.phase) {
        case GamePhase::Setup:
            if (game.picks.hoveredButton != -1) {
                dispatchCommand(game, game.picks.hoveredButton);
            } else if (game.picks.hoveredSetupRow != -1) {
                cycleTeam(game.session, game.picks.hoveredSetupRow);
            } else if (game.picks.hoveredSeatRow != -1) {
                cycleSeat(game.seats, game.picks.hoveredSeatRow);
            }
            break;
        case GamePhase::TurnStart:
        case GamePhase::GameOver: dispatchHoveredButton(game); break;
        case GamePhase::Movement: releaseInMovement(game, input, player); break;
        case GamePhase::BattlePhase: releaseInBattlePhase(game, input, player); break;
        case GamePhase::GroupBattle:
        case GamePhase::PlanetBattle: break;
    }
}

void handleRightClick(Game& game, const InputState& input) {
    if (!input.rightReleased || input.rightPressed || isComputerTurn(game)) return;
    cancelSelection(game);
}
