// Points of the galaxy as the computer's planners reason about them, and a
// random one anywhere inside the galaxy for ships with nowhere to go: they
// may meet what their team has not seen yet.
#pragma once

#include "game/galaxy.h"
#include "random/random.h"

struct Point {
    float x;
    float y;
    bool operator==(const Point&) const = default;
};

// Two draws from the planner's own generator, the x first.
inline Point anywhereInGalaxy(Random& random) {
    constexpr float left = kGalaxyCentreX - kGalaxyRadius;
    constexpr float bottom = -kGalaxyRadius;
    constexpr float width = 2.0f * kGalaxyRadius;
    const float u = static_cast<float>(nextRandom(random)) / 32767.0f;
    const float v = static_cast<float>(nextRandom(random)) / 32767.0f;
    return {left + u * width, bottom + v * width};
}
