// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's life: start-up, the window procedure and the main loop.
#pragma once
#include <cstdint>

#include "platform/platform.h"

extern uint8_t quitRequested;
extern uint8_t startScreenActive;
extern uint8_t startButtonSelected;
extern uint8_t quitButtonSelected;
// The window was closed: its context is gone and the game no longer moves on.
extern bool windowClosed;
// The 3-D scene is on screen: no start screen, and the window still open.
bool sceneShown();

// Viewport and projection for a client size (height 0 taken as 1).
void resizeViewport(int width, int height);

// Handles one message exactly as the window procedure of the game window does.
void mainWindowProc(const PlatformMessage& msg);

// One step with its message, then one frame, as the main loop does when one step is due.
// Returns false when the step took the quit message and the loop must end.
bool mainLoopPass(const PlatformMessage* msg);

// Start-up and the fixed-step main loop; returns the exit code.
int runGame();
// Plays a replay file with the current settings, a step a frame as fast as frames come,
// then prints frames, seconds, frames a second, distance and points. Returns the exit code
// (1 for a file that cannot be played, with the reason on standard error).
int runTimeDemo(const char* path);

// Start-screen and quit flags back to their load values.
void loadShellState();
