#!/usr/bin/env bash
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds po/valmora.pot from every text the two programs show (marked _("...") or
# N_("...")), then brings the catalogues up to it: pl.po is the identity, since the Polish
# texts are the message ids; en.po keeps its translations and gets the new ids untranslated,
# for a translator to fill in. With an argument, only writes the template to that file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/po/valmora.pot}

cd "$root"
# Locations without line numbers, so that an edit elsewhere in a file leaves the template be.
find platform core render jump score contest camera figure venue game setup \
  -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
  xgettext --files-from=- --output=- --from-code=UTF-8 --language=C++ \
    --keyword=_ --keyword=N_ --add-comments=TRANSLATORS: --add-location=file \
    --package-name=valmora --package-version=1.0.0 --msgid-bugs-address=valmora@localhost \
    --copyright-holder="the Valmora developers" |
  # The same sources make the same template, whenever it is made.
  grep -v '^"POT-Creation-Date: ' > "$out"
[ $# -gt 0 ] && exit 0

msgmerge --quiet --update --backup=none --no-fuzzy-matching po/en.po "$out"
{
  cat <<'HEADER'
# Polish texts of Valmora: the message ids themselves.
# Copyright (C) 2026 the Valmora developers
# This file is distributed under the same license as the valmora package.
#
msgid ""
msgstr ""
"Project-Id-Version: valmora 1.0.0\n"
"Report-Msgid-Bugs-To: valmora@localhost\n"
"PO-Revision-Date: 2026-12-10 05:00+0000\n"
"Last-Translator: the Valmora developers <valmora@localhost>\n"
"Language-Team: Polish\n"
"Language: pl\n"
"MIME-Version: 1.0\n"
"Content-Type: text/plain; charset=UTF-8\n"
"Content-Transfer-Encoding: 8bit\n"
"Plural-Forms: nplurals=3; plural=(n==1 ? 0 : n%10>=2 && n%10<=4 && (n%100<10 || n%100>=20) ? 1 : 2);\n"
HEADER
  echo
  # Every entry after the template's header, with the id as its text.
  msgen "$out" | sed '1,/^$/d'
} > po/pl.po
echo "po/valmora.pot: $(($(grep -c '^msgid ' "$out") - 1)) texts"
