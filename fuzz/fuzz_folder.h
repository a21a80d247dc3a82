// The game reads and writes Data/ relative to the working directory: each fuzz
// target runs in a fresh folder of its own, on a memory file system if there
// is one, so saves cost no disk writes.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Made once per process and removed when it exits normally.
inline void enterFuzzFolder() {
    namespace fs = std::filesystem;
    static std::string folder;
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "brennolt-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr || !fs::create_directory(fs::path(pattern) / "Data")) {
        std::perror("brennolt fuzz: cannot make a working folder");
        std::exit(1);
    }
    folder = pattern;
    fs::current_path(folder);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    });
}
