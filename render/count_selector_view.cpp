// The count selector, drawn from the HUD atlas with its numbers right-aligned
// against the picture's right edge.
#include "render/count_selector_view.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "game/game.h"
#include "render/art.h"
#include "render/hud_quad.h"
#include "render/picking.h"
#include "render/text.h"

namespace {

constexpr HudQuad kSelector = {36, -26, kCountSelector};
// The numbers end one unit inside the picture's right edge.
constexpr int kNumbersRight = kSelector.left + regionWidth(kCountSelector) - 1;
constexpr int kCountY = 8;
constexpr int kRemainderY = -4;
constexpr int kNumberColour = 6;  // cyan

// The eight controls in SelectorControl order, where the picture shows them.
constexpr int kControlCount = 8;

QuadRect controlRect(int control) {
    const float left =
        static_cast<float>(kSelector.left + kSelectorControlLeft + control * kSelectorControlPitch);
    const float top =
        static_cast<float>(kSelector.bottom + regionHeight(kSelector.region) - kSelectorControlTop);
    return {left, top, left + kSelectorControlWidth, top - kSelectorControlHeight};
}

void drawRightAligned(const Art& art, int value, int y) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const int x =
        kNumbersRight - static_cast<int>(std::strlen(text)) * glyphAdvance(FontSize::Large);
    drawTextColoured(art, x, y, text, ColourTable[kNumberColour], FontSize::Large);
}

// Ships of what the chosen count is taken from, if that still exists.
std::optional<int> sourceShips(const Game& game) {
    if (game.interaction.mode == InteractionMode::CountForSplit) {
        const Group* group = findGroup(game.registry, game.session.selectedGroupId);
        if (group == nullptr) return std::nullopt;
        return group->ships;
    }
    const int planet = game.session.selectedPlanet;
    if (planet < 0 || planet >= kPlanetCount) return std::nullopt;
    return game.planets[planet].ships;
}

}  // namespace

void drawCountSelector(const Art& art, const Game& game) {
    glColor3f(1.0f, 1.0f, 1.0f);
    beginHudQuads(art);
    drawHudQuad(kSelector);
    endHudQuads();

    const int count = game.interaction.count;
    drawRightAligned(art, count, kCountY);
    if (const std::optional<int> ships = sourceShips(game)) {
        drawRightAligned(art, *ships - count, kRemainderY);
    }
}

void pickCountSelector(PickResults& picks, const FrameInput& input) {
    picks.hoveredSelectorControl = runPickPass(input.mouseX, input.mouseY, [] {
        for (int control = 0; control < kControlCount; ++control) {
            glLoadName(static_cast<GLuint>(control));
            drawQuadShape(controlRect(control));
        }
    });
}
