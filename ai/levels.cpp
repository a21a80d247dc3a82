// Levels: which planner plays a seat, and the names the arena knows them by.
#include "ai/levels.h"

#include <array>

#include "ai/baseline_planners.h"
#include "ai/easy_planner.h"
#include "ai/strategic_planner.h"

namespace {

constexpr std::array<std::string_view, 5> kLevelNames = {"easy", "normal", "hard", "passive",
                                                         "random"};

}  // namespace

std::optional<Level> levelOfSeat(Seat seat) {
    switch (seat) {
        case Seat::Human:
        case Seat::Open: return std::nullopt;
        case Seat::Computer: return Level::Easy;
        case Seat::ComputerNormal: return Level::Normal;
        case Seat::ComputerHard: return Level::Hard;
    }
    return std::nullopt;
}

std::string_view levelName(Level level) { return kLevelNames[static_cast<size_t>(level)]; }

std::optional<Level> levelNamed(std::string_view name) {
    for (size_t i = 0; i < kLevelNames.size(); ++i)
        if (kLevelNames[i] == name) return static_cast<Level>(i);
    return std::nullopt;
}

std::vector<Order> planPhase(Level level, const FairView& view, Random& random) {
    const bool movement = view.phase == GamePhase::Movement;
    switch (level) {
        case Level::Easy: return movement ? planMovement(view, random) : planBattles(view, random);
        case Level::Normal: return planStrategically(kNormalStrategy, view, random);
        case Level::Hard: return planStrategically(kHardStrategy, view, random);
        case Level::Passive: return {};
        case Level::Random: return planRandomly(view, random);
    }
    return {};
}
