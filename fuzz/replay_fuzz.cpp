// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a replay file: the reader refuses them with a reason or takes them, never
// reading out of bounds or allocating without bound. What it takes is a file the game
// itself would write: encoding it again gives the same bytes, and its values are ones a
// jump can have.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "game/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    Recording recording;
    std::string why;
    if (!decodeReplay(bytes, 0, recording, why)) {
        FUZZ_CHECK(!why.empty() && why.find('\n') == std::string::npos);
        return 0;
    }
    FUZZ_CHECK(encodeReplay(recording) == bytes);
    FUZZ_CHECK(recording.hill >= 1 && recording.hill <= 3);
    FUZZ_CHECK(recording.steps <= kMaxReplaySteps);
    FUZZ_CHECK(recording.start.size() == replayStartSize());
    for (const ReplayCommand& c : recording.commands)
        FUZZ_CHECK(c.step <= recording.steps);
    // Another hill's file is refused by name.
    Recording other;
    const int32_t otherHill = recording.hill % 3 + 1;
    FUZZ_CHECK(!decodeReplay(bytes, otherHill, other, why));
    FUZZ_CHECK(why.find("hill") != std::string::npos);
    return 0;
}
