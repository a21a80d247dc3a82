// Orders: what the computer's planner decides for one phase of its turn, each
// carried out afterwards through the same calls a player's clicks make.
#pragma once

#include <cstdint>
#include <vector>

#include "ai/fair_view.h"

enum class OrderKind : int32_t {
    Send,          // the group heads for (x, y)
    Split,         // `count` ships of the group leave it as a new group for (x, y)
    Launch,        // `count` ships leave the planet as a new group for (x, y)
    Combine,       // the group takes in a group of the player's in contact with it
    AttackGroup,   // the group fights the enemy group it is in contact with
    AttackPlanet,  // the group fights the planet it stands on
    Donate,        // the group joins the team planet it stands on
};

struct Order {
    OrderKind kind = OrderKind::Send;
    int32_t group = -1;
    int32_t planet = -1;
    int32_t count = 0;
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const Order&) const = default;
};

// Groups of the player's standing on the same spot are made one first: adds
// the orders that take each of the others in, and returns the player's
// groups as they will be.
std::vector<SeenGroup> combineStacks(const FairView& view, std::vector<Order>& orders);
