// Animation of the star map.
#include "game/animation.h"

#include <cmath>

#include "game/game.h"

namespace {

constexpr float kTurnDegreesPerSecond = 30.0f;
constexpr float kMsPerSecond = 1000.0f;

// A spin wraps once past a full turn, a marker already at it. One long stall
// must not leave an angle far past a turn either.
float wrapped(float angle, bool wrapAtFullTurn) {
    if (angle > 360.0f || (wrapAtFullTurn && angle == 360.0f)) angle -= 360.0f;
    if (angle >= 360.0f) angle = std::fmod(angle, 360.0f);
    return angle;
}

}  // namespace

void advanceAnimation(Game& game, uint32_t frameDelta) {
    const GameSession& session = game.session;
    if (!isMapPhase(session.phase)) return;
    const float turn = static_cast<float>(frameDelta) / kMsPerSecond * kTurnDegreesPerSecond;
    for (int index = 0; index < kPlanetCount; ++index) {
        Planet& planet = game.planets[index];
        planet.spin = wrapped(planet.spin + turn, false);
        if (session.selectedPlanet == index)
            planet.markerAngle = wrapped(planet.markerAngle + turn, true);
    }
    if (findGroup(game.registry, session.selectedGroupId) != nullptr)
        game.groupMarkerAngle = wrapped(game.groupMarkerAngle + turn, true);
}
