// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Every jump is recorded from its start to the standstill; R plays it again, T plays the
// hill's record jump. A replay moves the scene exactly as the jump did, then gives the
// live game back exactly as it was.
#pragma once
#include <cstdint>
#include <string>

#include "game/replay_file.h"

// --- Recording (the live game) ---
// The start of a scene step: a recording counts it.
void recordSceneStep();
// The scene step is about to store a new record: the recording is kept first, now and at its
// end. If it cannot be, the hill's older replay is removed, so the two never disagree.
void recordNewRecord();
// The record could not be stored after all: the replay just kept for it goes again.
void recordNotStored();
// After a live scene step: half a second after the jumper stops going forward on the
// out-run (he rocks there without end), the recording ends.
void recordStandstill();
// The end of a step, its message handled: a reset jump or a left scene ends the recording.
void endRecordedStep();
// The jump recorded last (empty: none since the program start).
const Recording& lastRecording();
bool recordingInProgress();
// A recording under way ends now (the game is closing).
void finishRecording();

// --- Playing ---
bool replayRunning();
// Whether slow motion is on (Space).
bool replaySlow();
// R: the last jump again, once it has ended and the jumper stands on the ground.
bool replayLastJump();
// T: the hill's record jump, at the gate or after a landing. On a fault says why on
// standard error and returns false.
bool replayRecordJump();
// Plays a recording from its start; the live game is kept to return to.
void startReplay(const Recording& recording);
// One game step of the replay: a scene step (every other game step in slow motion), and
// the end after the last.
void stepReplay();
void toggleReplaySlow();
// Back to the live game exactly as it was, but for the cursor, which the player moved on.
void endReplay();
// A mouse move during a replay: the live jump's cursor, taken up when the replay ends.
void followLiveCursor(int x, int y);

// Nothing recorded, nothing playing (program start).
void resetReplay();
