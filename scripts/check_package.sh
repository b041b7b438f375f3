#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from build/, checks it with lintian, installs it with apt-get as a
# player would, starts the installed launcher and game from / with a fresh HOME under Xvfb,
# and removes it again: the player's data folder must stay. Needs root (apt-get) and a
# finished build/ (the README's test command makes it). CI runs it; it leaves the machine
# without the package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
export DEBIAN_FRONTEND=noninteractive

rm -rf "$build/package"
(cd "$build" && cpack)
deb=$(ls "$build"/package/valmora_*_"$(dpkg --print-architecture)".deb)
echo "package: $deb"
dpkg-deb --field "$deb" Depends

# Debian's own checks: no error, and no warning but those overridden, each with its reason,
# in dist/debian/lintian-overrides.
lintian --fail-on error,warning --info "$deb"
echo "lintian: no errors or warnings"

apt-get install -y "$deb"
player=$(mktemp -d)
trap 'apt-get remove -y valmora >/dev/null 2>&1 || true; rm -rf "$player"' EXIT
[ "$(command -v valmora)" = /usr/bin/valmora ]
[ "$(command -v valmora-play)" = /usr/bin/valmora-play ]

# The launcher driven with xdotool and the game started alone, both from /, each with a new
# HOME: the per-user folder appears with the defaults and the game's first frame is its
# start screen's poster (pictures in build/test-output/installed_*.png).
VALMORA_INSTALLED_PREFIX=/usr xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tests/install/installed_play_test"

# A player who has played: the game run from / for a few seconds, then the package removed.
(cd / && env -u XDG_DATA_HOME HOME=$player xvfb-run -a -s "-screen 0 1024x768x24" \
  timeout 8 valmora-play) || [ $? -eq 124 ]
data=$player/.local/share/valmora/Data
[ "$(ls "$data" | wc -l)" -eq 23 ] && [ "$(cat "$data/hill.dat")" = 1 ]
echo "the player's folder: $(ls "$data" | wc -l) files in $data"

apt-get remove -y valmora
if dpkg-query -W -f='${Status}' valmora 2>/dev/null | grep -q "install ok installed"; then
  echo "valmora is still installed" >&2
  exit 1
fi
for path in /usr/bin/valmora /usr/bin/valmora-play /usr/libexec/valmora /usr/share/valmora; do
  if [ -e "$path" ] || [ -L "$path" ]; then
    echo "left behind by the removal: $path" >&2
    exit 1
  fi
done
[ "$(ls "$data" | wc -l)" -eq 23 ]
echo "removed; the player's folder keeps its $(ls "$data" | wc -l) files"
