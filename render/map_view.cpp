// The star map on screen. Everything foreign is filtered through the
// viewer's team: planets show what the team last saw of them, and enemy
// groups show only within sight of one of the team's groups.
#include "render/map_view.h"

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "render/angles.h"
#include "render/art.h"
#include "render/frame_input.h"
#include "render/hud_quad.h"
#include "render/model.h"
#include "render/picking.h"
#include "render/text.h"

namespace {

constexpr float kSightRadius = 32.0f;
constexpr float kGroupPickRadius = 5.0f;
constexpr int kPanelTextColour = 6;
constexpr Colour kWhite = {1.0f, 1.0f, 1.0f};
constexpr Colour kCourseGrey = {0.5f, 0.5f, 0.5f};

// The selected planet's and group's panels hang from the top-left corner.
constexpr float kMapLeft = -400.0f;
constexpr float kMapTop = 300.0f;
// The hover panels keep clear of the button column and the top edge.
constexpr int kHoverPanelMinX = -198;
constexpr int kHoverPanelMaxY = 300;

void setColour(const Colour& colour) { glColor3f(colour.r, colour.g, colour.b); }

void drawSprite(const Art& art, const AtlasRegion& region, const Colour& tint,
                const QuadRect& quad) {
    setColour(tint);
    beginHudQuads(art);
    drawTexturedQuad(quad, atlasTexture(region));
    endHudQuads();
}

bool isPlayer(int owner) { return owner >= 0 && owner < kMaxPlayers; }

bool isOfViewersTeam(const Game& game, int owner) {
    const GameSession& session = game.session;
    return isPlayer(owner) && session.teams[owner] == session.teams[session.currentPlayer];
}

bool isVisible(const Game& game, const Group& group) {
    const GameSession& session = game.session;
    return group.owner == session.currentPlayer || isOfViewersTeam(game, group.owner) ||
           isSeenByTeam(game.registry, session.teams, group.x, group.y,
                        session.teams[session.currentPlayer]);
}

const PlanetIntel& viewersIntel(const Game& game) { return game.intel[game.session.currentPlayer]; }

bool isPlanetIndex(int index) { return index >= 0 && index < kPlanetCount; }

void drawNumberOrUnknown(const Art& art, int x, int y, bool known, int value, FontSize size,
                         bool rightAligned) {
    char text[16];
    if (known)
        std::snprintf(text, sizeof text, "%d", value);
    else
        std::strcpy(text, "??");
    if (rightAligned) x -= glyphAdvance(size) * static_cast<int>(std::strlen(text));
    drawTextColoured(art, x, y, text, ColourTable[kPanelTextColour], size);
}

// Three arrowheads at 120 degrees around a selected planet or group.
void drawSelectionMarker(float x, float y, float angle, float inner, float outer, float halfWidth) {
    setColour(kWhite);
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    for (int i = 0; i < 3; ++i) {
        if (i > 0) glRotatef(120.0f, 0.0f, 0.0f, 1.0f);
        glBegin(GL_TRIANGLES);
        glVertex2f(inner, 0.0f);
        glVertex2f(outer, halfWidth);
        glVertex2f(outer, -halfWidth);
        glEnd();
    }
    glPopMatrix();
}

void drawDisc(float x, float y, float radius) {
    constexpr int kStepDegrees = 30;
    std::array<float, 2 * (2 + 360 / kStepDegrees)> fan{x, y};
    size_t next = 2;
    for (int degrees = 0; degrees <= 360; degrees += kStepDegrees) {
        const float theta = static_cast<float>(degrees) * kRadiansPerDegree;
        fan[next++] = x + radius * std::sin(theta);
        fan[next++] = y + radius * std::cos(theta);
    }
    drawPickShape(PickShape::Fan, fan.data(), static_cast<int>(next / 2));
}

// Where the course line ends: the next stop, or the destination itself
// when the group arrives with its next move.
void courseEnd(const Group& group, float& x, float& y) {
    if (group.stepsLeft > 1) {
        x = group.x + group.stepX;
        y = group.y + group.stepY;
    } else {
        x = group.destinationX;
        y = group.destinationY;
    }
}

void drawCourse(const Group& group, bool hovered) {
    float endX = 0.0f, endY = 0.0f;
    courseEnd(group, endX, endY);
    glBegin(GL_LINES);
    glVertex2f(group.x, group.y);
    glVertex2f(endX, endY);
    glEnd();

    // Turning the upward arrowhead by the step's angle less a quarter turn
    // makes it point along the step; atan2 gives the same turn as the slope
    // with its half-plane correction, and stays finite for a zero step.
    const float heading = std::atan2(group.stepY, group.stepX) * kDegreesPerRadian;
    glPushMatrix();
    glTranslatef(endX, endY, 0.0f);
    glRotatef(heading - 90.0f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(4.0f, -8.0f);
    glVertex2f(-4.0f, -8.0f);
    glEnd();
    glPopMatrix();

    if (hovered && group.stepsLeft > 1) {
        setColour(kCourseGrey);
        glBegin(GL_LINES);
        glVertex2f(endX, endY);
        glVertex2f(group.destinationX, group.destinationY);
        glEnd();
    }
}

void drawSightCircle(const Group& group) {
    glBegin(GL_LINE_LOOP);
    for (int degrees = 0; degrees < 360; degrees += 20) {
        const float theta = static_cast<float>(degrees) * kRadiansPerDegree;
        glVertex2f(group.x + kSightRadius * std::sin(theta),
                   group.y + kSightRadius * std::cos(theta));
    }
    glEnd();
}

// The top-left corner of a hover panel: below and left of the pointer.
static_assert(regionWidth(kHoveredPlanetPanel) == regionWidth(kHoveredGroupPanel) &&
                  regionHeight(kHoveredPlanetPanel) == regionHeight(kHoveredGroupPanel),
              "both hover panels hang from one anchor");
void hoverAnchor(const FrameInput& input, int& x, int& y) {
    x = input.mapX - regionWidth(kHoveredPlanetPanel);
    if (x < kHoverPanelMinX) x = kHoverPanelMinX;
    y = input.mapY + regionHeight(kHoveredPlanetPanel);
    if (y > kHoverPanelMaxY) y = kHoverPanelMaxY;
}

}  // namespace

void drawPlanet(const Game& game, const Art& art, int planetIndex) {
    if (!isPlanetIndex(planetIndex)) return;
    const Planet& planet = game.planets[planetIndex];

    int markerOwner = -1;
    if (isOfViewersTeam(game, planet.owner))
        markerOwner = planet.owner;
    else if (planet.owner != -1)
        markerOwner = viewersIntel(game).knownOwner[planetIndex];
    if (isPlayer(markerOwner))
        drawSprite(art, kOwnerMarker, playerColour(markerOwner),
                   rectCentredOn(kOwnerMarker, planet.x, planet.y));

    glPushMatrix();
    glTranslatef(planet.x, planet.y, 0.0f);
    glRotatef(planet.tilt, 1.0f, 0.0f, 0.0f);
    glRotatef(planet.spin, 0.0f, 0.0f, 1.0f);
    if (planet.model >= 0 && planet.model < kPlanetModelCount)
        drawModel(art.planetModels[static_cast<size_t>(planet.model)]);
    glPopMatrix();
}

void drawGroups(const Game& game, const PickResults& picks, const Art& art) {
    const int hoveredId = picks.hoveredGroup;
    for (const Group& group : game.registry.groups) {
        if (!isVisible(game, group)) continue;
        const Colour& tint = isPlayer(group.owner) ? playerColour(group.owner) : kWhite;
        drawSprite(art, kGroupSprite, tint, rectCentredOn(kGroupSprite, group.x, group.y));
        const bool hovered = group.id == hoveredId;
        if (group.stepsLeft > 0) {
            setColour(tint);
            drawCourse(group, hovered);
        }
        if (hovered) {
            setColour(tint);
            drawSightCircle(group);
        }
    }
}

void pickGroup(const Game& game, PickResults& picks, const FrameInput& input) {
    picks.hoveredGroup = runPickPass(input.mouseX, input.mouseY, [&game] {
        for (const Group& group : game.registry.groups) {
            if (!isVisible(game, group)) continue;
            glLoadName(static_cast<GLuint>(group.id));
            drawDisc(group.x, group.y, kGroupPickRadius);
        }
    });
}

void drawSelectedPlanetPanel(const Game& game, const Art& art) {
    const int index = game.session.selectedPlanet;
    if (!isPlanetIndex(index)) return;
    const Planet& planet = game.planets[index];
    drawSprite(art, kSelectedPlanetPanel, kWhite,
               rectFromTopLeft(kSelectedPlanetPanel, kMapLeft, kMapTop));
    const PlanetIntel& intel = viewersIntel(game);
    const bool known = intel.knownOwner[index] != -1;
    const int ships = isOfViewersTeam(game, planet.owner) ? planet.ships : intel.knownShips[index];
    drawNumberOrUnknown(art, -283, 282, known, planet.production, FontSize::Large, false);
    drawNumberOrUnknown(art, -265, 270, known, ships, FontSize::Large, true);
    drawSelectionMarker(planet.x, planet.y, planet.markerAngle, 15.0f, 27.0f, 3.0f);
}

void drawHoveredPlanetPanel(const Game& game, const PickResults& picks, const Art& art,
                            const FrameInput& input) {
    const int index = picks.hoveredPlanet;
    if (!isPlanetIndex(index)) return;
    const Planet& planet = game.planets[index];
    int x = 0, y = 0;
    hoverAnchor(input, x, y);
    drawSprite(art, kHoveredPlanetPanel, kWhite,
               rectFromTopLeft(kHoveredPlanetPanel, static_cast<float>(x), static_cast<float>(y)));
    const PlanetIntel& intel = viewersIntel(game);
    const bool known = intel.knownOwner[index] != -1;
    const int ships = isOfViewersTeam(game, planet.owner) ? planet.ships : intel.knownShips[index];
    drawNumberOrUnknown(art, x + 28, y - 5, known, planet.production, FontSize::Small, false);
    drawNumberOrUnknown(art, x + 42, y - 15, known, ships, FontSize::Small, true);
}

void drawSelectedGroupPanel(const Game& game, const Art& art) {
    const Group* group = findGroup(game.registry, game.session.selectedGroupId);
    if (group == nullptr) return;
    // Under the planet panel when a planet is selected as well.
    const int top = game.session.selectedPlanet != -1 ? 250 : 300;
    drawSprite(art, kSelectedGroupPanel, kWhite,
               rectFromTopLeft(kSelectedGroupPanel, kMapLeft, static_cast<float>(top)));
    drawNumberOrUnknown(art, -273, top - 18, true, group->ships, FontSize::Large, true);
    drawNumberOrUnknown(art, -273, top - 30, true, group->stepsLeft, FontSize::Large, true);
    drawSelectionMarker(group->x, group->y, game.groupMarkerAngle, 5.0f, 10.0f, 2.0f);
}

void drawHoveredGroupPanel(const Game& game, const PickResults& picks, const Art& art,
                           const FrameInput& input) {
    const Group* group = findGroup(game.registry, picks.hoveredGroup);
    if (group == nullptr) return;
    int x = 0, y = 0;
    hoverAnchor(input, x, y);
    drawSprite(art, kHoveredGroupPanel, kWhite,
               rectFromTopLeft(kHoveredGroupPanel, static_cast<float>(x), static_cast<float>(y)));
    const bool known =
        group->owner == game.session.currentPlayer || isOfViewersTeam(game, group->owner);
    if (known) {
        drawNumberOrUnknown(art, x + 42, y - 5, true, group->ships, FontSize::Small, true);
        drawNumberOrUnknown(art, x + 42, y - 15, true, group->stepsLeft, FontSize::Small, true);
    } else {
        drawNumberOrUnknown(art, x + 21, y - 5, false, 0, FontSize::Small, false);
        drawNumberOrUnknown(art, x + 42, y - 15, false, 0, FontSize::Small, true);
    }
}
