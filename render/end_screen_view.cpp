// The end screen's words, where the turn screen has its title.
#include "render/end_screen_view.h"

#include <cstdio>

#include "game/game.h"
#include "render/text.h"

namespace {

constexpr int kTitleX = -50;
constexpr int kTitleY = 0;
constexpr int kWinnersY = -20;
constexpr int kWinnerStep = 27;  // three glyphs of the large font: room for "8" and a gap

}  // namespace

void drawEndScreenText(const Art& art, const Game& game) {
    const GameSession& session = game.session;
    if (game.winningTeam < 0) {
        drawText(art, kTitleX, kTitleY, "Nobody wins", FontSize::Large);
        return;
    }
    char text[32];
    // Teams are shown counted from 1, as the Setup table shows them.
    std::snprintf(text, sizeof text, "Team %d wins", game.winningTeam + 1);
    drawText(art, kTitleX, kTitleY, text, FontSize::Large);
    int x = kTitleX;
    for (int player = 0; player < session.playerCount; ++player) {
        if (session.teams[player] != game.winningTeam) continue;
        std::snprintf(text, sizeof text, "%d", player + 1);
        drawTextColoured(art, x, kWinnersY, text, playerColour(player), FontSize::Large);
        x += kWinnerStep;
    }
}
