// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The articulated jumper and its shadow, drawn in the pose the last step left.
#pragma once

#include "core/settings.h"
#include "jump/jump_state.h"

void drawJumper(const Jump& j, const Settings& s);
void drawJumperShadow(const Jump& j, const Settings& s);

// Grey of the shadow by season and lighting; an unknown lighting mode gets the day grey.
float shadowGrey(const Settings& s);
