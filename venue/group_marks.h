// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Venue groups announce themselves: a count per group of how often it was drawn (tests,
// profiling), and a glPassThrough mark so a feedback buffer can be split per group.
// Outside feedback mode the mark is one no-op call.
#pragma once
#include "render/gl.h"

enum GroupMark {
    MARK_GROUP_END = 0,
    MARK_INRUN_MARKERS = 1,
    MARK_START_BAR,
    MARK_CHAIRLIFT,
    MARK_SEATING_BLOCKS,
    MARK_STANDS,
    MARK_SAFETY_NET,
    MARK_FLOODLIGHT_MAST,
    MARK_COUNT
};

// Times each group was drawn since the program started; never reset by the game.
inline unsigned long groupDrawCount[MARK_COUNT] = {};

inline void beginGroupMark(GroupMark mark) {
    ++groupDrawCount[mark];
    glPassThrough(static_cast<GLfloat>(mark));
}
inline void endGroupMark() {
    glPassThrough(static_cast<GLfloat>(MARK_GROUP_END));
}
