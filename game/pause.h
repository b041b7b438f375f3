// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The pause: the 3-D scene's clock stops and the picture stays, under a dimmed layer.
#pragma once

struct Game;

// P or Start: stops the scene's clock, or lets it go on from exactly where it stopped. Only
// while the 3-D scene is shown.
void togglePause(Game& g);
