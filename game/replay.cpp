// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/replay.h"

#include "core/language.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "camera/views.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/game_step.h"
#include "game/save_notices.h"
#include "jump/controls.h"

namespace {

// The braking jumper rocks on the out-run without end: his run has ended where he stops
// going forward, and the recording half a second after.
constexpr int kStepsAfterStop = 30;

using Recorder = Replay::Recorder;

bool storeRecordJump(Game& g) {
    const char* path = replayFilePath(g.replay.current.hill);
    if (!path) return false;
    const WriteResult result = writeReplayFile(path, g.replay.current);
    noteSave(g, N_("powtórki"), path, result);
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

void endRecording(Game& g) {
    Replay& r = g.replay;
    if (r.recorder != Recorder::Recording) return;
    r.recorder = Recorder::Ended;
    // Now the whole run; the replay kept at the landing stands if this write fails.
    if (r.currentIsRecord) storeRecordJump(g);
}

void beginRecording(Game& g) {
    Replay& r = g.replay;
    r.current = Recording{};
    r.current.hill = g.settings.hillNumber;
    r.current.speed = g.settings.gameSpeed;
    saveReplayStart(g.jump, g.camera, g.venue, r.current.start);
    r.recorder = Recorder::Recording;
    r.currentIsRecord = false;
    r.stepsAfterStop = -1;
    r.lastZ = g.jump.jumperZ;
}

} // namespace

void captureCommand(Game& g, JumpCommand command, int32_t value) {
    Replay& r = g.replay;
    if (r.playing) return;
    if (command == JumpCommand::Start && startAllowed(g.jump) && sceneShown(g)) beginRecording(g);
    if (r.recorder != Recorder::Recording) return;
    std::vector<ReplayCommand>& commands = r.current.commands;
    // The cursor followed while the scene stands still counts only where it ended.
    if (command == JumpCommand::Cursor && !commands.empty() &&
        commands.back().step == r.current.steps && commands.back().command == JumpCommand::Cursor) {
        commands.back().value = value;
        return;
    }
    // More than a file can hold could not be played back from one.
    if (commands.size() >= kCommandsPerStep * (uint64_t{r.current.steps} + 1)) {
        endRecording(g);
        return;
    }
    commands.push_back({r.current.steps, command, value});
}

namespace {

void onSeed(Game& g, unsigned seed) {
    Replay& r = g.replay;
    if (r.playing || r.recorder != Recorder::Recording) return;
    if (r.current.seeds.size() >= kSeedsPerStep * (uint64_t{r.current.steps} + 1)) {
        endRecording(g);
        return;
    }
    r.current.seeds.push_back(seed);
}

// --- Playing ---

void saveLive(Game& g) {
    LiveGame& live = g.replay.live;
    live.jump = g.jump;
    live.camera = g.camera;
    live.venue = g.venue;
    live.randomState = g.random.state;
    live.seedSource = g.random.seedSource;
    live.speed = g.settings.gameSpeed;
}

void restoreLive(Game& g) {
    const LiveGame& live = g.replay.live;
    g.jump = live.jump;
    g.camera = live.camera;
    g.venue = live.venue;
    g.random.seed(live.randomState);
    g.random.seedSource = live.seedSource;
    g.settings.gameSpeed = live.speed;
}

// The judges read the clock; in a replay they read the seeds they had.
unsigned replaySeed(Replay& r) {
    const std::vector<uint32_t>& seeds = r.shown.seeds;
    if (seeds.empty()) return 0;
    const unsigned seed = seeds[r.nextSeed < seeds.size() ? r.nextSeed : seeds.size() - 1];
    ++r.nextSeed;
    return seed;
}

void playCommands(Game& g, uint32_t step) {
    Replay& r = g.replay;
    const Course course = liveCourse(g);
    while (r.nextCommand < r.shown.commands.size() &&
           r.shown.commands[r.nextCommand].step == step) {
        const ReplayCommand& c = r.shown.commands[r.nextCommand];
        giveJumpCommand(g.jump, course, c.command, c.value);
        ++r.nextCommand;
    }
}

} // namespace

void recordSceneStep(Game& g) {
    Replay& r = g.replay;
    if (r.recorder != Recorder::Recording) return;
    if (r.current.steps == kMaxReplaySteps) {
        endRecording(g);
        return;
    }
    ++r.current.steps;
}

void recordNewRecord(Game& g) {
    Replay& r = g.replay;
    // At once, before the record, so the record never stands beside an older jump's replay.
    r.currentIsRecord = r.recorder == Recorder::Recording && storeRecordJump(g);
    if (!r.currentIsRecord) removeReplayOf(g.settings.hillNumber);
}

void recordNotStored(Game& g) {
    Replay& r = g.replay;
    if (!r.currentIsRecord) return;
    r.currentIsRecord = false;
    removeReplayOf(r.current.hill);
}

void recordStandstill(Game& g) {
    Replay& r = g.replay;
    const Jump& j = g.jump;
    if (r.recorder != Recorder::Recording) return;
    if (r.stepsAfterStop < 0 && j.jumperY == j.groundY && j.atGate == 0 && j.jumperZ <= r.lastZ)
        r.stepsAfterStop = 0;
    r.lastZ = j.jumperZ;
    if (r.stepsAfterStop >= 0 && ++r.stepsAfterStop > kStepsAfterStop) endRecording(g);
}

void endRecordedStep(Game& g) {
    if (g.replay.recorder == Recorder::Recording && (g.jump.atGate == 1 || !sceneShown(g)))
        endRecording(g);
}

const Recording& lastRecording(const Game& g) {
    return g.replay.current;
}

bool recordingInProgress(const Game& g) {
    return g.replay.recorder == Recorder::Recording;
}

void finishRecording(Game& g) {
    endRecording(g);
}

bool replayRunning(const Game& g) {
    return g.replay.playing;
}

bool replaySlow(const Game& g) {
    return g.replay.slow;
}

bool replayLastJump(Game& g) {
    const Replay& r = g.replay;
    if (r.playing || r.recorder == Recorder::Idle || !sceneShown(g)) return false;
    if (g.jump.atGate == 1 || g.jump.jumperY != g.jump.groundY) return false;
    const Recording recording = r.current;
    startReplay(g, recording);
    return true;
}

bool replayRecordJump(Game& g) {
    if (g.replay.playing || !sceneShown(g)) return false;
    if (g.jump.atGate != 1 && g.jump.jumperY != g.jump.groundY) return false;
    const char* path = replayFilePath(g.settings.hillNumber);
    if (!path) return false;
    Recording recording;
    std::string why;
    if (!readReplayFile(path, g.settings.hillNumber, recording, why)) {
        std::fprintf(stderr, "orbel: no record jump to play for hill %d: %s: %s\n",
                     static_cast<int>(g.settings.hillNumber), path, why.c_str());
        return false;
    }
    startReplay(g, recording);
    return true;
}

void startReplay(Game& g, const Recording& recording) {
    Replay& r = g.replay;
    if (r.playing || recording.start.size() != replayStartSize()) return;
    saveLive(g);
    r.shown = recording;
    restoreReplayStart(g.jump, g.camera, g.venue, r.shown.start);
    g.settings.gameSpeed = r.shown.speed;
    g.random.seedSource = [&r] { return replaySeed(r); };
    r.playing = true;
    r.slow = r.slowSkips = false;
    r.liveCursorMoved = false;
    r.shownStep = 0;
    r.nextCommand = r.nextSeed = 0;
    playCommands(g, 0);
    // The first frame already shows the start from the chosen view.
    placeCameraStill(g.camera, g.jump, g.settings, g.venue.airshipTravel);
}

void stepReplay(Game& g, uint8_t cameraKeys) {
    Replay& r = g.replay;
    if (!r.playing) return;
    if (r.slow) {
        r.slowSkips = !r.slowSkips;
        if (r.slowSkips) return;
    }
    if (r.shownStep >= r.shown.steps) {
        endReplay(g);
        return;
    }
    ++r.shownStep;
    advanceScene(g, cameraKeys);
    playCommands(g, r.shownStep);
}

void toggleReplaySlow(Game& g) {
    g.replay.slow = !g.replay.slow;
    g.replay.slowSkips = false;
}

void endReplay(Game& g) {
    Replay& r = g.replay;
    if (!r.playing) return;
    r.playing = false;
    r.slow = false;
    restoreLive(g);
    if (r.liveCursorMoved) followCursor(g.jump, liveCourse(g), r.liveCursorX, r.liveCursorY);
    r.liveCursorMoved = false;
}

void followLiveCursor(Game& g, int x, int y) {
    g.replay.liveCursorMoved = true;
    g.replay.liveCursorX = x;
    g.replay.liveCursorY = y;
}

void listenForReplay(Game& g) {
    g.random.seedListener = [&g](unsigned seed) { onSeed(g, seed); };
}
