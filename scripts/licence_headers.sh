#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the two-line licence header at the top of every source file that lacks it (after a
# "#!" line); running it again changes nothing. With --check it changes nothing and names the
# files without one, failing if there are any.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check=0
[ "${1:-}" = --check ] && check=1

notice="Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers."
licence="SPDX-License-Identifier: GPL-3.0-or-later"

sources() {
  (cd "$root" && find . \( -path './build*' -o -path ./.git -o -path ./fuzz/corpus \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' -o -name '*.py' \
    -o -name CMakeLists.txt -o -name '*.cmake' -o -path ./.ci/run \) -print | sort)
}

missing=0
while read -r file; do
  path=$root/${file#./}
  head -n 3 "$path" | grep -q "$licence" && continue
  missing=$((missing + 1))
  if [ $check = 1 ]; then
    echo "no licence header: ${file#./}"
    continue
  fi
  case $file in
    *.cpp | *.h) mark=// ;;
    *) mark='#' ;;
  esac
  header=$(printf '%s %s\n%s %s' "$mark" "$notice" "$mark" "$licence")
  tmp=$(mktemp "$path.XXXXXX")
  if head -n 1 "$path" | grep -q '^#!'; then
    { head -n 1 "$path"; echo "$header"; tail -n +2 "$path"; } > "$tmp"
  else
    { echo "$header"; cat "$path"; } > "$tmp"
  fi
  chmod --reference="$path" "$tmp"
  mv "$tmp" "$path"
done < <(sources)

if [ $check = 1 ] && [ $missing -gt 0 ]; then
  echo "$missing files without a licence header; scripts/licence_headers.sh adds it" >&2
  exit 1
fi
[ $check = 1 ] || echo "licence header added to $missing files"
