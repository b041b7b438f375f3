// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's keys, characters and mouse buttons, handled in the step after the scene.
#pragma once
#include "platform/platform.h"

struct Game;

// One message as the game takes it (the app has already taken size, close and F11).
void handleGameMessage(Game& g, const PlatformMessage& msg);

void handleJumpKey(Game& g, int key);
void handleJumpChar(Game& g, int ch);
void handleJumpLeftClick(Game& g);
void handleJumpRightClick(Game& g);
void handleJumpMouseMove(Game& g, int x, int y);

// A new jump from the gate, with the camera's moving values back at their start.
void resetJumpAndCamera(Game& g);

// The window's messages as the game window takes them: the pause and what acts while
// paused, and the game controller's buttons as the mouse button or key each stands for.
void handleGameKey(Game& g, int key);
void handleGameChar(Game& g, int ch);
void handlePadButton(Game& g, int button);
// The mouse as the game window takes it: no click acts while paused or helped; a click ends
// a replay, and right clicks do nothing in one. A move always sets the cursor (the live
// one under a replay), and leans only in the running jump.
void handleGameLeftClick(Game& g);
void handleGameRightClick(Game& g);
void handleGameMouseMove(Game& g, int x, int y);

// One step of the left stick: up and down lean the flight as the mouse does, a full push
// as fast as one mouse move every step.
void leanWithStick(Game& g, float stickY);
