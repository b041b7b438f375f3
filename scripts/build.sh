#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (the game folder is build/game).
# VALMORA_CMAKE_ARGS, if set, is passed on to CMake (CI: -DCMAKE_CXX_FLAGS=-Werror).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
read -r -a extra <<< "${VALMORA_CMAKE_ARGS:-}"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}"
cmake --build "$root/build" -j"$(nproc)"
