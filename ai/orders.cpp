// Orders: the one step every planner takes first, combining stacked groups.
#include "ai/orders.h"

#include <cstddef>

std::vector<SeenGroup> combineStacks(const FairView& view, std::vector<Order>& orders) {
    auto isOwn = [&](const SeenGroup& group) { return group.owner == view.player; };
    std::vector<SeenGroup> groups;
    std::vector<bool> taken(view.groups.size(), false);
    for (std::size_t i = 0; i < view.groups.size(); ++i) {
        SeenGroup group = view.groups[i];
        if (taken[i] || !isOwn(group)) continue;
        for (std::size_t j = i + 1; j < view.groups.size() && group.stepsLeft == 0; ++j) {
            const SeenGroup& other = view.groups[j];
            if (!isOwn(other) || other.stepsLeft != 0 || other.x != group.x || other.y != group.y)
                continue;
            taken[j] = true;
            group.ships += other.ships;
            orders.push_back({OrderKind::Combine, group.id});
        }
        groups.push_back(group);
    }
    return groups;
}
