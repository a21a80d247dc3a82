#!/usr/bin/env bash
# Builds the game and starts it from the repository, where Data/ lives.
set -euo pipefail
cd "$(dirname "$0")"
./build.sh
exec ./build/platform/brennolt
