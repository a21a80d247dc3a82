// Save file: the one saved game, Save.kvd in the write folder (Data/ when the
// game runs from a folder with one), and saves under new names beside it. A
// save replaces the old file only once the new one is on disk; a load checks
// the whole file first and changes nothing when it is damaged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "game/data_path.h"

struct Game;

constexpr int kSaveHeaderBytes = 3244;
constexpr int kSaveGroupBytes = 44;

// Bytes of the save file for the present state.
std::vector<uint8_t> encodeSave(const Game& game);
// Writes the save slot safely; false (with one line on stderr) on failure.
bool saveGame(Game& game);

// The file operations a save goes through, handed to it as a record so that a
// test can make any one of them fail and watch the old save survive. Each
// behaves like the C or POSIX call it stands for: a null file, a short count
// or a non-zero result means failure, with errno set.
struct SaveFileOps {
    std::function<std::FILE*(const char* path)> open;  // binary, created or truncated
    std::function<size_t(const void* data, size_t size, std::FILE* file)> write;
    std::function<int(std::FILE* file)> flush;
    std::function<int(std::FILE* file)> sync;   // to the disk, past the system's cache
    std::function<int(std::FILE* file)> close;  // the file is closed even when it fails
    std::function<int(const char* from, const char* to)> rename;
};

// fopen, fwrite, fflush, fsync, fclose and rename.
SaveFileOps systemSaveFileOps();
// saveGame with the given file operations.
bool saveGame(Game& game, const SaveFileOps& ops);
// Writes `bytes` as a new save in the write folder, named `stem`.kvd or,
// where that name is taken, stem-2.kvd, stem-3.kvd, ...: never over a file
// that is there, and whole or not at all. The name it got, or empty with
// what failed in `failure`; nothing goes to stderr.
std::string saveNewFile(const DataFolders& folders, const std::string& stem,
                        const std::vector<uint8_t>& bytes, std::string& failure);
// Loads the save slot, or the save the data folders name instead, emptying
// any battle; false (with one line on stderr unless the save slot is simply
// empty) when nothing was loaded, the state then being unchanged.
bool loadGame(Game& game);
