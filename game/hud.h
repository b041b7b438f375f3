// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The red on-screen texts: distance, wind, record, countdown, style marks and points.
#pragma once

#include <cstdint>

#include "jump/jump_state.h"

// recordDistance: the hill's record as the game last read it.
void drawJumpHud(const Jump& j, int32_t recordDistance);
void drawScoreBoard(const Jump& j);
