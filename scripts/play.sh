#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher in the game folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
cd "$root/build/game"
exec ./setup
