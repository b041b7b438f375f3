#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# The catalogues against the sources: the committed template is the one the sources make
# (so every marked text is in it), every catalogue compiles cleanly and holds every text,
# and the English one has no text left empty or fuzzy.
set -euo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

"$root/scripts/update_pot.sh" "$work/valmora.pot"
diff -u "$root/po/valmora.pot" "$work/valmora.pot" ||
  fail "po/valmora.pot is not what the sources make: run scripts/update_pot.sh"

for po in "$root"/po/*.po; do
  msgfmt --check -o /dev/null "$po" || fail "msgfmt --check $po"
  msgcmp "$po" "$work/valmora.pot" || fail "$po lacks texts of the sources"
done

for kind in untranslated only-fuzzy; do
  left=$(msgattrib --$kind --no-obsolete "$root/po/en.po" | grep -c '^msgid ' || true)
  [ "$left" -eq 0 ] || fail "po/en.po has $kind entries"
done
# The Polish catalogue is the ids themselves.
differ=$(msgexec -i "$root/po/pl.po" \
  sh -c '[ -z "$MSGEXEC_MSGID" ] || [ "$MSGEXEC_MSGID" = "$(cat)" ] || echo x' | wc -l)
[ "$differ" -eq 0 ] || fail "po/pl.po: $differ texts differ from their ids"
exit $status
