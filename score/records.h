// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-hill record files Data/record1.dat..record3.dat: "%02d", no line end.
#pragma once
#include <cstdint>

#include "core/file_io.h"
#include "jump/jump_state.h"

// Records keep their three-digit form: longer distances are stored as this.
constexpr int32_t kMaxRecord = 999;
// A record file of more bytes than this is corrupt, whatever it begins with.
constexpr int kLongestRecordFile = 31;

// Path of a hill's record file, or nullptr for a hill number outside 1..3.
const char* recordFilePath(int32_t hill);

// What each hill's last reads left: the last good read (an empty file gives it again), whether
// the file is now one the game leaves alone, and what standard error has been told of it.
struct RecordRead {
    int32_t lastGood = 0;
    bool corrupt = false;
    bool unreadable = false;
    bool toldCorrupt = false, toldUnreadable = false;
};

// The records as the game has seen them (program start: nothing read).
struct RecordBook {
    // The current hill's record as last read.
    int32_t recordDistance = 0;
    RecordRead reads[3];
    // A failed store waits for the next jump rather than being tried 60 times a second.
    bool storeFailedThisJump = false;

    template <class Visit> void eachField(Visit&& visit) {
        visit("recordDistance", recordDistance);
        for (RecordRead& r : reads) {
            visit("lastGood", r.lastGood);
            visit("corrupt", r.corrupt);
            visit("unreadable", r.unreadable);
        }
        visit("storeFailedThisJump", storeFailedThisJump);
    }
};

// Reads a hill's record: the digits the file begins with (at most three, as the game writes
// them), and 0 when it begins with anything else, so the next record heals such a file. A
// missing file is record 0; an empty file gives the previous good read again. Two kinds of
// file are never replaced, and each is named once on standard error: one that exists but
// cannot be read (permissions, a FIFO, a folder), and one that is no record the game could
// have written (a run of more than three digits, or more than kLongestRecordFile bytes).
// Both give the previous good read again. Returns false only for a hill without a record file.
bool readRecord(RecordBook& book, int32_t hill, int32_t& value);
// Whether the hill's last read found a file that holds more than a record.
bool recordCorrupt(const RecordBook& book, int32_t hill);
// Whether the hill's last read found a file that is there but could not be read.
bool recordUnreadable(const RecordBook& book, int32_t hill);

// Replaces the record file through the one writer (temporary file, fsync, rename), so the
// file is always either the old or the new record, whenever the game is stopped. Creates the
// file if it is missing; distances above kMaxRecord are stored as kMaxRecord.
WriteResult storeRecord(int32_t hill, int32_t distance);

// The record check of a step, in two halves so that the game can keep the jump's replay in
// between. recordBeaten reads the hill's record into the book's recordDistance and says whether
// the jump, down on the ground after a landing stance, beats it and may replace the file.
bool recordBeaten(RecordBook& book, const Jump& j, int32_t hill);
// Stores the jump's distance as the current hill's record. A failed store is not tried again
// before the next jump.
WriteResult storeJumpRecord(RecordBook& book, const Jump& j, int32_t hill);
// Both halves at once; true when it stored a new record.
bool checkRecord(RecordBook& book, const Jump& j, int32_t hill);

// The temporary file a stopped store left in Data/ (start-up): only the game's own
// fixed names, recordN.dat.tmp.
void removeRecordLeftovers();
