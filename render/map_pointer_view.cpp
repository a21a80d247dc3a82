// The planet pick pass and the hold meter, plain untextured geometry.
#include "render/map_pointer_view.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

#include "render/angles.h"
#include "render/picking.h"

namespace {

constexpr float kDiscRadius = 15.0f;
constexpr int kDiscStepDegrees = 30;

// The meter counts in signed milliseconds, one unit of bar per 10, and
// ends at the long press.
constexpr int32_t kShortMark = static_cast<int32_t>(kShortPressMs);
constexpr int32_t kLongMark = static_cast<int32_t>(kLongPressMs);
constexpr int32_t kMsPerUnit = 10;
constexpr int32_t kMeterUnits = kLongMark / kMsPerUnit;

constexpr float kMeterLeft = -375.0f;
constexpr float kMeterRight = kMeterLeft + static_cast<float>(kMeterUnits);
constexpr float kMeterTop = 200.0f;
constexpr float kMeterBottom = 190.0f;
constexpr float kFrameBottom = 191.0f;
constexpr float kShortTickX = kMeterLeft + static_cast<float>(kShortMark / kMsPerUnit);

void drawDisc(float x, float y) {
    std::array<float, 2 * (2 + 360 / kDiscStepDegrees)> fan{x, y};
    size_t next = 2;
    for (int degrees = 0; degrees <= 360; degrees += kDiscStepDegrees) {
        const float theta = static_cast<float>(degrees) * kPi / 180.0f;
        fan[next++] = x + kDiscRadius * std::sin(theta);
        fan[next++] = y + kDiscRadius * std::cos(theta);
    }
    drawPickShape(PickShape::Fan, fan.data(), static_cast<int>(next / 2));
}

}  // namespace

void pickPlanet(const Galaxy& planets, PickResults& picks, const FrameInput& input) {
    picks.hoveredPlanet = runPickPass(input.mouseX, input.mouseY, [&] {
        for (int index = 0; index < kPlanetCount; ++index) {
            glLoadName(static_cast<GLuint>(index));
            drawDisc(planets[index].x, planets[index].y);
        }
    });
}

void drawHoldMeter(const FrameInput& input) {
    const int32_t elapsed = static_cast<int32_t>(input.clock - input.pressTime);

    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(kMeterLeft, kMeterTop);
    glVertex2f(kMeterLeft, kFrameBottom);
    glVertex2f(kMeterRight, kFrameBottom);
    glVertex2f(kMeterRight, kMeterTop);
    glEnd();

    glBegin(GL_LINES);
    glColor3f(0.0f, 1.0f, 0.0f);
    glVertex2f(kShortTickX, kMeterTop);
    glVertex2f(kShortTickX, kMeterBottom);
    glColor3f(0.0f, 0.0f, 1.0f);
    glVertex2f(kMeterRight, kMeterTop);
    glVertex2f(kMeterRight, kMeterBottom);
    glEnd();

    if (elapsed < kShortMark) {
        glColor3f(1.0f, 0.0f, 0.0f);
    } else if (elapsed >= kLongMark) {
        glColor3f(0.0f, 0.0f, 1.0f);
    } else {
        glColor3f(0.0f, 1.0f, 0.0f);
    }
    const int32_t units = elapsed / kMsPerUnit;
    const float end = units <= kMeterUnits ? kMeterLeft + static_cast<float>(units) : kMeterRight;
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(kMeterLeft, kMeterTop);
    glVertex2f(kMeterLeft, kMeterBottom);
    glVertex2f(end, kMeterTop);
    glVertex2f(end, kMeterBottom);
    glEnd();
}
