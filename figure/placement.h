// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the jumper is drawn: at the gate, on the hill or in the air, with his shadow.
#pragma once

void placeFigure(float x, float y, float z);
void placeShadow(float x, float y, float z);
void drawGateFigure();
// The jumper off the gate where the last step left him, beyond the edge with his shadow.
void drawJumperInPlace();
