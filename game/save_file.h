// Save file: the one saved game in Data/Save.kvd. A save replaces the old file
// only once the new one is on disk; a load checks the whole file first and
// changes nothing when it is damaged.
#pragma once

#include <cstdint>
#include <vector>

struct Game;

constexpr int kSaveHeaderBytes = 3244;
constexpr int kSaveGroupBytes = 44;

// Bytes of the save file for the present state.
std::vector<uint8_t> encodeSave(const Game& game);
// Writes the save slot safely; false (with one line on stderr) on failure.
bool saveGame(Game& game);
// Loads the save slot, emptying any battle; false (with one line on stderr
// unless there is no save yet) when nothing was loaded, the state then being
// unchanged.
bool loadGame(Game& game);
