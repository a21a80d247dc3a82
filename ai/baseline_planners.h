// The random baseline: orders drawn at random from what the rules allow, for
// the arena to measure the levels against. (The passive baseline gives no
// orders at all and needs no planner.)
#pragma once

#include <vector>

#include "ai/fair_view.h"
#include "ai/orders.h"
#include "random/random.h"

std::vector<Order> planRandomly(const FairView& view, Random& random);
