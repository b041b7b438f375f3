// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorded play-through with steps alone: no window, no frames.
#include "playthrough.h"

TEST(PlayThroughWithoutFrames, Hill1DayWinterSnowChairlift) {
    runScript({1, 3, 0, 6, 2, 2, false});
}

TEST(PlayThroughWithoutFrames, Hill2NightRainTownFreeCamera) {
    runScript({2, 4, 0, 8, 2, 3, true});
}

TEST(PlayThroughWithoutFrames, Hill3NightSummerFastSpeed) {
    runScript({3, 4, 1, 8, 3, 3, false});
}
