// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Every jump is recorded from its start to the standstill; R plays it again, T plays the
// hill's record jump. A replay moves the scene exactly as the jump did, then gives the
// live game back exactly as it was.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "camera/views.h"
#include "game/replay_file.h"
#include "jump/jump_state.h"
#include "venue/animation.h"

struct Game;

// The live game a replay returns to.
struct LiveGame {
    Jump jump;
    Camera camera;
    VenueAnimation venue;
    unsigned randomState = 1;
    std::function<unsigned()> seedSource;
    int32_t speed = 0;
};

// The jump being recorded and the replay being played.
struct Replay {
    enum class Recorder { Idle, Recording, Ended } recorder = Recorder::Idle;
    Recording current;
    bool currentIsRecord = false;
    int stepsAfterStop = -1;
    float lastZ = 0;

    bool playing = false;
    LiveGame live;
    Recording shown;
    uint32_t shownStep = 0;
    size_t nextCommand = 0, nextSeed = 0;
    bool slow = false, slowSkips = false;
    // Where the player's mouse went while the replay played.
    bool liveCursorMoved = false;
    int liveCursorX = 0, liveCursorY = 0;
};

// --- Recording (the live game) ---
// The start of a scene step: a recording counts it.
void recordSceneStep(Game& g);
// The scene step is about to store a new record: the recording is kept first, now and at its
// end. If it cannot be, the hill's older replay is removed, so the two never disagree.
void recordNewRecord(Game& g);
// The record could not be stored after all: the replay just kept for it goes again.
void recordNotStored(Game& g);
// After a live scene step: half a second after the jumper stops going forward on the
// out-run (he rocks there without end), the recording ends.
void recordStandstill(Game& g);
// The end of a step, its message handled: a reset jump or a left scene ends the recording.
void endRecordedStep(Game& g);
// The jump recorded last (empty: none since the program start).
const Recording& lastRecording(const Game& g);
bool recordingInProgress(const Game& g);
// A recording under way ends now (the game is closing).
void finishRecording(Game& g);

// --- Playing ---
bool replayRunning(const Game& g);
// Whether slow motion is on (Space).
bool replaySlow(const Game& g);
// R: the last jump again, once it has ended and the jumper stands on the ground.
bool replayLastJump(Game& g);
// T: the hill's record jump, at the gate or after a landing. On a fault says why on
// standard error and returns false.
bool replayRecordJump(Game& g);
// Plays a recording from its start; the live game is kept to return to.
void startReplay(Game& g, const Recording& recording);
// One game step of the replay: a scene step (every other game step in slow motion), and
// the end after the last.
void stepReplay(Game& g, uint8_t cameraKeys);
void toggleReplaySlow(Game& g);
// Back to the live game exactly as it was, but for the cursor, which the player moved on.
void endReplay(Game& g);
// A mouse move during a replay: the live jump's cursor, taken up when the replay ends.
void followLiveCursor(Game& g, int x, int y);

// Every command given to the live jump, told as it is given: the start of a run begins a
// recording, and a recording keeps them.
void captureCommand(Game& g, JumpCommand command, int32_t value);
// The replay's capture of the seeds the live game takes (program start).
void listenForReplay(Game& g);
