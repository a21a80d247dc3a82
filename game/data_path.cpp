// The Data folder beside the working directory.
#include "game/data_path.h"

std::string dataPath(const std::string& name) { return "Data/" + name; }
