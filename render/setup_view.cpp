// The Setup table, drawn from the HUD atlas in map coordinates.
#include "render/setup_view.h"

#include <GL/gl.h>

#include <cstdio>
#include <iterator>

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
// The seat column, right of the team column; its pictures are as high as the rows.
constexpr int kSeatLeft = 56;
constexpr HudQuad kSeatHeaderQuad = {kSeatLeft, 85, kSeatHeader};
// An open seat has no picture of its own yet and shows as a person's.
static_assert(std::size(kSeatPictures) == static_cast<int>(Seat::Open));

constexpr HudQuad seatQuad(Seat seat) {
    const AtlasRegion& picture =
        kSeatPictures[seat == Seat::Open ? static_cast<int>(Seat::Human) : static_cast<int>(seat)];
    return {kSeatLeft, kRowTop - regionHeight(picture), picture};
}

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

void drawSeatColumn(const Art& art, const GameSession& session, const Seats& seats) {
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawHudQuad(kSeatHeaderQuad);
    for (int player = 0; player < session.playerCount; ++player)
        drawHudQuad(seatQuad(seats[player]), -kRowStep * player);
    endHudQuads();
}

void pickSeatRow(const GameSession& session, PickResults& picks, const FrameInput& input) {
    picks.hoveredSeatRow = runPickPass(input.mouseX, input.mouseY, [&] {
        for (int player = 0; player < session.playerCount; ++player) {
            glLoadName(static_cast<GLuint>(player));
            drawQuadShape(placedRect(seatQuad(Seat::Human), -kRowStep * player));
        }
    });
}
