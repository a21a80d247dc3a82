// The easy computer player: sensible and short-sighted, remembering nothing
// from one phase to the next. It takes the nearest planets it can beat,
// attacks what it clearly outnumbers, keeps ships at home when a planet is
// threatened, gathers the rest near the weakest enemy planet it knows, and
// goes looking when it knows of none. It sees only the fair view and draws
// only on its own random source.
#pragma once

#include <vector>

#include "ai/fair_view.h"
#include "ai/orders.h"
#include "random/random.h"

// The orders of a movement phase, in the order to give them.
std::vector<Order> planMovement(const FairView& view, Random& random);
// The orders of a battle phase as it stands now; asked again after each battle.
std::vector<Order> planBattles(const FairView& view, Random& random);
