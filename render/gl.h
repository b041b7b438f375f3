// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed-function OpenGL 1.1 and GLU, as the whole game uses them.
#pragma once
#include <GL/gl.h>
#include <GL/glu.h>
