// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/pause.h"

#include "game/app.h"

bool gamePaused;

void togglePause() {
    if (startScreenActive == 1) return;
    gamePaused = !gamePaused;
}
