// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The figure state step: crouch, take-off extension, landing stance, fall, slope pitch.
#pragma once

#include "jump/jump_state.h"

enum FigureKind { FIGURE_JUMPER, FIGURE_SHADOW };

void stepFigureState(Jump& j, const Course& c, FigureKind figure);
