// The per-hill record files Data/record1.dat..record3.dat: "%02d", no line end.
#pragma once
#include <cstdint>

// The current hill's record as last read.
extern int32_t recordDistance;

// Path of a hill's record file, or nullptr for a hill number outside 1..3.
const char* recordFilePath(int32_t hill);

// Reads the first three characters as the settings files are read. A missing file is
// record 0; an empty file or one that cannot be opened or read gives the previous read's
// value again.
// Returns false only for a hill without a record file.
bool readRecord(int32_t hill, int32_t& value);

// Replaces the record file in one step (temporary file, fsync, rename), so the file is
// always either the old or the new record, whenever the game is stopped. Creates the file
// if it is missing. Returns false if the new record could not be put in place.
bool storeRecord(int32_t hill, int32_t distance);

// The per-frame record check: read the current hill's record into recordDistance and
// store jumpDistance if it beats it after a landing stance.
void checkRecord();

// Forgets what earlier reads left in the read buffers (tests: a fresh program).
void forgetRecordReads();
