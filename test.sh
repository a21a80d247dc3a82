#!/usr/bin/env bash
# Builds everything and runs every test headless (Xvfb with Mesa's software GL);
# then runs them all again built with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each fuzz target for a minute. Any failure or sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
BRENNOLT_WERROR=ON ./build.sh
headless() { xvfb-run -a -s "-screen 0 1024x768x24" "$@"; }
(cd build && headless ctest --output-on-failure -j"$(nproc)")

# -O1 keeps the sanitizer build quick enough to run everything; the benchmarks
# measure nothing useful there. The leaks of the window tests that are not
# ours are suppressed by library; finding them needs the full stack, as
# Mesa's driver is unloaded by the time the leak check runs.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" \
    -DBRENNOLT_SANITIZE=ON -DBRENNOLT_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
(cd build-asan &&
    ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:check_initialization_order=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0 \
    LSAN_OPTIONS=suppressions="$root/.ci/lsan.supp":print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    headless ctest --output-on-failure -j"$(nproc)")

# The fuzz targets only: the readers of the art live with the drawing code,
# which is configured but not built here.
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g" -DBRENNOLT_FUZZ=ON -DBRENNOLT_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target brennolt_fuzzers
(cd build-fuzz && ctest --output-on-failure -j"$(nproc)")
