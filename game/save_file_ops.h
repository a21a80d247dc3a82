// The file operations a save goes through, handed to the save as a record so
// that a test can make any one of them fail and watch the old save survive.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>

struct Game;

// Each member behaves like the C or POSIX call it stands for: a null file, a
// short count or a non-zero result means failure, with errno set.
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
