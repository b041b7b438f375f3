// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/replay.h"

#include "core/language.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "camera/views.h"
#include "core/random.h"
#include "core/saved_state.h"
#include "core/settings.h"
#include "game/app.h"
#include "game/game_step.h"
#include "game/save_notices.h"
#include "jump/jump_state.h"
#include "venue/animation.h"

namespace {

// --- Recording ---

enum class Recorder { Idle, Recording, Ended };
Recorder recorder = Recorder::Idle;
Recording current;
bool currentIsRecord = false;
// The braking jumper rocks on the out-run without end: his run has ended where he stops
// going forward, and the recording half a second after.
constexpr int kStepsAfterStop = 30;
int stepsAfterStop = -1;
float lastZ = 0;

bool playing = false;

bool storeRecordJump() {
    const char* path = replayFilePath(current.hill);
    if (!path) return false;
    const WriteResult result = writeReplayFile(path, current);
    noteSave(N_("powtórki"), path, result);
    return result.ok();
}

// The hill's replay when it is not the jump of the record on file: T must say there is
// none rather than play another.
void removeReplayOf(int32_t hill) {
    const char* path = replayFilePath(hill);
    if (!path) return;
    if (unlink(path) == 0)
        std::fprintf(stderr, "orbel: %s removed: it is not the record's jump\n", path);
    else if (errno != ENOENT)
        std::fprintf(stderr, "orbel: %s is not the record's jump and cannot be removed: %s\n", path,
                     std::strerror(errno));
}

void endRecording() {
    if (recorder != Recorder::Recording) return;
    recorder = Recorder::Ended;
    // Now the whole run; the replay kept at the landing stands if this write fails.
    if (currentIsRecord) storeRecordJump();
}

void beginRecording() {
    current = Recording{};
    current.hill = hillNumber;
    current.speed = gameSpeed;
    saveReplayStart(current.start);
    recorder = Recorder::Recording;
    currentIsRecord = false;
    stepsAfterStop = -1;
    lastZ = jumperZ;
}

void onCommand(JumpCommand command, int32_t value) {
    if (playing) return;
    if (command == JumpCommand::Start && startAllowed() && sceneShown()) beginRecording();
    if (recorder != Recorder::Recording) return;
    // The cursor followed while the scene stands still counts only where it ended.
    if (command == JumpCommand::Cursor && !current.commands.empty() &&
        current.commands.back().step == current.steps &&
        current.commands.back().command == JumpCommand::Cursor) {
        current.commands.back().value = value;
        return;
    }
    // More than a file can hold could not be played back from one.
    if (current.commands.size() >= kCommandsPerStep * (uint64_t{current.steps} + 1)) {
        endRecording();
        return;
    }
    current.commands.push_back({current.steps, command, value});
}

void onSeed(unsigned seed) {
    if (playing || recorder != Recorder::Recording) return;
    if (current.seeds.size() >= kSeedsPerStep * (uint64_t{current.steps} + 1)) {
        endRecording();
        return;
    }
    current.seeds.push_back(seed);
}

// --- Playing ---

struct LiveGame {
    std::vector<uint8_t> jump, motion, choice, venue;
    unsigned randomState = 1;
    RandomSeedSource seedSource = nullptr;
    int32_t speed = 0;
};
LiveGame live;
Recording shown;
uint32_t shownStep = 0;
size_t nextCommand = 0, nextSeed = 0;
bool slow = false, slowSkips = false;
// Where the player's mouse went while the replay played.
bool liveCursorMoved = false;
int liveCursorX = 0, liveCursorY = 0;

const StateFields* const kLiveGroups[] = {&jumpStateFields(), &cameraMotionFields(),
                                          &cameraChoiceFields(), &venueAnimationFields()};

void saveLive() {
    std::vector<uint8_t>* parts[] = {&live.jump, &live.motion, &live.choice, &live.venue};
    for (int i = 0; i < 4; ++i) {
        parts[i]->clear();
        saveState(*kLiveGroups[i], *parts[i]);
    }
    live.randomState = randomState();
    live.seedSource = randomSeedSource();
    live.speed = gameSpeed;
}

void restoreLive() {
    const std::vector<uint8_t>* parts[] = {&live.jump, &live.motion, &live.choice, &live.venue};
    for (int i = 0; i < 4; ++i)
        restoreState(*kLiveGroups[i], parts[i]->data());
    seedRandom(live.randomState);
    setRandomSeedSource(live.seedSource);
    gameSpeed = live.speed;
}

// The judges read the clock; in a replay they read the seeds they had.
unsigned replaySeed() {
    if (shown.seeds.empty()) return 0;
    const unsigned seed =
        shown.seeds[nextSeed < shown.seeds.size() ? nextSeed : shown.seeds.size() - 1];
    ++nextSeed;
    return seed;
}

void playCommands(uint32_t step) {
    while (nextCommand < shown.commands.size() && shown.commands[nextCommand].step == step) {
        giveJumpCommand(shown.commands[nextCommand].command, shown.commands[nextCommand].value);
        ++nextCommand;
    }
}

} // namespace

void recordSceneStep() {
    if (recorder != Recorder::Recording) return;
    if (current.steps == kMaxReplaySteps) {
        endRecording();
        return;
    }
    ++current.steps;
}

void recordNewRecord() {
    // At once, before the record, so the record never stands beside an older jump's replay.
    currentIsRecord = recorder == Recorder::Recording && storeRecordJump();
    if (!currentIsRecord) removeReplayOf(hillNumber);
}

void recordNotStored() {
    if (!currentIsRecord) return;
    currentIsRecord = false;
    removeReplayOf(current.hill);
}

void recordStandstill() {
    if (recorder != Recorder::Recording) return;
    if (stepsAfterStop < 0 && jumperY == groundY && atGate == 0 && jumperZ <= lastZ)
        stepsAfterStop = 0;
    lastZ = jumperZ;
    if (stepsAfterStop >= 0 && ++stepsAfterStop > kStepsAfterStop) endRecording();
}

void endRecordedStep() {
    if (recorder == Recorder::Recording && (atGate == 1 || !sceneShown())) endRecording();
}

const Recording& lastRecording() {
    return current;
}

bool recordingInProgress() {
    return recorder == Recorder::Recording;
}

void finishRecording() {
    endRecording();
}

bool replayRunning() {
    return playing;
}

bool replaySlow() {
    return slow;
}

bool replayLastJump() {
    if (playing || recorder == Recorder::Idle || !sceneShown()) return false;
    if (atGate == 1 || jumperY != groundY) return false;
    startReplay(current);
    return true;
}

bool replayRecordJump() {
    if (playing || !sceneShown()) return false;
    if (atGate != 1 && jumperY != groundY) return false;
    const char* path = replayFilePath(hillNumber);
    if (!path) return false;
    Recording recording;
    std::string why;
    if (!readReplayFile(path, hillNumber, recording, why)) {
        std::fprintf(stderr, "orbel: no record jump to play for hill %d: %s: %s\n",
                     static_cast<int>(hillNumber), path, why.c_str());
        return false;
    }
    startReplay(recording);
    return true;
}

void startReplay(const Recording& recording) {
    if (playing || recording.start.size() != replayStartSize()) return;
    saveLive();
    shown = recording;
    restoreReplayStart(shown.start);
    gameSpeed = shown.speed;
    setRandomSeedSource(replaySeed);
    playing = true;
    slow = slowSkips = false;
    liveCursorMoved = false;
    shownStep = 0;
    nextCommand = nextSeed = 0;
    playCommands(0);
    // The first frame already shows the start from the chosen view.
    placeCameraStill(airshipTravel);
}

void stepReplay() {
    if (!playing) return;
    if (slow) {
        slowSkips = !slowSkips;
        if (slowSkips) return;
    }
    if (shownStep >= shown.steps) {
        endReplay();
        return;
    }
    ++shownStep;
    advanceScene();
    playCommands(shownStep);
}

void toggleReplaySlow() {
    slow = !slow;
    slowSkips = false;
}

void endReplay() {
    if (!playing) return;
    playing = false;
    slow = false;
    restoreLive();
    if (liveCursorMoved) followCursor(liveCursorX, liveCursorY);
    liveCursorMoved = false;
}

void followLiveCursor(int x, int y) {
    liveCursorMoved = true;
    liveCursorX = x;
    liveCursorY = y;
}

void resetReplay() {
    // Nothing of a replay's game is given back: the program's start state stands.
    if (playing) setRandomSeedSource(live.seedSource);
    playing = slow = slowSkips = liveCursorMoved = false;
    recorder = Recorder::Idle;
    current = Recording{};
    currentIsRecord = false;
    stepsAfterStop = -1;
    jumpCommandListener = onCommand;
    randomSeedListener = onSeed;
}
