// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/records.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <cerrno>
#include <string>
#include <vector>
#include <unistd.h>

#include "core/file_io.h"
#include "core/settings.h"
#include "jump/jump_state.h"

namespace {

const char* const kRecordPaths[3] = {"Data/record1.dat", "Data/record2.dat", "Data/record3.dat"};

// The leading digits as the game reads them (at most three); false for a longer run, which
// the game never writes.
bool parseRecordText(const char* text, size_t length, int32_t* value) {
    size_t digits = 0;
    while (digits < length && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits > 3) return false;
    *value = parseDecimal(std::string(text, digits).c_str());
    return true;
}

void tellOnce(bool& told, const char* path, const char* what) {
    if (told) return;
    told = true;
    std::fprintf(stderr, "orbel: %s %s; it is left as it is, and no record is stored there\n", path,
                 what);
}

} // namespace

const char* recordFilePath(int32_t hill) {
    if (!knownHill(hill)) return nullptr;
    return kRecordPaths[hill - 1];
}

bool readRecord(RecordBook& book, int32_t hill, int32_t& value) {
    if (!knownHill(hill)) return false;
    RecordRead& read = book.reads[hill - 1];
    const char* path = kRecordPaths[hill - 1];
    read.corrupt = read.unreadable = false;
    std::vector<uint8_t> bytes;
    switch (readWholeFile(path, kLongestRecordFile, bytes)) {
    case FileRead::Missing:
        // No record on this hill yet; a later empty file must not bring back an old one.
        read.lastGood = 0;
        break;
    case FileRead::Unreadable:
        // The player's record may be in there: never replace what we cannot see.
        read.unreadable = true;
        tellOnce(read.toldUnreadable, path, "cannot be read (or is no regular file)");
        break;
    case FileRead::TooLong:
        read.corrupt = true;
        tellOnce(read.toldCorrupt, path, "is longer than any record");
        break;
    case FileRead::Read:
        // An empty file repeats the previous read.
        if (!bytes.empty()) {
            int32_t parsed;
            const std::string text(bytes.begin(), bytes.end());
            if (parseRecordText(text.c_str(), text.size(), &parsed)) {
                read.lastGood = parsed;
            } else {
                read.corrupt = true;
                tellOnce(read.toldCorrupt, path, "holds more than three digits");
            }
        }
        break;
    }
    if (!read.unreadable) read.toldUnreadable = false;
    if (!read.corrupt) read.toldCorrupt = false;
    value = read.lastGood;
    return true;
}

bool recordCorrupt(const RecordBook& book, int32_t hill) {
    return knownHill(hill) && book.reads[hill - 1].corrupt;
}

bool recordUnreadable(const RecordBook& book, int32_t hill) {
    return knownHill(hill) && book.reads[hill - 1].unreadable;
}

WriteResult storeRecord(int32_t hill, int32_t distance) {
    const char* path = recordFilePath(hill);
    WriteResult result;
    if (!path) {
        result.error = EINVAL;
        result.reason = "no such hill";
        return result;
    }
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%02d",
                                     static_cast<int>(std::clamp(distance, 0, kMaxRecord)));
    return replaceFile(path, text, static_cast<size_t>(length));
}

bool recordBeaten(RecordBook& book, const Jump& j, int32_t hill) {
    if (!readRecord(book, hill, book.recordDistance)) return false;
    // A new jump may try again what the last one could not store.
    if (j.landingStanceTaken == 0) book.storeFailedThisJump = false;
    if (recordCorrupt(book, hill) || recordUnreadable(book, hill) || book.storeFailedThisJump)
        return false;
    // Only the distance that stands once he is down: in the air it may still change.
    if (j.landingStanceTaken != 1 || j.jumperY != j.groundY) return false;
    return std::min(j.jumpDistance, kMaxRecord) > book.recordDistance;
}

WriteResult storeJumpRecord(RecordBook& book, const Jump& j, int32_t hill) {
    const int32_t distance = std::min(j.jumpDistance, kMaxRecord);
    WriteResult result = storeRecord(hill, distance);
    if (result.ok())
        book.recordDistance = distance;
    else
        book.storeFailedThisJump = true;
    return result;
}

bool checkRecord(RecordBook& book, const Jump& j, int32_t hill) {
    return recordBeaten(book, j, hill) && storeJumpRecord(book, j, hill).ok();
}

void removeRecordLeftovers() {
    for (const char* path : kRecordPaths) {
        // A folder of that name is not ours: unlink leaves it.
        unlink((std::string(path) + ".tmp").c_str());
    }
}
