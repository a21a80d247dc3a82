#!/usr/bin/env bash
# Builds everything and runs every test headless (Xvfb with Mesa's software GL);
# then runs them all again built with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each fuzz target for a minute. Any failure or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")"
BRENNOLT_WERROR=ON ./build.sh all

# The code keeps the repository's .clang-format style: a file out of it fails the run.
find ai battle bench fuzz game interaction platform render tests tools \( -name '*.cpp' -o -name '*.h' \) \
    -print0 | xargs -0 clang-format --dry-run --Werror
headless() { xvfb-run -a -s "-screen 0 1024x768x24" "$@"; }
(cd build && headless ctest --output-on-failure -j"$(nproc)")

# -O1 keeps the sanitizer build quick enough to run everything; the benchmarks
# measure nothing useful there. Leaks are checked in every test without a
# display. The tests with a window (label "display") run with the leak check
# off: Mesa's software driver leaks blocks of its own and is unloaded when the
# display closes, so its leaks come without a frame or library a suppression
# could name (a full stack on every allocation deadlocks in its code compiler).
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" \
    -DBRENNOLT_SANITIZE=ON -DBRENNOLT_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
sanitized() {
    local leaks=$1
    shift
    ASAN_OPTIONS=detect_leaks=$leaks:halt_on_error=1:check_initialization_order=1:detect_stack_use_after_return=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        headless ctest --output-on-failure -j"$(nproc)" "$@"
}
(cd build-asan && sanitized 1 -LE display && sanitized 0 -L display)

# The fuzz targets only: the readers of the art live with the drawing code,
# which is configured but not built here.
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g" -DBRENNOLT_FUZZ=ON -DBRENNOLT_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target brennolt_fuzzers
(cd build-fuzz && ctest --output-on-failure -j"$(nproc)")
