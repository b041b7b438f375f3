// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The two GLU quadrics of a scene set-up: the scenery's and the jumper's.
#pragma once
#include "render/gl.h"

// GL objects of the one context, made at scene set-up; shared by the drawing like its fonts.
extern GLUquadric* sceneryQuadric;
extern GLUquadric* figureQuadric;

// A filled, smoothly lit quadric, or nullptr.
GLUquadric* newQuadric();
