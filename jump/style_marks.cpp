// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/style_marks.h"

#include "core/random.h"
#include "jump/jump_state.h"

namespace {

// Reseeded from the clock on every call: within one second the judges repeat themselves.
void drawStyleMarks(Jump& j, Random& random, const float range[2]) {
    random.seedFromClock();
    for (int i = 0; i < 5; ++i)
        j.styleMarks[i] = drawFromRange(random, range);
}

} // namespace

void awardGoodMarks(Jump& j, Random& random) {
    drawStyleMarks(j, random, j.goodMarkRange);
}

void awardFallMarks(Jump& j, Random& random) {
    drawStyleMarks(j, random, j.fallMarkRange);
}
