// Venue groups announce themselves in the GL command stream with glPassThrough, so a
// feedback buffer (tests, profiling) can be split per group. Outside feedback mode the
// marks cost one no-op call each.
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
};

inline void beginGroupMark(GroupMark mark) {
    glPassThrough(static_cast<GLfloat>(mark));
}
inline void endGroupMark() {
    glPassThrough(static_cast<GLfloat>(MARK_GROUP_END));
}
