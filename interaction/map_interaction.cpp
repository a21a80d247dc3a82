// Map interaction: the left and right mouse buttons turned into game actions.
// A click acts on release, on what the pick passes of the last frame found
// under the pointer; while a destination or a target is chosen, how long the
// button was held decides what a release over a group means.
#include <optional>

#include "game/commands.h"
#include "game/game.h"
#include "game/player_command.h"
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

// What one release does, for the player whose turn it is. Every command is
// checked before it is handed on, so the click goes on to its next meaning
// exactly where the rules would not take it.
struct Release {
    const Game& game;
    const InputState& input;
    const CommandSink& sink;
    int player;

    bool offer(const PlayerCommand& command) const { return offerCommand(game, sink, command); }
    bool offerOn(CommandKind kind, int value) const {
        return offer(commandOn(kind, player, value));
    }
    bool offerAt(CommandKind kind, Point point) const {
        return offer(commandAt(kind, player, point.x, point.y));
    }
    bool pressHoveredButton() const {
        const int hovered = game.picks.hoveredButton;
        return hovered != -1 && offer(pressButton(player, hovered));
    }
};

// The target of a release while a destination or a placement is chosen, or
// none when a short click on an own group selected that group instead.
std::optional<Point> chooseTarget(const Release& release) {
    const Game& game = release.game;
    const PickResults& picks = game.picks;
    if (picks.hoveredPlanet >= 0 && picks.hoveredPlanet < kPlanetCount) {
        const Planet& planet = game.planets[picks.hoveredPlanet];
        return Point{planet.x, planet.y};
    }
    const Group* group = findGroup(game.registry, picks.hoveredGroup);
    // A group that was under the pointer but is gone by now (fought, merged)
    // leaves the pointer itself as the target.
    if (!group) return pointerPosition(release.input);

    const uint32_t duration = release.input.pressTime;
    if (duration <= kShortPressMs && group->owner == release.player) {
        release.offerOn(CommandKind::SelectGroup, group->id);
        return std::nullopt;
    }
    if (duration <= kLongPressMs) return Point{group->x, group->y};
    return pointerPosition(release.input);
}

bool isPlacing(InteractionMode mode) {
    return mode == InteractionMode::PlaceSplit || mode == InteractionMode::PlaceNewGroup;
}

// What both map phases do with a release the count selector did not take: a
// placement left open takes it (inside the map it places, anywhere it
// closes), else a selected group is given a course. False when neither applies.
bool placeOrSteer(const Release& release) {
    const Game& game = release.game;
    if (isPlacing(game.interaction.mode)) {
        // In the battle phase only a split can still be placed; the placement
        // itself knows that. Placing ends the placement; anything else the
        // click did (a group selected instead, a release outside the map)
        // ends it here, so one click never sends a command that depends on
        // another's outcome.
        std::optional<Point> target;
        if (isInMapArea(release.input)) target = chooseTarget(release);
        if (!target || !release.offerAt(CommandKind::PlaceGroup, *target))
            release.offerOn(CommandKind::AbandonPlacement, -1);
        return true;
    }
    if (game.session.selectedGroupId != -1 && isInMapArea(release.input)) {
        if (const std::optional<Point> target = chooseTarget(release))
            release.offerAt(CommandKind::GiveDestination, *target);
        return true;
    }
    return false;
}

bool selectHoveredOwnGroup(const Release& release) {
    const int hovered = release.game.picks.hoveredGroup;
    return hovered != -1 && release.offerOn(CommandKind::SelectGroup, hovered);
}

void releaseInMovement(const Release& release) {
    const PickResults& picks = release.game.picks;
    if (picks.hoveredSelectorControl != -1) {
        release.offerOn(CommandKind::PressSelectorControl, picks.hoveredSelectorControl);
        return;
    }
    if (placeOrSteer(release) || selectHoveredOwnGroup(release)) return;
    if (release.offerOn(CommandKind::SelectPlanet, picks.hoveredPlanet)) return;
    release.pressHoveredButton();
}

void releaseInBattlePhase(const Release& release) {
    const PickResults& picks = release.game.picks;
    if (picks.hoveredSelectorControl != -1) {
        // Only a split can still be counted out here; planets send nothing.
        if (release.game.interaction.mode == InteractionMode::CountForSplit)
            release.offerOn(CommandKind::PressSelectorControl, picks.hoveredSelectorControl);
        return;
    }
    // Planets cannot be selected in the battle phase.
    if (placeOrSteer(release) || selectHoveredOwnGroup(release)) return;
    release.pressHoveredButton();
}

}  // namespace

void handleLeftClick(const Game& game, InputState& input, uint32_t clock, const CommandSink& sink) {
    uint32_t& pressTime = input.pressTime;
    if (input.leftPressed) {
        pressTime = clock;
        return;
    }
    if (!input.leftReleased) return;
    pressTime = clock - pressTime;  // wraps with the clock
    handleLeftRelease(game, input, sink);
}

void handleLeftRelease(const Game& game, const InputState& input, const CommandSink& sink) {
    const Release release{game, input, sink, game.session.currentPlayer};
    const PickResults& picks = game.picks;
    // While the computer or someone at another machine plays, and on a
    // joiner's Setup and end screens, which are the host's, the players here
    // may only leave.
    if (mayOnlyQuit(game)) {
        if (picks.hoveredButton == static_cast<int>(CommandId::QuitGame))
            release.pressHoveredButton();
        return;
    }
    switch (game.session.phase) {
        case GamePhase::Setup:
            if (picks.hoveredButton != -1) {
                release.pressHoveredButton();
            } else if (picks.hoveredSetupRow != -1) {
                release.offerOn(CommandKind::CycleTeam, picks.hoveredSetupRow);
            } else if (picks.hoveredSeatRow != -1) {
                release.offerOn(CommandKind::CycleSeat, picks.hoveredSeatRow);
            }
            break;
        case GamePhase::TurnStart:
        case GamePhase::GameOver: release.pressHoveredButton(); break;
        case GamePhase::Movement: releaseInMovement(release); break;
        case GamePhase::BattlePhase: releaseInBattlePhase(release); break;
        case GamePhase::GroupBattle:
        case GamePhase::PlanetBattle: break;
    }
}

void handleRightClick(const Game& game, const InputState& input, const CommandSink& sink) {
    if (!input.rightReleased || input.rightPressed || mayOnlyQuit(game)) return;
    offerCommand(game, sink,
                 commandOn(CommandKind::CancelSelection, game.session.currentPlayer, -1));
}
