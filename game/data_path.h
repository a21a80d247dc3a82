// The folders the game's files live in: one the art and models are read from,
// one the save file and the test log are written to. Decided once at start-up
// (data_search.h) and handed to everything that opens a file.
#pragma once

#include <string>

struct DataFolders {
    std::string read = "Data";   // bitmaps and models
    std::string write = "Data";  // the save file and the test log
    // The player's own folder for writes: made on first use, private to them.
    bool makeWriteFolder = false;
    // A save named on the command line: Load reads it rather than the one
    // of the write folder. Empty: none.
    std::string loadFile{};
};

std::string dataPath(const std::string& folder, const std::string& name);

// Makes the write folder, and any folder above it that is missing, with mode
// 0700 when `makeWriteFolder` asks for it. False with errno set when it
// cannot; a folder that is already there is left as it is.
bool prepareWriteFolder(const DataFolders& folders);
