#!/usr/bin/env bash
# Builds the game alone (no tests, benchmarks or tools) and starts it in its
# window from the repository, whose Data/ is the game's data folder (art,
# save file, test log).
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display to open the game window on (DISPLAY is not set)" >&2
    exit 1
fi
./build.sh game
echo "Starting the game"
exec ./build/platform/brennolt
