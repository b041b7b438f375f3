// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/replay_file.h"

#include <cstring>
#include <unistd.h>

#include "camera/views.h"
#include "core/file_io.h"
#include "core/saved_state.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "venue/animation.h"

namespace {

const char kMagic[4] = {'V', 'M', 'R', 'P'};
constexpr size_t kHeaderBytes = 24, kCommandBytes = 8, kSeedRunBytes = 8, kChecksumBytes = 4;

// Where a recording starts: the jump, the cameras' motion and the venue, in this order.
struct StartValues {
    Jump& jump;
    CameraMotion& motion;
    VenueAnimation& venue;
    std::vector<StateFields> groups() const {
        return {fieldsOf(jump), fieldsOf(motion), fieldsOf(venue)};
    }
};

uint32_t crc32(const uint8_t* data, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

uint16_t getU16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

// The seeds as runs of one value, as the clock gives the same second many times.
std::vector<std::pair<uint32_t, uint32_t>> seedRuns(const std::vector<uint32_t>& seeds) {
    std::vector<std::pair<uint32_t, uint32_t>> runs;
    for (uint32_t seed : seeds) {
        if (!runs.empty() && runs.back().first == seed)
            ++runs.back().second;
        else
            runs.push_back({seed, 1});
    }
    return runs;
}

bool commandValueSound(JumpCommand command, int32_t value) {
    switch (command) {
    case JumpCommand::Steer:
    case JumpCommand::Cursor:
        return true;
    case JumpCommand::Lean:
        return value >= -1 && value <= 1;
    default:
        return value == 0;
    }
}

bool fail(std::string& why, const std::string& reason) {
    why = reason;
    return false;
}

} // namespace

size_t replayStartSize() {
    Jump jump;
    CameraMotion motion;
    VenueAnimation venue;
    size_t size = 0;
    for (const StateFields& group : StartValues{jump, motion, venue}.groups())
        size += stateSize(group);
    return size;
}

void saveReplayStart(Jump& jump, CameraMotion& motion, VenueAnimation& venue,
                     std::vector<uint8_t>& out) {
    out.clear();
    for (const StateFields& group : StartValues{jump, motion, venue}.groups())
        saveState(group, out);
}

void restoreReplayStart(Jump& jump, CameraMotion& motion, VenueAnimation& venue,
                        const std::vector<uint8_t>& start) {
    if (start.size() != replayStartSize()) return;
    const uint8_t* p = start.data();
    for (const StateFields& group : StartValues{jump, motion, venue}.groups())
        p += restoreState(group, p);
}

const char* replayFilePath(int32_t hill) {
    static const char* const kPaths[3] = {"Data/replay1.dat", "Data/replay2.dat",
                                          "Data/replay3.dat"};
    return knownHill(hill) ? kPaths[hill - 1] : nullptr;
}

std::vector<uint8_t> encodeReplay(const Recording& recording) {
    const auto runs = seedRuns(recording.seeds);
    std::vector<uint8_t> out(kMagic, kMagic + 4);
    putU16(out, kReplayVersion);
    out.push_back(static_cast<uint8_t>(recording.hill));
    out.push_back(static_cast<uint8_t>(recording.speed));
    putU32(out, recording.steps);
    putU32(out, static_cast<uint32_t>(recording.start.size()));
    putU32(out, static_cast<uint32_t>(recording.commands.size()));
    putU32(out, static_cast<uint32_t>(runs.size()));
    out.insert(out.end(), recording.start.begin(), recording.start.end());
    for (const ReplayCommand& c : recording.commands) {
        putU16(out, static_cast<uint16_t>(c.step));
        out.push_back(static_cast<uint8_t>(c.command));
        out.push_back(0);
        putU32(out, static_cast<uint32_t>(c.value));
    }
    for (const auto& [seed, count] : runs) {
        putU32(out, seed);
        putU32(out, count);
    }
    putU32(out, crc32(out.data(), out.size()));
    return out;
}

bool decodeReplay(const std::vector<uint8_t>& bytes, int32_t wantHill, Recording& recording,
                  std::string& why) {
    const uint8_t* b = bytes.data();
    const size_t size = bytes.size();
    if (size < kHeaderBytes + kChecksumBytes)
        return fail(why, "too short for a replay (" + std::to_string(size) + " bytes)");
    if (std::memcmp(b, kMagic, 4) != 0) return fail(why, "not a replay file");
    const uint16_t version = getU16(b + 4);
    if (version != kReplayVersion)
        return fail(why, "replay version " + std::to_string(version) + ", this game reads " +
                             std::to_string(kReplayVersion));
    const int32_t hill = b[6], speed = b[7];
    const uint32_t steps = getU32(b + 8), startBytes = getU32(b + 12);
    const uint32_t commandCount = getU32(b + 16), runCount = getU32(b + 20);
    if (steps > kMaxReplaySteps)
        return fail(why, "too long: " + std::to_string(steps) + " steps, at most " +
                             std::to_string(kMaxReplaySteps));
    if (startBytes != replayStartSize())
        return fail(why, "start of " + std::to_string(startBytes) + " bytes, not " +
                             std::to_string(replayStartSize()));
    const uint64_t stepSlots = uint64_t{steps} + 1;
    if (commandCount > kCommandsPerStep * stepSlots || runCount > kSeedsPerStep * stepSlots)
        return fail(why, "more commands or seeds than its steps can hold");
    const uint64_t expected = kHeaderBytes + uint64_t{startBytes} +
                              uint64_t{commandCount} * kCommandBytes +
                              uint64_t{runCount} * kSeedRunBytes + kChecksumBytes;
    if (size < expected)
        return fail(why, "truncated: " + std::to_string(size) + " of " + std::to_string(expected) +
                             " bytes");
    if (size > expected) return fail(why, std::to_string(size - expected) + " bytes too long");
    if (getU32(b + size - kChecksumBytes) != crc32(b, size - kChecksumBytes))
        return fail(why, "checksum mismatch: the file is corrupt");
    if (!knownHill(hill)) return fail(why, "no such hill: " + std::to_string(hill));
    if (wantHill != 0 && hill != wantHill)
        return fail(why, "a jump on hill " + std::to_string(hill) + ", not hill " +
                             std::to_string(wantHill));
    if (speed < 1 || speed > 3) return fail(why, "no such game speed: " + std::to_string(speed));

    Recording r;
    r.hill = hill;
    r.speed = speed;
    r.steps = steps;
    const uint8_t* p = b + kHeaderBytes;
    r.start.assign(p, p + startBytes);
    {
        const uint8_t* s = r.start.data();
        Jump jump;
        CameraMotion motion;
        VenueAnimation venue;
        for (const StateFields& group : StartValues{jump, motion, venue}.groups()) {
            if (!stateSound(group, s)) return fail(why, "a start value out of range");
            s += stateSize(group);
        }
    }
    p += startBytes;
    uint32_t lastStep = 0;
    for (uint32_t i = 0; i < commandCount; ++i, p += kCommandBytes) {
        const ReplayCommand c{getU16(p), static_cast<JumpCommand>(p[2]),
                              static_cast<int32_t>(getU32(p + 4))};
        if (p[2] > static_cast<uint8_t>(JumpCommand::Cursor) || p[3] != 0 ||
            !commandValueSound(c.command, c.value))
            return fail(why, "command " + std::to_string(i) + " unknown");
        if (c.step > steps || c.step < lastStep)
            return fail(why, "command " + std::to_string(i) + " out of order");
        lastStep = c.step;
        r.commands.push_back(c);
    }
    for (uint32_t i = 0; i < runCount; ++i, p += kSeedRunBytes) {
        const uint32_t count = getU32(p + 4);
        if (count == 0 || r.seeds.size() + count > kSeedsPerStep * stepSlots)
            return fail(why, "more seeds than its steps can hold");
        r.seeds.insert(r.seeds.end(), count, getU32(p));
    }
    recording = std::move(r);
    return true;
}

void removeReplayLeftovers() {
    for (int32_t hill = 1; hill <= 3; ++hill)
        unlink((std::string(replayFilePath(hill)) + ".tmp").c_str());
}

WriteResult writeReplayFile(const char* path, const Recording& recording) {
    const std::vector<uint8_t> bytes = encodeReplay(recording);
    return replaceFile(path, bytes.data(), bytes.size());
}

bool readReplayFile(const char* path, int32_t wantHill, Recording& recording, std::string& why) {
    const uint64_t stepSlots = uint64_t{kMaxReplaySteps} + 1;
    const size_t largest = kHeaderBytes + replayStartSize() +
                           kCommandsPerStep * stepSlots * kCommandBytes +
                           kSeedsPerStep * stepSlots * kSeedRunBytes + kChecksumBytes;
    std::vector<uint8_t> bytes;
    switch (readWholeFile(path, largest, bytes)) {
    case FileRead::Missing:
        return fail(why, "no such file");
    case FileRead::Unreadable:
        return fail(why, "cannot be read (or is no regular file)");
    case FileRead::TooLong:
        return fail(why, "larger than any replay");
    case FileRead::Read:
        break;
    }
    return decodeReplay(bytes, wantHill, recording, why);
}
