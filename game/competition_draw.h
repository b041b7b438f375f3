// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What a competition shows: the K panel, the starter and his result, and the boards.
#pragma once

struct Game;

// The K panel over the start screen, when open.
void drawContestPanel(const Game& g);
// Over the scene: the starter on the hill and his result, or a board.
void drawCompetition(const Game& g);
// "K – konkurs" on the start screen.
void drawContestKey();
