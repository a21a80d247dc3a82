// Reading a file of the Data folder: only a regular file, and never more than
// a cap, so a link to a device, a named pipe or a file without end cannot
// stall or swamp the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Larger than any file the game reads (a 4096 x 4096 bitmap is 48 MB), so a
// larger one is refused before a byte of it is read.
constexpr int64_t kLargestDataFile = 64 * 1024 * 1024;

enum class FileRead { Read, Missing, Failed };

// Reads the file at `path` whole into `bytes`. Missing when there is no such
// file; Failed when it cannot be opened or read, is not a regular file or is
// larger than kLargestDataFile. Either way `reason` says what went wrong.
FileRead readDataFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason);
