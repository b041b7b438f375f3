// The per-hill record files Data/record1.dat..record3.dat: "%02d", no line end.
#pragma once
#include <cstdint>

// The current hill's record as last read.
extern int32_t recordDistance;

// Records keep their three-digit form: longer distances are stored as this.
constexpr int32_t kMaxRecord = 999;
// A record file of more bytes than this is corrupt, whatever it begins with.
constexpr int kLongestRecordFile = 31;

// Path of a hill's record file, or nullptr for a hill number outside 1..3.
const char* recordFilePath(int32_t hill);

// Reads a hill's record: one to three digits, white space after them at most. A missing file
// is record 0; an empty file, or one that cannot be opened or read (or is no regular file),
// gives the previous good read again. Anything else (more digits, a sign, junk) is corrupt:
// the previous good read again, and recordCorrupt says so.
// Returns false only for a hill without a record file.
bool readRecord(int32_t hill, int32_t& value);
// Whether the hill's last read found a file that holds no record.
bool recordCorrupt(int32_t hill);

// Replaces the record file in one step (a fixed temporary name, fsync, rename), so the file
// is always either the old or the new record, whenever the game is stopped. Creates the file
// if it is missing; distances above kMaxRecord are stored as kMaxRecord. Returns false if
// the new record could not be put in place.
bool storeRecord(int32_t hill, int32_t distance);

// The record check of a step: read the current hill's record into recordDistance and store
// the jump's distance if it beats it after a landing stance. A corrupt file is left alone,
// and a store that failed is not tried again before the next jump. Returns true when it
// stored a new record.
bool checkRecord();

// Temporary files a stopped store left in Data/ (start-up).
void removeRecordLeftovers();

// Forgets what earlier reads left (program start).
void forgetRecordReads();
