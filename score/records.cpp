#include "score/records.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/settings.h"
#include "jump/jump_state.h"

int32_t recordDistance = 0;

namespace {

SettingFile recordFiles[3] = {
    {"Data/record1.dat", 4, {}},
    {"Data/record2.dat", 4, {}},
    {"Data/record3.dat", 4, {}},
};

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

} // namespace

const char* recordFilePath(int32_t hill) {
    if (!knownHill(hill)) return nullptr;
    return recordFiles[hill - 1].path;
}

bool readRecord(int32_t hill, int32_t& value) {
    if (!knownHill(hill)) return false;
    SettingFile& file = recordFiles[hill - 1];
    if (readSettingFile(file, value)) return true;
    struct stat info;
    if (stat(file.path, &info) != 0 && errno == ENOENT) {
        // No record on this hill yet; a later empty file must not bring back an old one.
        std::memset(file.buffer, 0, sizeof(file.buffer));
        value = 0;
    } else {
        // There but unreadable: the text of the last good read stands.
        file.buffer[sizeof(file.buffer) - 1] = '\0';
        value = parseDecimal(file.buffer);
    }
    return true;
}

bool storeRecord(int32_t hill, int32_t distance) {
    const char* path = recordFilePath(hill);
    if (!path) return false;
    char text[16];
    int length = std::snprintf(text, sizeof text, "%02d", static_cast<int>(distance));
    if (length <= 0) return false;

    // Truncating the record in place could leave it empty if the game is stopped mid-write.
    char temporary[64];
    std::snprintf(temporary, sizeof temporary, "%s.XXXXXX", path);
    int fd = mkstemp(temporary);
    if (fd < 0) return false;
    bool ok =
        fchmod(fd, 0644) == 0 && writeAll(fd, text, static_cast<size_t>(length)) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) ok = std::rename(temporary, path) == 0;
    if (!ok) unlink(temporary);
    return ok;
}

void checkRecord() {
    if (!readRecord(hillNumber, recordDistance)) return;
    if (jumpDistance > recordDistance && landingStanceTaken == 1)
        storeRecord(hillNumber, jumpDistance);
}

void forgetRecordReads() {
    for (SettingFile& file : recordFiles)
        std::memset(file.buffer, 0, sizeof(file.buffer));
    recordDistance = 0;
}
