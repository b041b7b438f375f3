// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/style_marks.h"

#include "core/random.h"
#include "jump/jump_state.h"

namespace {

// Reseeded from the clock on every call: within one second the judges repeat themselves.
void drawStyleMarks(const float range[2]) {
    seedRandomFromClock();
    for (int i = 0; i < 5; ++i)
        styleMarks[i] = drawFromRange(range);
}

} // namespace

void awardGoodMarks() {
    drawStyleMarks(goodMarkRange);
}

void awardFallMarks() {
    drawStyleMarks(fallMarkRange);
}
