// The Setup table, drawn from the HUD atlas in map coordinates.
#include "render/setup_view.h"

#include <GL/gl.h>

#include <cstdio>

#include "game/game.h"
#include "render/art.h"
#include "render/hud_quad.h"
#include "render/picking.h"
#include "render/text.h"

namespace {

constexpr int kRowTop = 80;
constexpr int kRowStep = 20;
constexpr int kNumberY = 78;
constexpr int kPlayerNumberX = -26;
constexpr int kTeamNumberX = 26;

constexpr HudQuad kPlayerHeaderQuad = {-50, 85, kPlayerHeader};
constexpr HudQuad kTeamHeaderQuad = {10, 85, kTeamHeader};
// The row quads at row 0; row p lies p * kRowStep lower.
constexpr HudQuad kPlayerBarQuad = {-50, kRowTop - regionHeight(kPlayerBar), kPlayerBar};
constexpr HudQuad kTeamBoxQuad = {23, kRowTop - regionHeight(kTeamBox), kTeamBox};

}  // namespace

void drawSetupTable(const Art& art, const GameSession& session) {
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawHudQuad(kPlayerHeaderQuad);
    drawHudQuad(kTeamHeaderQuad);
    for (int player = 0; player < session.playerCount; ++player) {
        const Colour& colour = playerColour(player);
        glColor3f(colour.r, colour.g, colour.b);
        drawHudQuad(kPlayerBarQuad, -kRowStep * player);
        glColor3f(1.0f, 1.0f, 1.0f);
        drawHudQuad(kTeamBoxQuad, -kRowStep * player);
    }
    endHudQuads();

    char number[16];
    for (int player = 0; player < session.playerCount; ++player) {
        const int y = kNumberY - kRowStep * player;
        std::snprintf(number, sizeof number, "%d", player + 1);
        drawText(art, kPlayerNumberX, y, number, FontSize::Large);
        std::snprintf(number, sizeof number, "%d", session.teams[player] + 1);
        drawText(art, kTeamNumberX, y, number, FontSize::Large);
    }
}

void pickSetupRow(const GameSession& session, PickResults& picks, const FrameInput& input) {
    picks.hoveredSetupRow = runPickPass(input.mouseX, input.mouseY, [&] {
        for (int player = 0; player < session.playerCount; ++player) {
            glLoadName(static_cast<GLuint>(player));
            drawQuadShape(placedRect(kTeamBoxQuad, -kRowStep * player));
        }
    });
}
