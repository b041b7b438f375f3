// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The figure state step: crouch, take-off extension, landing stance, fall, slope pitch.
#pragma once

enum FigureKind { FIGURE_JUMPER, FIGURE_SHADOW };

// Arm offset of the drawing in progress (0 at the start of every step).
extern float armSwing;

void stepFigureState(FigureKind figure);
