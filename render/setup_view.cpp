// The Setup table, drawn from the HUD atlas in map coordinates.
#include "render/setup_view.h"

#include <GL/gl.h>

#include <cstdio>
#include <iterator>

#include "game/game.h"
#include "game/seats.h"
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
static_assert(std::size(kSeatPictures) == kSeatKinds);
// A joiner's own row is framed this far outside its pictures.
constexpr int kOwnRowLeft = -53;
constexpr int kOwnRowRight = kSeatLeft + regionWidth(kSeatPictures[0]) + 3;
constexpr int kOwnRowAbove = 2;
constexpr int kOwnRowBelow = 17;

constexpr HudQuad seatQuad(const AtlasRegion& picture) {
    return {kSeatLeft, kRowTop - regionHeight(picture), picture};
}

// An open seat that someone has joined shows who plays it now.
const AtlasRegion& seatPicture(const Game& game, int player) {
    const Seat seat = game.seats[player];
    if (seat == Seat::Open && !isOpenSeat(game, player)) return kRemoteSeatPicture;
    return kSeatPictures[static_cast<int>(seat)];
}

void drawOwnRowFrame(int player) {
    const float top = static_cast<float>(kRowTop + kOwnRowAbove - kRowStep * player) - 0.5f;
    const float bottom = static_cast<float>(kRowTop - kOwnRowBelow - kRowStep * player) + 0.5f;
    const float left = static_cast<float>(kOwnRowLeft) + 0.5f;
    const float right = static_cast<float>(kOwnRowRight) - 0.5f;
    glColor3f(1.0f, 1.0f, 0.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
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

void drawSeatColumn(const Art& art, const Game& game) {
    const GameSession& session = game.session;
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawHudQuad(kSeatHeaderQuad);
    for (int player = 0; player < session.playerCount; ++player)
        drawHudQuad(seatQuad(seatPicture(game, player)), -kRowStep * player);
    endHudQuads();
    for (int player = 0; isJoiner(game) && player < session.playerCount; ++player)
        if (isPlayedHere(game, player)) drawOwnRowFrame(player);
}

void pickSeatRow(const GameSession& session, PickResults& picks, const FrameInput& input) {
    picks.hoveredSeatRow = runPickPass(input.mouseX, input.mouseY, [&] {
        for (int player = 0; player < session.playerCount; ++player) {
            glLoadName(static_cast<GLuint>(player));
            drawQuadShape(placedRect(seatQuad(kSeatPictures[0]), -kRowStep * player));
        }
    });
}
