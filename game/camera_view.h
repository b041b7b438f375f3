// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The camera's shot put into GL: the drawing side of camera/views.h.
#pragma once

struct Camera;

// The last shot multiplied onto the current model-view matrix.
void applyCameraView(const Camera& c);
