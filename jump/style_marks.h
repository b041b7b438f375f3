// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The five judges' style marks of a landing stance or a fall.
#pragma once

#include "jump/jump_state.h"

void awardGoodMarks(Jump& j, Random& random);
void awardFallMarks(Jump& j, Random& random);
