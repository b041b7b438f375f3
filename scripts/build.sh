#!/usr/bin/env bash
# Configures and builds into build/ (the game folder is build/game).
# VALMORA_CMAKE_ARGS, if set, is passed on to CMake (CI: -DCMAKE_CXX_FLAGS=-Werror).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
read -r -a extra <<< "${VALMORA_CMAKE_ARGS:-}"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}"
cmake --build "$root/build" -j"$(nproc)"
