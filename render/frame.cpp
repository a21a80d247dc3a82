// Frame composition and the GL state and view it relies on: each phase's
// screen drawn in map coordinates, each pick pass right after what it picks.
#include <GL/gl.h>

#include <cstdio>

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
constexpr TextLine kTurnTitle = {-50, 0};
constexpr TextLine kComputerLine = {-28, -20};  // under the turn title, centred on it
constexpr TextLine kStatsTitle = {-360, -195};
constexpr int kStatsX = -399;
constexpr int kStatsFirstY = -210;
constexpr int kStatsStep = 15;

void drawButtonPanel(const Game& game, PickResults& picks, const Art& art,
                     const FrameInput& input) {
    drawPanel(art, game.buttons, picks.hoveredButton, game.session.phase, input);
    pickPanel(game.buttons, picks, game.session.phase, input);
}

void drawSetupScreen(const Game& game, PickResults& picks, const Art& art,
                     const FrameInput& input) {
    char title[32];
    std::snprintf(title, sizeof title, "Players: %d", game.session.playerCount);
    drawText(art, kPlayersTitle.x, kPlayersTitle.y, title, FontSize::Large);
    drawSetupTable(art, game.session);
    pickSetupRow(game.session, picks, input);
    drawSeatColumn(art, game.session, game.seats);
    pickSeatRow(game.session, picks, input);
    drawButtonPanel(game, picks, art, input);
}

void drawTurnScreen(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    char title[32];
    std::snprintf(title, sizeof title, "Player %d's turn", game.session.currentPlayer + 1);
    drawText(art, kTurnTitle.x, kTurnTitle.y, title, FontSize::Large);
    drawButtonPanel(game, picks, art, input);
}

// The computer's turn shows its turn screen throughout: its map would show
// what only its team may see. Of the buttons only Quit is offered.
void drawComputerTurnScreen(const Game& game, PickResults& picks, const Art& art,
                            const FrameInput& input) {
    char title[32];
    std::snprintf(title, sizeof title, "Player %d's turn", game.session.currentPlayer + 1);
    drawText(art, kTurnTitle.x, kTurnTitle.y, title, FontSize::Large);
    drawText(art, kComputerLine.x, kComputerLine.y, "(computer)", FontSize::Large);
    ButtonPanel quitOnly = game.buttons;
    for (int index = 0; index < kButtonCount; ++index)
        quitOnly.buttons[index].visible = index == static_cast<int>(CommandId::QuitGame);
    drawPanel(art, quitOnly, picks.hoveredButton, GamePhase::TurnStart, input);
    pickPanel(quitOnly, picks, GamePhase::TurnStart, input);
}

void drawEndScreen(const Game& game, PickResults& picks, const Art& art, const FrameInput& input) {
    drawEndScreenText(art, game);
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
    switch (game.session.phase) {
        case GamePhase::Setup: drawSetupScreen(game, picks, art, input); break;
        case GamePhase::Movement:
        case GamePhase::BattlePhase:
            if (isComputerTurn(game))
                drawComputerTurnScreen(game, picks, art, input);
            else
                drawMapScreen(game, picks, art, input);
            break;
        case GamePhase::TurnStart:
            if (isComputerTurn(game))
                drawComputerTurnScreen(game, picks, art, input);
            else
                drawTurnScreen(game, picks, art, input);
            break;
        case GamePhase::GameOver: drawEndScreen(game, picks, art, input); break;
        case GamePhase::GroupBattle:
        case GamePhase::PlanetBattle:
            // No buttons and no picks while a battle runs.
            drawBattle(game, art);
            break;
    }
    glPopMatrix();
    glFlush();
}
