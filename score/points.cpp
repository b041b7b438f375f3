// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/points.h"

#include "jump/jump_state.h"

int32_t jumpTotal() {
    int32_t total = jumpPoints;
    for (int32_t mark : styleMarks)
        total += mark;
    return total;
}
