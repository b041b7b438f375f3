// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/points.h"

int32_t jumpTotal(const Jump& j) {
    int32_t total = j.jumpPoints;
    for (int32_t mark : j.styleMarks)
        total += mark;
    return total;
}
