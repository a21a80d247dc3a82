#!/usr/bin/env bash
# Runs one fuzz target for a fixed time from its seed corpus with a fixed
# seed. New inputs go to <work>/corpus, never into the seed folders; a crash,
# leak or timeout leaves its input in <work> and fails the run.
# Usage: run_fuzzer.sh <fuzzer> <seed corpus> <work folder> <seconds> [more seed folders]
set -euo pipefail
# The target works in a folder of its own, so every path it gets is absolute.
fuzzer=$(realpath "$1") seeds=$(realpath "$2") work=$(realpath -m "$3") seconds=$4
shift 4
more=()
for folder in "$@"; do more+=("$(realpath "$folder")"); done
mkdir -p "$work/corpus"
options=()
if [ -f "$seeds.dict" ]; then options+=(-dict="$seeds.dict"); fi
# The game's own lines on standard error (one per refused file) would drown
# the fuzzer's; sanitizer reports still come through. BRENNOLT_FUZZ_OPTIONS
# adds libFuzzer options, e.g. -jobs for a long local run. A unit may take
# its time: the rules target checks the whole state's round trip after every
# action, and a long game of large battles took 13-18 s under the sanitizers;
# a unit that hangs is still caught.
exec "$fuzzer" -seed=1 -max_total_time="$seconds" -timeout=40 -rss_limit_mb=2048 \
    -close_fd_mask=2 -print_final_stats=1 -artifact_prefix="$work/" "${options[@]}" \
    ${BRENNOLT_FUZZ_OPTIONS:-} "$work/corpus" "$seeds" "${more[@]}"
