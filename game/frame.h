// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// One complete picture per main-loop pass: the start screen or the 3-D scene.
#pragma once

struct Game;

// Sets up a new scene's graphics first when a step asked for them.
void drawFrame(Game& g);
void drawStartScreen(const Game& g);
void drawScene(const Game& g);
void panelQuad();

// Profiling (the frame benchmark): when set, called after each step of the 3-D frame with the
// step's name. It sees the drawing only, never the game's state.
extern void (*sceneStepProbe)(const char* step);
