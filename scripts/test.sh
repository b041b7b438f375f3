#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test, in parallel; the GL, GTK and end-to-end tests run on a virtual
# X display, the logic tests without one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 900 -j"$(nproc)"
