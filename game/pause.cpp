// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/pause.h"

#include "game/game.h"

void togglePause(Game& g) {
    if (g.mode.screen == Screen::Start) return;
    g.mode.paused = !g.mode.paused;
}
