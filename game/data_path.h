// The Data folder: every run-time file (bitmaps, models, the save file, the
// test log) is opened as Data/name relative to the working directory.
#pragma once

#include <string>

std::string dataPath(const std::string& name);
