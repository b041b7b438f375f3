#!/bin/sh
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists the mutable names the product code shares through `extern` (one per line), and their
# count on the last line. `extern const` tables are no shared state and are left out.
# Usage: scripts/shared_state.sh [REVISION]   (default: the working tree)
rev=${1:-}
if [ -n "$rev" ]; then
    git grep -h '^extern ' "$rev" -- '*.h' ':!tests' ':!fuzz' ':!bench'
else
    git grep -h '^extern ' -- '*.h' ':!tests' ':!fuzz' ':!bench'
fi | grep -v '^extern const ' | sed 's/\[[^]]*\]//g; s/(\*\([A-Za-z_0-9]*\))(.*)/\1/; s/;.*//' |
    awk '{ sub(/^extern +/, ""); n = split($0, names, /, */);
           for (i = 1; i <= n; i++) { gsub(/\*/, " ", names[i]); k = split(names[i], w, / +/);
                                      print w[k] } }' |
    awk '{ print } END { print NR " names" }'
