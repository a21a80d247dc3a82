// The button panel: one placement rule shared by the drawing and the pick
// shapes, so a button is picked exactly where it is seen.
#include "render/button_panel_view.h"

#include <GL/gl.h>

#include "game/game.h"
#include "render/hud_quad.h"
#include "render/picking.h"
#include "render/text.h"

namespace {

constexpr int kColumnAX = -399;
constexpr int kColumnBX = -364;
constexpr int kColumnBottom = -190;
constexpr int kColumnStep = 35;
constexpr int kColumnBFirst = 8;
constexpr int kColumnBLast = 10;
constexpr int kQuitButton = 15;
constexpr FontSize kTooltipSize = FontSize::Small;
constexpr int kRightEdge = 400;

struct Place {
    int x;
    int y;
};

// Places of the buttons outside the two columns; the Quit button's depends
// on the screen.
// clang-format off
constexpr std::array<Place, kButtonCount> kFixedPlaces = {{
    {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0},  // column A
    {0, 0}, {0, 0}, {0, 0},                                          // column B
    {-232, -190},  // end movement
    {-232, -190},  // end battle
    {-399, -264},  // save
    {-399, -264},  // load
    {0, 0},        // quit: by screen
    {367, -299},   // begin turn
    {-30, 0},      // yes
    {30, 0},       // no
    {50, 170},     // more players
    {50, 159},     // fewer players
}};
// clang-format on
constexpr Place kQuitOnMap = {-232, -155};
constexpr Place kQuitOnScreens = {-399, -299};

// Calls place(index, x, y) for every visible button with a place in `phase`,
// in index order.
template <typename PlaceButton>
void forEachPlacedButton(const ButtonPanel& panel, GamePhase phase, PlaceButton place) {
    int columnA = kColumnBottom;
    int columnB = kColumnBottom;
    for (int index = 0; index < kButtonCount; ++index) {
        if (!panel.buttons[index].visible) continue;
        if (index < kColumnBFirst) {
            place(index, kColumnAX, columnA);
            columnA += kColumnStep;
        } else if (index <= kColumnBLast) {
            place(index, kColumnBX, columnB);
            columnB += kColumnStep;
        } else if (index == kQuitButton) {
            if (phase == GamePhase::Movement || phase == GamePhase::BattlePhase) {
                place(index, kQuitOnMap.x, kQuitOnMap.y);
            } else if (phase == GamePhase::Setup || phase == GamePhase::TurnStart) {
                place(index, kQuitOnScreens.x, kQuitOnScreens.y);
            }
        } else {
            place(index, kFixedPlaces[index].x, kFixedPlaces[index].y);
        }
    }
}

QuadRect buttonRect(const Button& button, int x, int y) {
    return {static_cast<float>(x), static_cast<float>(y + button.height),
            static_cast<float>(x + button.width), static_cast<float>(y)};
}

}  // namespace

void drawButton(const Art& art, const Button& button, int x, int y) {
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawTexturedQuad(buttonRect(button, x, y),
                     {button.sLeft, button.sRight, button.tBottom, button.tTop});
    endHudQuads();
}

void drawButtonPickShape(const Button& button, int x, int y) {
    drawQuadShape(buttonRect(button, x, y));
}

void drawPanel(const Art& art, const ButtonPanel& panel, int hoveredButton, GamePhase phase,
               const FrameInput& input) {
    forEachPlacedButton(panel, phase, [&](int index, int x, int y) {
        drawButton(art, panel.buttons[index], x, y);
    });
    if (hoveredButton != -1) drawTooltip(art, panel, hoveredButton, input);
}

void drawPanelPickShapes(const ButtonPanel& panel, GamePhase phase) {
    forEachPlacedButton(panel, phase, [&](int index, int x, int y) {
        glLoadName(static_cast<GLuint>(index));
        drawButtonPickShape(panel.buttons[index], x, y);
    });
}

void pickPanel(const ButtonPanel& panel, PickResults& picks, GamePhase phase,
               const FrameInput& input) {
    picks.hoveredButton =
        runPickPass(input.mouseX, input.mouseY, [&] { drawPanelPickShapes(panel, phase); });
}

void drawTooltip(const Art& art, const ButtonPanel& panel, int index, const FrameInput& input) {
    if (index < 0 || index >= kButtonCount) return;
    const std::string& tooltip = panel.buttons[index].tooltip;
    const int width = static_cast<int>(tooltip.size()) * glyphAdvance(kTooltipSize);
    const int x = input.mapX + width > kRightEdge ? kRightEdge - width : input.mapX;
    // Lifted by its height, the text sits on the pointer.
    drawText(art, x, input.mapY + glyphHeight(kTooltipSize), tooltip.c_str(), kTooltipSize);
    // The tooltip is drawn over everything; the depth test stays off after it.
    glDisable(GL_DEPTH_TEST);
}
