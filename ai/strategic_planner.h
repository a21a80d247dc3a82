// The normal and hard computer players: one planner that values planets by
// what they produce against how far and how well defended they are, gathers
// ships for what no single group can take, guards what is threatened and
// looks for an enemy it cannot see. The levels differ in how much of that
// they do, as a Strategy says.
#pragma once

#include <vector>

#include "ai/fair_view.h"
#include "ai/orders.h"
#include "random/random.h"

struct Strategy {
    bool gathers;        // brings groups together for a target no single one can take
    bool defends;        // holds and reinforces planets an enemy heads for
    int scouts;          // single ships it keeps sweeping the galaxy for enemies unseen
    float margin;        // how many times the estimated defenders it sends
    int neutralGuess;    // the ships it expects on a planet it has never seen owned
    int garrisonTurns;   // the turns of production a planet keeps at home
    int lookAheadSteps;  // how far it reaches for a planet
};

// Normal sends enough for the most an unseen planet may hold and keeps two
// turns' production at home. Hard reckons on what a neutral planet holds on
// average (1..production ships), so the same ships take twice the planets,
// keeps one turn's production at home and sends the rest; it gathers,
// defends and keeps four scouts out. The values are the arena's best.
constexpr Strategy kNormalStrategy{false, false, 1, 1.6f, 25, 2, 6};
constexpr Strategy kHardStrategy{true, true, 4, 1.3f, 10, 1, 8};

std::vector<Order> planStrategically(const Strategy& strategy, const FairView& view,
                                     Random& random);
