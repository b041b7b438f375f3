// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's commands to the jumper: start, take-off, landing stance and steering.
#pragma once
#include <cstdint>

// The run starts while the start light is green.
void startCommand();
// The take-off, inside the hill's take-off window during the run.
void takeoffCommand();
// The landing stance, inside the hill's landing window in the air.
void landingCommand();
// A mouse move: remembers the cursor, and after the extension leans the flight.
void steerFlight(int x, int y);
// A mouse move while the jump stands still (paused, help, a replay over it): remembers the
// cursor only, so the next move leans by what it moved since.
void followCursor(int x, int y);
// One lean step of the flight after the extension: forward for a move down (dy > 0), back
// for a move up (dy < 0), as one mouse move does whatever its length.
void leanFlight(int32_t dy);
// The confirm key prepares a new jump in exactly one case: a run-out countdown at the
// gate, or a jumper standing after a jump.
bool confirmResetsJump();

// Every command as the player gives it, whether it acts or not, for the replay: a mouse
// move as its cursor position (x in the low 16 bits, y in the high), a lean as its
// direction (-1, 0, 1), a cursor followed without a lean as its position.
enum class JumpCommand : uint8_t { Start, Takeoff, Landing, Steer, Lean, Cursor };
extern void (*jumpCommandListener)(JumpCommand command, int32_t value);
// Gives a command again exactly as it was told to the listener.
void giveJumpCommand(JumpCommand command, int32_t value);
// The start light is green: a start command now starts the run.
bool startAllowed();
