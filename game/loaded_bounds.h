// Bounds a game taken from outside the program (the save file, another
// machine's state) is held to: far beyond any real game (production is 10..30
// and never changes, stocks stay far below a million), they keep every sum of
// ships within an int and every battle within reach of the memory.
#pragma once

#include <cstdint>

constexpr int32_t kMostShipsInOnePlace = 100'000'000;
constexpr int64_t kMostShipsInAll = 1'000'000'000;
constexpr int32_t kMostLoadedProduction = 1'000;
