// The fair view, built by the same rules of sight as the star map draws with:
// foreign groups within sight of the team's groups, foreign planets as the
// team last saw them.
#include "ai/fair_view.h"

#include "game/game.h"

FairView buildFairView(const Game& game) {
    const GameSession& session = game.session;
    FairView view;
    view.player = session.currentPlayer;
    view.playerCount = session.playerCount;
    view.teams = session.teams;
    view.phase = session.phase;
    const int team = session.teams[view.player];
    const PlanetIntel& intel = game.intel[view.player];
    auto ofTheTeam = [&](int owner) { return owner != -1 && session.teams[owner] == team; };

    for (int i = 0; i < kPlanetCount; ++i) {
        const Planet& planet = game.planets[i];
        SeenPlanet& seen = view.planets[i];
        seen.x = planet.x;
        seen.y = planet.y;
        seen.owner = ofTheTeam(planet.owner) ? planet.owner : intel.knownOwner[i];
        const bool own = planet.owner == view.player;
        if (!own && intel.knownOwner[i] == -1) continue;
        seen.production = planet.production;
        seen.ships = ofTheTeam(planet.owner) ? planet.ships : intel.knownShips[i];
    }

    for (const Group& group : game.registry.groups) {
        const bool ours = ofTheTeam(group.owner);
        if (!ours && !isSeenByTeam(game.registry, session.teams, group.x, group.y, team)) continue;
        view.groups.push_back({group.id, group.owner, group.x, group.y, group.destinationX,
                               group.destinationY, group.stepsLeft, ours ? group.ships : -1});
    }
    return view;
}
