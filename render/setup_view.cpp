// The Setup table, drawn from the HUD atlas in map coordinates.
#include "render/setup_view.h"

#include <GL/gl.h>

#include <cstdio>
#include <iterator>

#include "game/game.h"
#include "game/seat_and_end_art.h"
#include "render/art.h"
#include "render/hud_quad.h"
#include "render/picking.h"
#include "render/text.h"

namespace {

constexpr int kRowTop = 80;
constexpr int kRowHeight = 15;
constexpr int kRowStep = 20;
constexpr int kNumberY = 78;
constexpr int kPlayerNumberX = -26;
constexpr int kTeamNumberX = 26;

constexpr HudQuad kPlayerHeader = {-50, 8, 85, 100, 0, 58, 21, 36};
constexpr HudQuad kTeamHeader = {10, 50, 85, 100, 59, 99, 21, 36};
// The row quads at row 0; row p lies p * kRowStep lower.
constexpr HudQuad kPlayerBar = {-50, 8, kRowTop - kRowHeight, kRowTop, 0, 58, 5, 20};
constexpr HudQuad kTeamBox = {23, 38, kRowTop - kRowHeight, kRowTop, 59, 74, 5, 20};
// The seat column, right of the team column, with pictures as wide as the bars.
constexpr int kSeatLeft = 56;
constexpr int kSeatRight = kSeatLeft + 58;

constexpr HudQuad seatQuad(int bottom, int top, const AtlasTexels& texels) {
    return {kSeatLeft, kSeatRight, bottom, top,
            texels.sLeft, texels.sRight, texels.tBottom, texels.tTop};
}

constexpr HudQuad kSeatHeader = seatQuad(85, 100, kSeatHeaderTexels);
static_assert(std::size(kSeatPictureTexels) == kSeatKinds);

}  // namespace

void drawSetupTable(const Art& art, const GameSession& session) {
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawHudQuad(kPlayerHeader);
    drawHudQuad(kTeamHeader);
    for (int player = 0; player < session.playerCount; ++player) {
        const Colour& colour = playerColour(player);
        glColor3f(colour.r, colour.g, colour.b);
        drawHudQuad(kPlayerBar, -kRowStep * player);
        glColor3f(1.0f, 1.0f, 1.0f);
        drawHudQuad(kTeamBox, -kRowStep * player);
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

void pickSetupRow(InteractionState& interaction, const GameSession& session,
                  const FrameInput& input) {
    interaction.hoveredSetupRow = runPickPass(input.mouseX, input.mouseY, [&] {
        for (int player = 0; player < session.playerCount; ++player) {
            glLoadName(static_cast<GLuint>(player));
            drawQuadShape(kTeamBox, -kRowStep * player);
        }
    });
}

void drawSeatColumn(const Art& art, const GameSession& session, const Seats& seats) {
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawHudQuad(kSeatHeader);
    for (int player = 0; player < session.playerCount; ++player) {
        const AtlasTexels& picture = kSeatPictureTexels[static_cast<int>(seats[player])];
        drawHudQuad(seatQuad(kRowTop - kRowHeight, kRowTop, picture), -kRowStep * player);
    }
    endHudQuads();
}

int pickSeatRow(const GameSession& session, const FrameInput& input) {
    return runPickPass(input.mouseX, input.mouseY, [&] {
        for (int player = 0; player < session.playerCount; ++player) {
            glLoadName(static_cast<GLuint>(player));
            drawQuadShape(seatQuad(kRowTop - kRowHeight, kRowTop, kSeatPictureTexels[0]),
                          -kRowStep * player);
        }
    });
}
