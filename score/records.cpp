#include "score/records.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>
#include <unistd.h>

#include "core/file_io.h"
#include "core/settings.h"
#include "jump/jump_state.h"

int32_t recordDistance = 0;

namespace {

const char* const kRecordPaths[3] = {"Data/record1.dat", "Data/record2.dat", "Data/record3.dat"};

// What each hill's last reads left: the text of the last good read (an empty file gives it
// again) and whether the file now holds something that is no record.
struct RecordRead {
    int32_t lastGood = 0;
    bool corrupt = false;
};
RecordRead reads[3];

// A failed store waits for the next jump rather than being tried 60 times a second.
bool storeFailedThisJump = false;

std::string temporaryPath(const char* path) {
    return std::string(path) + ".tmp";
}

// One to three digits, as the game writes them, with white space after at most.
bool parseRecordText(const char* text, size_t length, int32_t* value) {
    size_t digits = 0;
    while (digits < length && std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    for (size_t i = digits; i < length; ++i)
        if (!std::isspace(static_cast<unsigned char>(text[i]))) return false;
    if (digits == 0 || digits > 3) return false;
    *value = parseDecimal(text);
    return true;
}

} // namespace

const char* recordFilePath(int32_t hill) {
    if (!knownHill(hill)) return nullptr;
    return kRecordPaths[hill - 1];
}

bool readRecord(int32_t hill, int32_t& value) {
    if (!knownHill(hill)) return false;
    RecordRead& read = reads[hill - 1];
    read.corrupt = false;
    std::vector<uint8_t> bytes;
    switch (readWholeFile(kRecordPaths[hill - 1], kLongestRecordFile, bytes)) {
    case FileRead::Missing:
        // No record on this hill yet; a later empty file must not bring back an old one.
        read.lastGood = 0;
        break;
    case FileRead::Unreadable:
        // There but unreadable: the last good read stands.
        break;
    case FileRead::TooLong:
        read.corrupt = true;
        break;
    case FileRead::Read:
        // An empty file repeats the previous read; anything but a record is corrupt and
        // shows the last good read.
        if (!bytes.empty()) {
            int32_t parsed;
            const std::string text(bytes.begin(), bytes.end());
            if (parseRecordText(text.c_str(), text.size(), &parsed))
                read.lastGood = parsed;
            else
                read.corrupt = true;
        }
        break;
    }
    value = read.lastGood;
    return true;
}

bool recordCorrupt(int32_t hill) {
    return knownHill(hill) && reads[hill - 1].corrupt;
}

bool storeRecord(int32_t hill, int32_t distance) {
    const char* path = recordFilePath(hill);
    if (!path) return false;
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%02d",
                                     static_cast<int>(std::clamp(distance, 0, kMaxRecord)));
    if (length <= 0) return false;

    return replaceFile(path, text, static_cast<size_t>(length));
}

bool checkRecord() {
    if (!readRecord(hillNumber, recordDistance)) return false;
    // A new jump may try again what the last one could not store.
    if (landingStanceTaken == 0) storeFailedThisJump = false;
    // A file that holds no record is left as it is: it may be a player's own.
    if (recordCorrupt(hillNumber) || storeFailedThisJump) return false;
    const int32_t distance = std::min(jumpDistance, kMaxRecord);
    if (distance <= recordDistance || landingStanceTaken != 1) return false;
    if (storeRecord(hillNumber, distance)) return true;
    storeFailedThisJump = true;
    return false;
}

void removeRecordLeftovers() {
    for (const char* path : kRecordPaths)
        unlink(temporaryPath(path).c_str());
    // Earlier versions left files of random names beside the records when stopped mid-write.
    DIR* data = opendir("Data");
    if (!data) return;
    while (const dirent* entry = readdir(data)) {
        const std::string name = entry->d_name;
        const bool old = name.size() == std::strlen("record1.dat.") + 6 &&
                         name.compare(0, 6, "record") == 0 && name[6] >= '1' && name[6] <= '3' &&
                         name.compare(7, 5, ".dat.") == 0;
        if (old) unlink(("Data/" + name).c_str());
    }
    closedir(data);
}

void forgetRecordReads() {
    for (RecordRead& read : reads)
        read = RecordRead{};
    recordDistance = 0;
    storeFailedThisJump = false;
}
