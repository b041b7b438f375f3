// The game window's life: start-up, the window procedure and the main loop.
#pragma once
#include <cstdint>

#include "platform/platform.h"

extern uint8_t quitRequested;
extern uint8_t startScreenActive;
extern uint8_t startButtonSelected;
extern uint8_t quitButtonSelected;

// Viewport and projection for a client size (height 0 taken as 1).
void resizeViewport(int width, int height);

// Handles one message exactly as the window procedure of the game window does.
void mainWindowProc(const PlatformMessage& msg);

// One pass of the main loop for an already retrieved message (or none). Returns false
// when the pass retrieved the quit message and the loop must end.
bool mainLoopPass(const PlatformMessage* msg);

// Start-up and the paced main loop; returns the exit code.
int runGame();

// Start-screen and quit flags back to their load values (tests).
void loadShellState();
