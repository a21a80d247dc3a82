// Group cycling and command availability: the current player steps through
// their groups, and the panel offers only the group commands that make sense
// for the selected group right now.
#include "game/availability.h"

#include <functional>

#include "game/commands.h"
#include "game/game.h"

namespace {

using GroupFilter = std::function<bool(const Group&)>;

// Next qualifying group after the selected one, wrapping to the head.
int nextMatching(const GroupRegistry& registry, int selected, const GroupFilter& counts) {
    const auto& groups = registry.groups;
    size_t start = groups.size();  // no candidates after an unknown id
    if (selected == -1) {
        start = 0;
    } else {
        for (size_t i = 0; i < groups.size(); ++i)
            if (groups[i].id == selected) {
                start = i + 1;
                break;
            }
    }
    for (size_t i = start; i < groups.size(); ++i)
        if (counts(groups[i])) return groups[i].id;
    for (const Group& group : groups)
        if (counts(group)) return group.id;
    return -1;
}

// Nearest qualifying group before the selected one, else the last after it.
int previousMatching(const GroupRegistry& registry, int player, int selected,
                     const GroupFilter& counts) {
    if (selected == -1) return nextMatching(registry, -1, counts);
    int lastBefore = -1;
    int lastAfter = -1;
    bool passed = false;
    for (const Group& group : registry.groups) {
        if (group.owner != player) continue;
        if (!passed && group.id == selected) {
            passed = true;
            continue;
        }
        if (!counts(group)) continue;
        (passed ? lastAfter : lastBefore) = group.id;
    }
    if (lastBefore != -1) return lastBefore;
    if (lastAfter != -1) return lastAfter;
    return selected;
}

GroupFilter ownedBy(int player) {
    return [player](const Group& group) { return group.owner == player; };
}

GroupFilter inPosition(const Game& game, int player) {
    return [&game, player](const Group& group) {
        return isInPosition(game.registry, game.planets, game.session.teams, group, player);
    };
}

void offer(ButtonPanel& panel, CommandId id) { setCommandAvailable(panel, id, true); }

}  // namespace

void setCommandAvailable(ButtonPanel& panel, CommandId id, bool available) {
    panel.buttons[static_cast<int>(id)].visible = available;
}

void withdrawGroupCommands(ButtonPanel& panel) {
    for (int id = 0; id <= static_cast<int>(CommandId::PreviousCombatGroup); ++id)
        setCommandAvailable(panel, static_cast<CommandId>(id), false);
}

void selectNextGroup(Game& game, int player) {
    game.session.selectedGroupId =
        nextMatching(game.registry, game.session.selectedGroupId, ownedBy(player));
    refreshAvailability(game, player);
}

void selectPreviousGroup(Game& game, int player) {
    game.session.selectedGroupId =
        previousMatching(game.registry, player, game.session.selectedGroupId, ownedBy(player));
    refreshAvailability(game, player);
}

void selectNextGroupInPosition(Game& game, int player) {
    game.session.selectedGroupId =
        nextMatching(game.registry, game.session.selectedGroupId, inPosition(game, player));
    refreshAvailability(game, player);
}

void selectPreviousGroupInPosition(Game& game, int player) {
    game.session.selectedGroupId = previousMatching(
        game.registry, player, game.session.selectedGroupId, inPosition(game, player));
    refreshAvailability(game, player);
}

bool isTeamPlanet(const Game& game, int planetIndex, int player) {
    if (planetIndex < 0 || planetIndex >= kPlanetCount || player < 0 || player >= kMaxPlayers)
        return false;
    const int owner = game.planets[planetIndex].owner;
    return owner != -1 && game.session.teams[owner] == game.session.teams[player];
}

void refreshAvailability(Game& game, int player) {
    ButtonPanel& panel = game.buttons;
    const GamePhase phase = game.session.phase;
    withdrawGroupCommands(panel);

    bool ownsGroup = false;
    for (const Group& group : game.registry.groups)
        if (group.owner == player) ownsGroup = true;
    if (ownsGroup) {
        offer(panel, CommandId::NextGroup);
        offer(panel, CommandId::PreviousGroup);
    }

    if (const Group* selected = findGroup(game.registry, game.session.selectedGroupId)) {
        const Group& group = *selected;
        if (phase == GamePhase::Movement && group.ships > 1) offer(panel, CommandId::SplitGroup);
        if (findFriendInContact(game.registry, group.x, group.y, group.id, player) != -1)
            offer(panel, CommandId::CombineGroups);
        if (phase == GamePhase::BattlePhase) {
            if (group.stepsLeft == 0) {
                const int planet = planetAt(game.planets, group.x, group.y);
                if (planet != -1) {
                    offer(panel, CommandId::AttackOrDonatePlanet);
                    setPlanetButtonDonation(panel, isTeamPlanet(game, planet, player));
                }
            }
            if (findEnemyInContact(game.registry, game.session.teams, group.x, group.y, player))
                offer(panel, CommandId::AttackGroup);
        }
    }

    if (phase == GamePhase::BattlePhase &&
        hasGroupInPosition(game.registry, game.planets, game.session.teams, player)) {
        offer(panel, CommandId::NextCombatGroup);
        offer(panel, CommandId::PreviousCombatGroup);
    }
}
