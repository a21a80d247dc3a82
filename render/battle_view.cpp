// The battle view. Ten thousand ships and their shots are plain geometry
// in a few batches, so the frame costs what the triangles and points cost
// and little more.
#include "render/battle_view.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "game/game.h"
#include "render/angles.h"
#include "render/art.h"
#include "render/text.h"

namespace {

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

// Ships and shots go out in list order, one batch per run of one side (in
// practice two: all attackers come first). The colour is set between the
// batches, never inside one: a colour inside a batch makes the renderer
// carry it with every vertex, which costs a software renderer about a
// seventh more for the same picture.
template <typename Item, typename Emit>
void drawInRunsOfOneSide(const BattleScene& scene, const std::vector<Item>& items, GLenum mode,
                         Emit emit) {
    int runSide = 0;  // no run open
    for (const Item& item : items) {
        const bool attacker = item.side == BattleSide::Attacker;
        const int side = attacker ? 1 : -1;
        if (side != runSide) {
            if (runSide != 0) glEnd();
            setColour(attacker ? scene.attacker : scene.defender);
            glBegin(mode);
            runSide = side;
        }
        emit(item, attacker);
    }
    if (runSide != 0) glEnd();
}

void drawShips(const BattleScene& scene) {
    drawInRunsOfOneSide(scene, scene.battle.ships, GL_TRIANGLES,
                        [](const BattleShip& ship, bool attacker) {
                            // Each ship points at the enemy line.
                            const float tip = attacker ? kShipLength : -kShipLength;
                            const float turn = attacker ? kShipHalfHeight : -kShipHalfHeight;
                            glVertex2f(ship.x + tip, ship.y);
                            glVertex2f(ship.x, ship.y + turn);
                            glVertex2f(ship.x, ship.y - turn);
                        });
}

void drawShots(const BattleScene& scene) {
    drawInRunsOfOneSide(scene, scene.battle.shots, GL_POINTS,
                        [](const BattleShot& shot, bool) { glVertex2f(shot.x, shot.y); });
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
