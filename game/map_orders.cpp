// Map orders: selections, courses, placements and the cancel that clicks on
// the star map give, with the checks that keep them to the current player's
// own groups and planets in the phases that allow them.
#include "game/map_orders.h"

#include "game/availability.h"
#include "game/commands.h"
#include "game/game.h"

namespace {

void offerCreateGroup(Game& game, bool available) {
    setCommandAvailable(game.buttons, CommandId::CreateGroup, available);
}

}  // namespace

bool selectGroup(Game& game, int groupId) {
    const int player = game.session.currentPlayer;
    if (!isMapPhase(game.session.phase)) return false;
    const Group* group = findGroup(game.registry, groupId);
    if (group == nullptr || group->owner != player) return false;
    game.session.selectedGroupId = groupId;
    refreshAvailability(game, player);
    return true;
}

bool selectPlanet(Game& game, int planetIndex) {
    // Planets send out groups in the movement phase only, so only there can
    // one be selected.
    if (game.session.phase != GamePhase::Movement) return false;
    if (planetIndex < 0 || planetIndex >= kPlanetCount) return false;
    const Planet& planet = game.planets[planetIndex];
    if (planet.owner != game.session.currentPlayer) return false;
    game.session.selectedPlanet = planetIndex;
    offerCreateGroup(game, planet.ships > 0);
    return true;
}

void giveDestination(Game& game, float x, float y) {
    const int player = game.session.currentPlayer;
    if (!isMapPhase(game.session.phase)) return;
    const int selected = game.session.selectedGroupId;
    if (const Group* group = findGroup(game.registry, selected); group && group->owner != player)
        return;
    setDestination(game.registry, selected, x, y);
    // A course changes what the group can do where it stands (a group leaving
    // a planet can no longer fight or join it), so the buttons follow at once.
    refreshAvailability(game, player);
}

void placeGroup(Game& game, float x, float y) {
    placeTarget(game, x, y);
    abandonPlacement(game);
}

void abandonPlacement(Game& game) {
    game.interaction.mode = InteractionMode::Idle;
    game.picks.hoveredSelectorControl = -1;
}

void cancelSelection(Game& game) {
    if (!isMapPhase(game.session.phase)) return;
    game.session.selectedGroupId = -1;
    game.session.selectedPlanet = -1;
    game.picks.hoveredSelectorControl = -1;
    game.interaction.mode = InteractionMode::Idle;
    refreshAvailability(game, game.session.currentPlayer);
    offerCreateGroup(game, false);
}
