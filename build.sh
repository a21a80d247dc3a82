#!/usr/bin/env bash
# Installs the Debian packages a command needs when they are missing, then
# configures and builds into build/. Used by run.sh and test.sh:
#   build.sh game   the game alone, what it needs to run and to be packaged
#   build.sh all    everything: tests, benchmarks, tools
# It says one line per stage, the build with cmake's percentage; a stage that
# fails shows its whole output.
set -euo pipefail
cd "$(dirname "$0")"
what=${1:-all}

# The game's build, its run and its package (cpack needs dpkg-shlibdeps and file).
packages=(cmake g++ make pkg-config libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
          libenet-dev dpkg-dev file)
if [ "$what" = all ]; then
    packages+=(libgtest-dev libbenchmark-dev libx11-dev xvfb xauth x11-utils xdotool
               libfreetype-dev fonts-dejavu-core libpng-dev clang libclang-rt-14-dev
               desktop-file-utils clang-format)
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Runs a stage's command with its output kept aside, shown only when it fails.
quietly() {
    if ! "$@" >"$log" 2>&1; then
        echo
        cat "$log" >&2
        echo "build.sh: failed: $*" >&2
        exit 1
    fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing ${#missing[@]} packages: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
    quietly $sudo apt-get update
    quietly env DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

# A fresh build of the game leaves out the tests, the benchmarks and the tools.
# A build that exists keeps its settings, so neither command rebuilds what the
# other has built; only the test command turns on what it needs.
# BRENNOLT_WERROR=ON (the test command's) makes a fresh build turn every
# warning into an error; a build that exists keeps its choice.
options=()
if [ "$what" = all ]; then
    options+=(-DBRENNOLT_TESTS=ON -DBRENNOLT_BENCH=ON -DBRENNOLT_TOOLS=ON)
elif [ ! -f build/CMakeCache.txt ]; then
    options+=(-DBRENNOLT_TESTS=OFF -DBRENNOLT_BENCH=OFF -DBRENNOLT_TOOLS=OFF)
fi
if [ -n "${BRENNOLT_WERROR:-}" ] && [ ! -f build/CMakeCache.txt ]; then
    options+=("-DBRENNOLT_WERROR=$BRENNOLT_WERROR")
fi
if [ ! -f build/CMakeCache.txt ] || ((${#options[@]})); then
    echo "Configuring build/"
    quietly cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
fi

# The game is its program and what its package holds besides the data.
targets=()
if [ "$what" = game ]; then targets=(--target brennolt brennolt_changelog brennolt_manual); fi
echo -n "Building build/ ..."
cmake --build build -j"$(nproc)" "${targets[@]}" >"$log" 2>&1 &
builder=$!
percent=
while kill -0 "$builder" 2>/dev/null; do
    sleep 1
    latest=$(grep -o '^\[ *[0-9]*%\]' "$log" | tail -n 1 | tr -dc '0-9')
    if [ -n "$latest" ] && [ "$latest" != "$percent" ]; then
        percent=$latest
        echo -n " $percent%"
    fi
done
if ! wait "$builder"; then
    echo
    cat "$log" >&2
    echo "build.sh: the build failed" >&2
    exit 1
fi
echo " done"
