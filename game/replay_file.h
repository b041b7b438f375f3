// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A jump as it was played, and the replay file that keeps a record jump: where the jump
// started and every command given to the jumper, step by step.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "camera/views.h"
#include "jump/controls.h"
#include "venue/animation.h"

struct ReplayCommand {
    uint32_t step; // scene steps after the start (0: the start's own step)
    JumpCommand command;
    int32_t value;
};

struct Recording {
    int32_t hill = 0, speed = 0;
    // The jump, the cameras' motion and the venue as they stood just before the start.
    std::vector<uint8_t> start;
    std::vector<ReplayCommand> commands;
    // The seeds the judges took, in order (they read the clock).
    std::vector<uint32_t> seeds;
    uint32_t steps = 0;
};

// Two minutes of steps: the longest jump on the slowest speed stands still well before.
constexpr uint32_t kMaxReplaySteps = 7200;
constexpr uint16_t kReplayVersion = 1;
// A step holds at most a stick lean, a click's start and take-off, or a mouse move, and
// the cursor where a stop (pause, help) left it; and two figure steps, each of which may
// call the judges.
constexpr uint64_t kCommandsPerStep = 4, kSeedsPerStep = 2;

// Bytes of a recording's start: the jump, the cameras' motion and the venue.
size_t replayStartSize();
// Saves the current values as a recording's start, or puts them back.
void saveReplayStart(Jump& jump, CameraMotion& motion, VenueAnimation& venue,
                     std::vector<uint8_t>& out);
void restoreReplayStart(Jump& jump, CameraMotion& motion, VenueAnimation& venue,
                        const std::vector<uint8_t>& start);

// Path of a hill's record jump, or nullptr for a hill outside 1..3.
const char* replayFilePath(int32_t hill);

// The file's bytes: magic, version, hill, speed, length, counts, start, commands, seeds,
// then a CRC-32 of all before it; numbers little-endian.
std::vector<uint8_t> encodeReplay(const Recording& recording);
// Reads bytes back. On any fault returns false with a one-line reason. wantHill 0 takes
// any hill.
bool decodeReplay(const std::vector<uint8_t>& bytes, int32_t wantHill, Recording& recording,
                  std::string& why);

// The file (written atomically) and back.
WriteResult writeReplayFile(const char* path, const Recording& recording);
bool readReplayFile(const char* path, int32_t wantHill, Recording& recording, std::string& why);
// Temporary files a stopped write left beside the record jumps (start-up).
void removeReplayLeftovers();
