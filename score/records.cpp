#include "score/records.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

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

bool writeAll(int fd, const char* text, size_t length) {
    while (length > 0) {
        ssize_t n = write(fd, text, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

std::string temporaryPath(const char* path) {
    return std::string(path) + ".tmp";
}

enum class FileText { Missing, Unreadable, Read, TooLong };

// A regular file of at most `size` - 1 bytes, read without blocking; a longer one is no
// record whatever its start says.
FileText readSmallFile(const char* path, char* text, size_t size, size_t* length) {
    *length = 0;
    text[0] = '\0';
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileText::Missing : FileText::Unreadable;
    struct stat st;
    FileText result = FileText::Unreadable;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<size_t>(st.st_size) >= size) {
        result = FileText::TooLong;
    } else if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        ssize_t n;
        while ((n = read(fd, text + *length, size - 1 - *length)) > 0) {
            *length += static_cast<size_t>(n);
            if (*length == size - 1) break;
        }
        // Grown since the size was taken: as long, and as corrupt, as any longer file.
        char more;
        if (n >= 0)
            result =
                *length == size - 1 && read(fd, &more, 1) > 0 ? FileText::TooLong : FileText::Read;
    }
    close(fd);
    text[*length] = '\0';
    return result;
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
    char text[kLongestRecordFile + 1];
    size_t length = 0;
    read.corrupt = false;
    switch (readSmallFile(kRecordPaths[hill - 1], text, sizeof text, &length)) {
    case FileText::Missing:
        // No record on this hill yet; a later empty file must not bring back an old one.
        read.lastGood = 0;
        break;
    case FileText::Unreadable:
        // There but unreadable: the last good read stands.
        break;
    case FileText::TooLong:
        read.corrupt = true;
        break;
    case FileText::Read:
        // An empty file repeats the previous read; anything but a record is corrupt and
        // shows the last good read.
        if (length > 0) {
            int32_t parsed;
            if (parseRecordText(text, length, &parsed))
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

    // Truncating the record in place could leave it empty if the game is stopped mid-write;
    // one fixed temporary name leaves at most one leftover, removed at the next start.
    const std::string temporary = temporaryPath(path);
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok =
        fchmod(fd, 0644) == 0 && writeAll(fd, text, static_cast<size_t>(length)) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

void checkRecord() {
    if (!readRecord(hillNumber, recordDistance)) return;
    // A new jump may try again what the last one could not store.
    if (landingStanceTaken == 0) storeFailedThisJump = false;
    // A file that holds no record is left as it is: it may be a player's own.
    if (recordCorrupt(hillNumber) || storeFailedThisJump) return;
    const int32_t distance = std::min(jumpDistance, kMaxRecord);
    if (distance > recordDistance && landingStanceTaken == 1 && !storeRecord(hillNumber, distance))
        storeFailedThisJump = true;
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
