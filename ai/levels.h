// Levels of the computer player: the three a Setup seat offers, and two
// baselines only the arena plays, which anchor how strong the levels are.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "ai/fair_view.h"
#include "ai/orders.h"
#include "game/seats.h"
#include "random/random.h"

enum class Level {
    Easy,
    Normal,
    Hard,
    Passive,  // does nothing but end its phases
    Random,   // random orders the rules allow
};

// The level a computer's seat plays at; a person's seat has none.
std::optional<Level> levelOfSeat(Seat seat);
// The names the arena reads and prints: "easy", "normal", "hard", "passive", "random".
std::string_view levelName(Level level);
std::optional<Level> levelNamed(std::string_view name);

// The orders of the phase the view is in (movement, or the battle phase as it
// stands now), as the level decides them.
std::vector<Order> planPhase(Level level, const FairView& view, Random& random);
