// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's keys, characters and mouse buttons, handled between steps.
#pragma once
#include "camera/views.h"
#include "platform/platform.h"

void handleJumpKey(int key);
void handleJumpChar(int ch);
void handleJumpLeftClick();
void handleJumpRightClick();
void handleJumpMouseMove(int x, int y);

// A new jump from the gate, with the camera's moving values back at their start.
void resetJumpAndCamera();

// The window's messages as the game window takes them: F11, the pause and what acts while
// paused, and the game controller's buttons as the mouse button or key each stands for.
void handleGameKey(int key);
void handleGameChar(int ch);
void handlePadButton(int button);
// The mouse as the game window takes it: no click acts while paused or helped; a click ends
// a replay, and right clicks do nothing in one. A move always sets the cursor (the live
// one under a replay), and leans only in the running jump.
void handleGameLeftClick();
void handleGameRightClick();
void handleGameMouseMove(int x, int y);

// One step of the left stick: up and down lean the flight as the mouse does, a full push
// as fast as one mouse move every step.
void leanWithStick(float stickY);
// What the stick has leaned short of a whole step, back to nothing (program start).
void resetStickLean();
// The free camera's keys as the keyboard holds them now.
CameraKeys heldCameraKeys();
