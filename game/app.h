// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's life: start-up, the window's own messages and the main loop. The loop's
// step and frame are the functions below; tests drive the very same ones.
#pragma once

#include "game/game_step.h"
#include "platform/platform.h"

struct Game;

// Viewport and projection for a client size (height 0 taken as 1).
void resizeViewport(int width, int height);

// The window's own messages, taken by the app before the step: a new size (viewport and
// projection), the close (the context goes, the game stops moving on, the loop is told to
// end) and F11 (full screen). True when the message was one of these.
bool takeWindowMessage(Game& g, const PlatformMessage& msg);
// What the step takes: the message left after the app's own, and the stick and the free
// camera's keys as they are now.
StepInput buildStepInput(const PlatformMessage* msg);

// One step of the main loop: the app's messages, the game step, then the sound following
// what the step left. False when the loop must end (the quit message, or a quit asked for).
bool loopStep(Game& g, const PlatformMessage* msg);
// One frame of the main loop, drawn and presented; nothing once the window has closed.
void loopFrame(Game& g);
// A step, then a frame, as the loop does when one step is due. When the loop ends the
// figure's quadric goes, as at the end of the game.
bool mainLoopPass(Game& g, const PlatformMessage* msg);

// Start-up and the fixed-step main loop; returns the exit code.
int runGame();
// Plays a replay file with the current settings, a step a frame as fast as frames come,
// then prints frames, seconds, frames a second, distance and points. Returns the exit code
// (1 for a file that cannot be played, with the reason on standard error).
int runTimeDemo(const char* path);
