// The battle view. Ten thousand ships and their shots are two batches of
// plain geometry: the colour is set only where the side changes, so the
// frame costs what the triangles and points cost and little more.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "game/game.h"
#include "render/art.h"
#include "render/battle_view.h"
#include "render/text.h"

namespace {

constexpr float kRadiansPerDegree = 3.14159f / 180.0f;
constexpr float kShipLength = 7.0f;
constexpr float kShipHalfHeight = 2.0f;
constexpr float kPlanetCentreX = 400.0f;
constexpr float kPlanetRadius = 150.0f;

// What the view needs of the game, read in this one place.
struct BattleScene {
    const Battle& battle;
    bool planetDefends;
    const Colour& attacker;
    const Colour& defender;
};

const Colour& colourAt(int index) {
    return index >= 0 && index < static_cast<int>(ColourTable.size())
               ? ColourTable[static_cast<size_t>(index)]
               : ColourTable[kNeutralColour];
}

BattleScene sceneOf(const Game& game) {
    const Battle& battle = game.battle;
    return {battle, game.session.phase == GamePhase::PlanetBattle, colourAt(battle.attackerColour),
            colourAt(battle.defenderColour)};
}

void setColour(const Colour& colour) { glColor3f(colour.r, colour.g, colour.b); }

void drawShips(const BattleScene& scene) {
    glBegin(GL_TRIANGLES);
    int colourSide = 0;  // neither side yet
    for (const BattleShip& ship : scene.battle.ships) {
        const bool attacker = ship.side == BattleSide::Attacker;
        const int side = attacker ? 1 : -1;
        if (side != colourSide) {
            setColour(attacker ? scene.attacker : scene.defender);
            colourSide = side;
        }
        // Each ship points at the enemy line.
        const float tip = attacker ? kShipLength : -kShipLength;
        const float turn = attacker ? kShipHalfHeight : -kShipHalfHeight;
        glVertex2f(ship.x + tip, ship.y);
        glVertex2f(ship.x, ship.y + turn);
        glVertex2f(ship.x, ship.y - turn);
    }
    glEnd();
}

void drawShots(const BattleScene& scene) {
    glBegin(GL_POINTS);
    int colourSide = 0;
    for (const BattleShot& shot : scene.battle.shots) {
        const bool attacker = shot.side == BattleSide::Attacker;
        const int side = attacker ? 1 : -1;
        if (side != colourSide) {
            setColour(attacker ? scene.attacker : scene.defender);
            colourSide = side;
        }
        glVertex2f(shot.x, shot.y);
    }
    glEnd();
}

// The left half of the defending planet, standing at the right edge.
void drawDefendingPlanet(const BattleScene& scene) {
    setColour(scene.defender);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(kPlanetCentreX, 0.0f);
    for (int degrees = 180; degrees <= 360; degrees += 10) {
        const float theta = static_cast<float>(degrees) * kRadiansPerDegree;
        glVertex2f(kPlanetCentreX + kPlanetRadius * std::sin(theta),
                   kPlanetRadius * std::cos(theta));
    }
    glEnd();
}

}  // namespace

void drawBattle(const Game& game, const Art& art) {
    const BattleScene scene = sceneOf(game);
    drawShips(scene);
    drawShots(scene);
    if (scene.planetDefends) drawDefendingPlanet(scene);
    char count[16];
    std::snprintf(count, sizeof count, "%d", scene.battle.attackerCount);
    drawText(art, -60, 150, count, FontSize::Large);
    std::snprintf(count, sizeof count, "%d", scene.battle.defenderCount);
    drawText(art, 30, 150, count, FontSize::Large);
}
