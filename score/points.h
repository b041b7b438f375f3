// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A jump's points, as the score board shows them.
#pragma once

#include <cstdint>

#include "jump/jump_state.h"

// The total of a jump: its distance points and the five style marks beside them.
int32_t jumpTotal(const Jump& j);
