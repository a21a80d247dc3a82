// How a fuzz target reports a broken rule: a line where the sanitizers report
// (which stays open when the fuzzer silences the game's standard error), then
// an abort, so the fuzzer keeps the input.
#pragma once

#include <sanitizer/common_interface_defs.h>

#include <cstdlib>
#include <string>

[[noreturn]] inline void fuzzFailure(const std::string& what) {
    __sanitizer_report_error_summary(("brennolt: " + what).c_str());
    std::abort();
}
