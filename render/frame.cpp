// Frame composition and the GL state and view it relies on: each phase's
// screen drawn in map coordinates, each pick pass right after what it picks.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "game/commands.h"
#include "game/game.h"
#include "game/seats.h"
#include "render/art.h"
#include "render/battle_view.h"
#include "render/button_panel_view.h"
#include "render/count_selector_view.h"
#include "render/end_screen_view.h"
#include "render/frame_input.h"
#include "render/map_pointer_view.h"
#include "render/map_view.h"
#include "render/picture.h"
#include "render/render.h"
#include "render/setup_view.h"
#include "render/text.h"
#include "render/view.h"

namespace {

constexpr float kDividerX = -199.0f;
constexpr float kDividerHalfHeight = 300.0f;

struct TextLine {
    int x;
    int y;
};

constexpr TextLine kPlayersTitle = {-58, 175};
constexpr TextLine kJoinCodeLine = {-54, 130};  // over the table, centred on it
constexpr TextLine kTurnTitle = {-50, 0};
// The line under the turn title is centred on it, 20 units lower.
constexpr int kTurnCentreX = 17;
constexpr int kUnderTitleY = -20;
// The message line: at the bottom, clear of the statistics and the buttons of
// the left and right corners, on a dark strip that keeps it legible over the map.
constexpr TextLine kMessageLine = {-190, -284};
constexpr FontSize kMessageSize = FontSize::Large;
constexpr int kMessageRight = 360;  // short of the bottom right corner's button
constexpr int kMessageRowStep = glyphHeight(kMessageSize) + 4;
constexpr TextLine kStatsTitle = {-360, -195};
constexpr int kStatsX = -399;
constexpr int kStatsFirstY = -210;
constexpr int kStatsStep = 15;

void drawButtonPanel(const Game& game, PickResults& picks, const Art& art,
                     const FrameInput& input) {
    drawPanel(art, game.buttons, picks.hoveredButton, game.session.phase, input);
    pickPanel(game.buttons, picks, game.session.phase, input);
}

// Of the buttons only Quit, at its place on the screens without the map.
void drawQuitOnly(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    ButtonPanel quitOnly = game.buttons;
    for (int index = 0; index < kButtonCount; ++index)
        quitOnly.buttons[index].visible = index == static_cast<int>(CommandId::QuitGame);
    drawPanel(art, quitOnly, picks.hoveredButton, GamePhase::TurnStart, input);
    pickPanel(quitOnly, picks, GamePhase::TurnStart, input);
}

void drawSetupScreen(const Game& game, PickResults& picks, const Art& art,
                     const FrameInput& input) {
    char title[32];
    std::snprintf(title, sizeof title, "Players: %d", game.session.playerCount);
    drawText(art, kPlayersTitle.x, kPlayersTitle.y, title, FontSize::Large);
    drawSetupTable(art, game.session);
    pickSetupRow(game.session, picks, input);
    drawSeatColumn(art, game);
    pickSeatRow(game.session, picks, input);
    if (isHosting(game)) {
        const std::string line = "Join code: " + game.network.joinCode;
        drawText(art, kJoinCodeLine.x, kJoinCodeLine.y, line.c_str(), FontSize::Large);
    }
    if (mayOnlyQuit(game))
        drawQuitOnly(game, picks, art, input);
    else
        drawButtonPanel(game, picks, art, input);
}

void drawTurnScreen(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    char title[32];
    std::snprintf(title, sizeof title, "Player %d's turn", game.session.currentPlayer + 1);
    drawText(art, kTurnTitle.x, kTurnTitle.y, title, FontSize::Large);
    if (!isJoiner(game)) {
        drawButtonPanel(game, picks, art, input);
        return;
    }
    // The game is saved where it is hosted.
    ButtonPanel noSave = game.buttons;
    noSave.buttons[static_cast<int>(CommandId::SaveGame)].visible = false;
    drawPanel(art, noSave, picks.hoveredButton, game.session.phase, input);
    pickPanel(noSave, picks, game.session.phase, input);
}

// The turn of the computer or of a person at another machine shows its turn
// screen throughout, and so does a battle none of this machine's seats
// fights: the map would show what only that player's team may see. Of the
// buttons only Quit is offered.
void drawOthersTurnScreen(const Game& game, PickResults& picks, const Art& art,
                          const FrameInput& input, const char* whose) {
    char title[32];
    std::snprintf(title, sizeof title, "Player %d's turn", game.session.currentPlayer + 1);
    drawText(art, kTurnTitle.x, kTurnTitle.y, title, FontSize::Large);
    const int width = static_cast<int>(std::strlen(whose)) * glyphAdvance(FontSize::Large);
    drawText(art, kTurnCentreX - width / 2, kUnderTitleY, whose, FontSize::Large);
    drawQuitOnly(game, picks, art, input);
}

const char* othersTurnLine(const Game& game) {
    return isComputerSeat(game, game.session.currentPlayer) ? "(computer)" : "(at another machine)";
}

// The news of the message line, over whatever lies at the bottom. A line
// longer than the room between the corner buttons goes on over more rows,
// broken at spaces, its end on the bottom row: a saved file's name must be
// read whole.
std::vector<std::string> messageRows(const std::string& text) {
    const size_t most =
        static_cast<size_t>((kMessageRight - kMessageLine.x) / glyphAdvance(kMessageSize));
    std::vector<std::string> rows;
    std::string rest = text;
    while (rest.size() > most) {
        const size_t space = rest.rfind(' ', most);
        const size_t cut = space == std::string::npos || space == 0 ? most : space;
        rows.push_back(rest.substr(0, cut));
        rest.erase(0, cut == space ? cut + 1 : cut);
    }
    rows.push_back(rest);
    return rows;
}

void drawMessageLine(const Game& game, const Art& art, const FrameInput& input) {
    if (!isMessageShown(game.messageLine, input.clock)) return;
    const std::vector<std::string> rows = messageRows(game.messageLine.text);
    glDisable(GL_DEPTH_TEST);
    for (size_t row = 0; row < rows.size(); ++row) {
        const int y = kMessageLine.y + static_cast<int>(rows.size() - 1 - row) * kMessageRowStep;
        const float left = static_cast<float>(kMessageLine.x - 2);
        const float right =
            static_cast<float>(kMessageLine.x + 2) +
            static_cast<float>(static_cast<int>(rows[row].size()) * glyphAdvance(kMessageSize));
        glColor3f(0.0f, 0.0f, 0.0f);
        glRectf(left, static_cast<float>(y - glyphHeight(kMessageSize) - 2), right,
                static_cast<float>(y + 2));
        drawText(art, kMessageLine.x, y, rows[row].c_str(), kMessageSize);
    }
}

void drawEndScreen(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    drawEndScreenText(art, game);
    if (mayOnlyQuit(game))  // a joiner's: a new game is the host's to begin
        drawQuitOnly(game, picks, art, input);
    else
        drawButtonPanel(game, picks, art, input);
}

void drawStatistics(const Game& game, const Art& art) {
    const Colour& colour = playerColour(game.session.currentPlayer);
    drawTextColoured(art, kStatsTitle.x, kStatsTitle.y, "--==Stats==--", colour, FontSize::Large);
    const Statistics& stats = game.session.statistics;
    const struct {
        const char* format;
        int32_t value;
    } lines[] = {
        {"My Planets: %d", stats.myPlanets},
        {"My Production: %d", stats.myProduction},
        {"My Ships: %d", stats.myShips},
        {"Team Planets: %d", stats.teamPlanets},
        {"Team Production: %d", stats.teamProduction},
        {"Team Ships: %d", stats.teamShips},
    };
    int y = kStatsFirstY;
    for (const auto& line : lines) {
        char text[48];
        std::snprintf(text, sizeof text, line.format, line.value);
        drawTextColoured(art, kStatsX, y, text, colour, FontSize::Large);
        y -= kStatsStep;
    }
}

void drawDivider() {
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINES);
    glVertex2f(kDividerX, kDividerHalfHeight);
    glVertex2f(kDividerX, -kDividerHalfHeight);
    glEnd();
}

void drawMapScreen(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    const GameSession& session = game.session;
    const InteractionState& interaction = game.interaction;
    // A tooltip of the turn screen leaves the depth test off; the planets
    // need it whatever the previous frame was.
    glEnable(GL_DEPTH_TEST);
    for (int planet = 0; planet < kPlanetCount; ++planet) drawPlanet(game, art, planet);
    drawDivider();
    glDisable(GL_DEPTH_TEST);
    drawGroups(game, picks, art);
    pickGroup(game, picks, input);
    drawButtonPanel(game, picks, art, input);
    if (interaction.mode == InteractionMode::CountForNewGroup ||
        interaction.mode == InteractionMode::CountForSplit) {
        drawCountSelector(art, game);
        pickCountSelector(picks, input);
    }
    if (session.selectedGroupId != -1 && picks.hoveredGroup != -1 && input.leftHeld) {
        drawHoldMeter(input);
    }
    pickPlanet(game.planets, picks, input);
    if (session.selectedPlanet != -1) drawSelectedPlanetPanel(game, art);
    if (picks.hoveredPlanet != -1) drawHoveredPlanetPanel(game, picks, art, input);
    if (session.selectedGroupId != -1) drawSelectedGroupPanel(game, art);
    if (picks.hoveredGroup != -1) drawHoveredGroupPanel(game, picks, art, input);
    glEnable(GL_DEPTH_TEST);
    drawStatistics(game, art);
}

}  // namespace

void initialiseGraphics() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glLineWidth(1.0f);

    // Set under the identity modelview, so the light sits in eye space.
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {0.0f, 0.0f, 250.0f, 1.0f};
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);
}

int resizeView(int width, int height) {
    if (height == 0) height = 1;
    viewPicture(PictureArea{0, 0, width, height}, height);
    return height;
}

void viewPicture(const PictureArea& area, int windowHeight) {
    glViewport(area.x, windowHeight - area.y - area.height, area.width, area.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    multiplyPerspective(static_cast<double>(area.width) / static_cast<double>(area.height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void composeFrame(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kMapPlaneDepth);
    bool messageShown = true;
    switch (game.session.phase) {
        case GamePhase::Setup: drawSetupScreen(game, picks, art, input); break;
        case GamePhase::Movement:
        case GamePhase::BattlePhase:
            if (isTurnOfOthers(game))
                drawOthersTurnScreen(game, picks, art, input, othersTurnLine(game));
            else
                drawMapScreen(game, picks, art, input);
            break;
        case GamePhase::TurnStart:
            if (isTurnOfOthers(game))
                drawOthersTurnScreen(game, picks, art, input, othersTurnLine(game));
            else
                drawTurnScreen(game, picks, art, input);
            break;
        case GamePhase::GameOver:
            drawEndScreen(game, picks, art, input);
            messageShown = false;
            break;
        case GamePhase::GroupBattle:
        case GamePhase::PlanetBattle:
            if (isBattleShownHere(game)) {
                // No buttons and no picks while a battle runs.
                drawBattle(game, art);
                messageShown = false;
            } else {
                drawOthersTurnScreen(game, picks, art, input, "(battle)");
            }
            break;
    }
    if (messageShown) drawMessageLine(game, art, input);
    glPopMatrix();
    glFlush();
}
