// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The red on-screen texts: distance, wind, record, countdown, style marks and points.
#pragma once

#include "jump/jump_state.h"

#include <cstdint>

// The total of a jump: its distance points and the five style marks beside them.
int32_t jumpTotal(const Jump& j);

// recordDistance: the hill's record as the game last read it.
void drawJumpHud(const Jump& j, int32_t recordDistance);
void drawScoreBoard(const Jump& j);
