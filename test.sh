#!/usr/bin/env bash
# Builds everything and runs every test headless (Xvfb with Mesa's software GL).
set -euo pipefail
cd "$(dirname "$0")"
BRENNOLT_WERROR=ON ./build.sh
cd build
exec xvfb-run -a -s "-screen 0 1024x768x24" ctest --output-on-failure -j"$(nproc)"
