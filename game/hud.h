// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The red on-screen texts: distance, wind, record, countdown, style marks and points.
#pragma once

void drawJumpHud();
void drawScoreBoard();
