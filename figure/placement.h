// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the jumper is drawn: at the gate, on the hill or in the air, with his shadow.
#pragma once

#include "core/settings.h"
#include "jump/jump_state.h"

void placeFigure(const Jump& j, const Settings& s, float x, float y, float z);
void placeShadow(const Jump& j, const Settings& s, float x, float y, float z);
void drawGateFigure(const Jump& j, const Settings& s);
// The jumper off the gate where the last step left him, beyond the edge with his shadow.
void drawJumperInPlace(const Jump& j, const Settings& s);
