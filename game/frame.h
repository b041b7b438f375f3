// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// One complete picture per main-loop pass: the start screen or the 3-D scene.
#pragma once

void drawFrame();
void drawStartScreen();
void drawScene();
void panelQuad();

// Profiling: when set, called after each step of the 3-D frame with the step's name.
extern void (*sceneStepProbe)(const char* step);
