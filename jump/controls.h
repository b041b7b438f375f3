// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's commands to the jumper: start, take-off, landing stance and steering. Each
// is told to the course's listener, whether it acts or not.
#pragma once
#include <cstdint>

#include "jump/jump_state.h"

// The run starts while the start light is green.
void startCommand(Jump& j, const Course& c);
// The take-off, inside the hill's take-off window during the run.
void takeoffCommand(Jump& j, const Course& c);
// The landing stance, inside the hill's landing window in the air.
void landingCommand(Jump& j, const Course& c);
// A mouse move: remembers the cursor, and after the extension leans the flight.
void steerFlight(Jump& j, const Course& c, int x, int y);
// A mouse move while the jump stands still (paused, help, a replay over it): remembers the
// cursor only, so the next move leans by what it moved since.
void followCursor(Jump& j, const Course& c, int x, int y);
// One lean step of the flight after the extension: forward for a move down (dy > 0), back
// for a move up (dy < 0), as one mouse move does whatever its length.
void leanFlight(Jump& j, const Course& c, int32_t dy);
// The confirm key prepares a new jump in exactly one case: a run-out countdown at the
// gate, or a jumper standing after a jump.
bool confirmResetsJump(const Jump& j);

// Gives a command again exactly as it was told to the listener.
void giveJumpCommand(Jump& j, const Course& c, JumpCommand command, int32_t value);
// The start light is green: a start command now starts the run.
bool startAllowed(const Jump& j);
