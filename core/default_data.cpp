// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/default_data.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <cctype>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

const DataFile kDefaultData[] = {
    {"resx.dat", "800"},   {"resy.dat", "600"},   {"tf.dat", "2"},       {"dR.dat", "4"},
    {"dG.dat", "5"},       {"dB.dat", "6"},       {"fog.dat", "7"},      {"winsum.dat", "0"},
    {"opad.dat", "1"},     {"det.dat", "3"},      {"hill.dat", "1"},     {"suitR.dat", "199"},
    {"suitG.dat", "0"},    {"suitB.dat", "0"},    {"helmR.dat", "199"},  {"helmG.dat", "199"},
    {"helmB.dat", "199"},  {"skiR.dat", "0.0"},   {"skiG.dat", "0.0"},   {"skiB.dat", "199.0"},
    {"record1.dat", "00"}, {"record2.dat", "00"}, {"record3.dat", "00"},
};
const int kDefaultDataCount = sizeof(kDefaultData) / sizeof(kDefaultData[0]);

namespace {

namespace fs = std::filesystem;

// Every default file missing from dir; existing ones are never opened for writing.
bool writeMissingFiles(const fs::path& dir, std::string* error) {
    for (int i = 0; i < kDefaultDataCount; ++i) {
        fs::path path = dir / kDefaultData[i].name;
        FILE* f = std::fopen(path.c_str(), "wbx");
        if (!f) {
            if (errno == EEXIST) continue;
            *error = "cannot create " + path.string() + ": " + std::strerror(errno);
            return false;
        }
        size_t len = std::strlen(kDefaultData[i].text);
        bool ok = std::fwrite(kDefaultData[i].text, 1, len, f) == len;
        ok = std::fclose(f) == 0 && ok;
        if (!ok) {
            *error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

constexpr char kTemporaryPrefix[] = ".Data-";
constexpr size_t kTemporaryLength = sizeof kTemporaryPrefix - 1 + 6;

// A ".Data-XXXXXX" name as mkdtemp makes it: six letters or digits.
bool temporaryDataName(const std::string& name) {
    if (name.size() != kTemporaryLength || name.compare(0, 6, kTemporaryPrefix) != 0) return false;
    for (size_t i = 6; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

// Whether the folder holds nothing but default files, as a first start fills it.
bool onlyDefaultFiles(const fs::path& dir) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        if (!entry.is_regular_file(ec) || entry.is_symlink(ec)) return false;
        const std::string name = entry.path().filename().string();
        bool known = false;
        for (int i = 0; i < kDefaultDataCount && !known; ++i)
            known = name == kDefaultData[i].name;
        if (!known) return false;
    }
    return !ec;
}

// The folders of first starts that were stopped before their rename: ours by name, owner and
// contents. A start that is making one holds a shared lock on the root (it goes with its
// process); while any does, nothing is removed.
void removeFirstStartLeftovers(const fs::path& root, int rootLock) {
    if (rootLock < 0 || flock(rootLock, LOCK_EX | LOCK_NB) != 0) return;
    if (DIR* folder = opendir(root.c_str())) {
        std::vector<std::string> names;
        while (const dirent* entry = readdir(folder))
            if (temporaryDataName(entry->d_name)) names.push_back(entry->d_name);
        closedir(folder);
        for (const std::string& name : names) {
            const fs::path dir = root / name;
            struct stat st;
            if (lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
                onlyDefaultFiles(dir)) {
                std::error_code ec;
                fs::remove_all(dir, ec);
            }
        }
    }
    flock(rootLock, LOCK_UN);
}

// Closes the root's lock on every way out.
struct RootLock {
    int fd;
    ~RootLock() {
        if (fd >= 0) close(fd);
    }
};

} // namespace

bool writeDefaultData(const std::string& gameDir, std::string* error) {
    fs::path dir = fs::path(gameDir) / "Data";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        *error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    return writeMissingFiles(dir, error);
}

bool makeDataFolderIfMissing(const std::string& root, std::string* error) {
    const fs::path data = fs::path(root) / "Data";
    const RootLock lock{open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    removeFirstStartLeftovers(root, lock.fd);
    struct stat st;
    if (stat(data.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        *error = data.string() + " is not a folder";
        return false;
    }
    // Filled under a temporary name, then renamed into place in one step; the shared lock
    // keeps another start's clean-up away from it meanwhile.
    if (lock.fd >= 0) flock(lock.fd, LOCK_SH);
    std::string temp = (fs::path(root) / ".Data-XXXXXX").string();
    if (!mkdtemp(temp.data())) {
        *error = "cannot create a folder in " + root + ": " + std::strerror(errno);
        return false;
    }
    // mkdtemp makes it private; a Data folder gets the modes any new folder would.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(temp.c_str(), 0777 & ~mask);
    bool ok = writeMissingFiles(temp, error);
    if (ok) {
        if (std::rename(temp.c_str(), data.c_str()) == 0) return true;
        const int err = errno;
        // Another program's first run got there first: its Data is as good as ours.
        ok = (err == EEXIST || err == ENOTEMPTY) && stat(data.c_str(), &st) == 0 &&
             S_ISDIR(st.st_mode);
        if (!ok) *error = "cannot create " + data.string() + ": " + std::strerror(err);
    }
    std::error_code ec;
    fs::remove_all(temp, ec);
    return ok;
}
