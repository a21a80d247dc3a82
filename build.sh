#!/usr/bin/env bash
# Installs the Debian packages the game needs when they are missing, then
# configures and builds everything into build/. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev libsdl2-dev
          libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev xvfb xauth
          libfreetype-dev fonts-dejavu-core xdotool libpng-dev clang libclang-rt-14-dev
          dpkg-dev desktop-file-utils clang-format libenet-dev)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
        || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# BRENNOLT_WERROR=ON (the test command's build) turns every warning into an
# error. Unless a command asks, the setting stays as the build has it, so that
# ./run.sh after ./test.sh builds only what changed.
options=()
if [ -n "${BRENNOLT_WERROR:-}" ]; then options+=("-DBRENNOLT_WERROR=$BRENNOLT_WERROR"); fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build build -j"$(nproc)"
