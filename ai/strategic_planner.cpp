#include "ai/strategic_planner.h"

#include "ai/easy_planner.h"

std::vector<Order> planStrategically(const Strategy&, const FairView& view, Random& random) {
    return view.phase == GamePhase::Movement ? planMovement(view, random)
                                             : planBattles(view, random);
}
