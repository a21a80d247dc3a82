// Group commands: what the current player does with the selected group or the
// selected planet (split, combine, send out, fight, donate, cycle), the count
// selector's arithmetic, and the placement of a split or a new group.
#include <algorithm>
#include <cmath>

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"

namespace {

bool isValidPlanet(int index) { return index >= 0 && index < kPlanetCount; }

// Ships of the selected planet, or -1 when no planet is selected.
int selectedPlanetShips(const Game& game) {
    const int index = game.session.selectedPlanet;
    return isValidPlanet(index) ? game.planets[index].ships : -1;
}

// Sending ships out of a planet is possible only while it has some left.
void updateCreateGroupButton(Game& game) {
    setCommandAvailable(game.buttons, CommandId::CreateGroup, selectedPlanetShips(game) > 0);
}

void closeSelector(Game& game) {
    game.interaction.mode = InteractionMode::Idle;
    game.picks.hoveredSelectorControl = -1;
}

void openSelector(Game& game, InteractionMode mode) {
    game.interaction.mode = mode;
    game.interaction.count = 1;
}

// The selector keeps count within 1 .. most: S - 1 for a split, so the old
// group always keeps a ship, and Q for a new group, which may take every ship
// of its planet. Confirm moves on to placing.
void pressCountControl(Game& game, SelectorControl control, int most, InteractionMode placing) {
    int& count = game.interaction.count;
    switch (control) {
        case SelectorControl::Confirm:
            game.interaction.mode = placing;
            game.picks.hoveredSelectorControl = -1;
            break;
        case SelectorControl::Max: count = most; break;
        case SelectorControl::Plus10:
            count += 10;
            if (count > most) count = most;
            break;
        case SelectorControl::Plus1:
            if (count < most) count += 1;
            break;
        case SelectorControl::Minus1:
            if (count > 1) count -= 1;
            break;
        case SelectorControl::Minus10:
            count -= 10;
            if (count < 1) count = 1;
            break;
        case SelectorControl::Min: count = 1; break;
        case SelectorControl::Cancel: closeSelector(game); break;
    }
}

void attackGroup(Game& game, int player) {
    const int selectedId = game.session.selectedGroupId;
    const Group* defender =
        findEnemyInContactOf(game.registry, game.session.teams, selectedId, player);
    if (defender == nullptr) return;
    startGroupBattle(game, selectedId, defender->id);
}

void attackOrDonatePlanet(Game& game, int player) {
    const Group* group = findGroup(game.registry, game.session.selectedGroupId);
    // Only a group of the player's own that has arrived stands over a planet;
    // a moving group on its way must not donate or fight where it will be.
    if (group == nullptr || group->owner != player || group->stepsLeft != 0) return;
    const int planetIndex = planetAt(game.planets, group->x, group->y);
    if (planetIndex == -1) return;
    if (isTeamPlanet(game, planetIndex, player)) {
        game.planets[planetIndex].ships += group->ships;
        // The selection keeps the removed id: nothing is selected until the
        // player picks another group.
        removeGroup(game.registry, group->id);
        refreshAvailability(game, player);
        return;
    }

    startPlanetBattle(game, group->id, planetIndex);
}

void cycleGroups(Game& game, void (*select)(Game&, int), int player) {
    select(game, player);
    closeSelector(game);
}

// Splits the selected group with the chosen count bounded again to 1 .. S - 1:
// the selection or the group's ships may have changed since the selector was
// last pressed. False when no split is possible.
bool splitSelectedGroup(Game& game, float x, float y, int player) {
    const int selectedId = game.session.selectedGroupId;
    const int ships = shipsOf(game.registry, selectedId);
    if (ships <= 1) return false;
    const int count = std::clamp(game.interaction.count, 1, ships - 1);
    splitGroup(game.registry, selectedId, x, y, count, player);
    return true;
}

// Sends out a new group from the selected planet with the count bounded again
// to 1 .. Q. False when the planet has nothing to send.
bool sendOutNewGroup(Game& game, float x, float y, int player) {
    const int ships = selectedPlanetShips(game);
    if (ships <= 0) return false;
    const int count = std::clamp(game.interaction.count, 1, ships);
    Planet& planet = game.planets[game.session.selectedPlanet];
    createGroup(game.registry, planet.x, planet.y, x, y, count, player);
    planet.ships -= count;
    if (planet.ships == 0) setCommandAvailable(game.buttons, CommandId::CreateGroup, false);
    return true;
}

bool isPlacing(InteractionMode mode) {
    return mode == InteractionMode::PlaceSplit || mode == InteractionMode::PlaceNewGroup;
}

// Where the placed group would set out from: the selected planet for a new
// group, else the selected group (in the battle phase every placement is a
// split). False when there is nothing to set out from.
bool placementStart(const Game& game, float& x, float& y) {
    const bool newGroup = game.interaction.mode == InteractionMode::PlaceNewGroup &&
                          game.session.phase == GamePhase::Movement;
    if (newGroup) {
        if (!isValidPlanet(game.session.selectedPlanet)) return false;
        x = game.planets[game.session.selectedPlanet].x;
        y = game.planets[game.session.selectedPlanet].y;
        return true;
    }
    const Group* group = findGroup(game.registry, game.session.selectedGroupId);
    if (group == nullptr) return false;
    x = group->x;
    y = group->y;
    return true;
}

}  // namespace

void runGroupCommand(Game& game, CommandId id) {
    const int player = game.session.currentPlayer;
    switch (id) {
        case CommandId::SplitGroup: openSelector(game, InteractionMode::CountForSplit); break;
        case CommandId::CombineGroups:
            combineGroup(game.registry, game.session.selectedGroupId);
            refreshAvailability(game, player);
            break;
        case CommandId::AttackGroup: attackGroup(game, player); break;
        case CommandId::AttackOrDonatePlanet: attackOrDonatePlanet(game, player); break;
        case CommandId::NextGroup: cycleGroups(game, selectNextGroup, player); break;
        case CommandId::PreviousGroup: cycleGroups(game, selectPreviousGroup, player); break;
        case CommandId::NextCombatGroup:
            cycleGroups(game, selectNextGroupInPosition, player);
            break;
        case CommandId::PreviousCombatGroup:
            cycleGroups(game, selectPreviousGroupInPosition, player);
            break;
        case CommandId::CreateGroup: openSelector(game, InteractionMode::CountForNewGroup); break;
        case CommandId::NextPlanet:
            selectNextPlanet(game.session, game.planets, player);
            updateCreateGroupButton(game);
            break;
        case CommandId::PreviousPlanet:
            selectPreviousPlanet(game.session, game.planets, player);
            updateCreateGroupButton(game);
            break;
        default: break;
    }
}

void pressSelectorControl(Game& game, SelectorControl control) {
    const GamePhase phase = game.session.phase;
    const InteractionMode mode = game.interaction.mode;
    const bool split = mode == InteractionMode::CountForSplit &&
                       (phase == GamePhase::Movement || phase == GamePhase::BattlePhase);
    const bool newGroup = mode == InteractionMode::CountForNewGroup && phase == GamePhase::Movement;
    if (!split && !newGroup) return;

    // With the group or planet gone there is nothing to count: only Cancel,
    // which reads neither, still closes the selector.
    const int ships =
        split ? shipsOf(game.registry, game.session.selectedGroupId) : selectedPlanetShips(game);
    if (ships < 0) {
        if (control == SelectorControl::Cancel) closeSelector(game);
        return;
    }
    if (split)
        pressCountControl(game, control, ships - 1, InteractionMode::PlaceSplit);
    else
        pressCountControl(game, control, ships, InteractionMode::PlaceNewGroup);
}

void placeTarget(Game& game, float x, float y) {
    const int player = game.session.currentPlayer;
    const InteractionMode mode = game.interaction.mode;
    if (!isPlacing(mode)) return;
    // A target no course can reach is ignored as a whole, before anything changes.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    float startX = 0.0f;
    float startY = 0.0f;
    if (placementStart(game, startX, startY) && !isPlannableCourse(startX, startY, x, y)) return;

    if (game.session.phase == GamePhase::Movement) {
        const bool placed = mode == InteractionMode::PlaceSplit
                                ? splitSelectedGroup(game, x, y, player)
                                : sendOutNewGroup(game, x, y, player);
        if (!placed) {
            game.interaction.mode = InteractionMode::Idle;
            return;
        }
        refreshAvailability(game, player);
        closeSelector(game);
    } else if (game.session.phase == GamePhase::BattlePhase) {
        // A placement left open from the movement phase can only split the
        // selected group: planets send nothing out in the battle phase.
        closeSelector(game);
        if (!splitSelectedGroup(game, x, y, player)) return;
        refreshAvailability(game, player);
    }
}
