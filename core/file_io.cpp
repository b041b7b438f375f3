// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/file_io.h"

#include "core/language.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

WriteCall writeCall = nullptr;

bool writeAll(int fd, const uint8_t* data, size_t length) {
    while (length > 0) {
        const ssize_t n = writeCall ? writeCall(fd, data, length) : write(fd, data, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

WriteResult failed(int error, const std::string& what) {
    WriteResult r;
    r.error = error ? error : EIO;
    r.reason = what.empty() ? std::strerror(r.error) : what + ": " + std::strerror(r.error);
    return r;
}

// The temporary file, made afresh: a leftover of a stopped write (or a link planted there) is
// removed first, but anything else in its place is not ours to remove.
int createTemporary(const std::string& temporary, WriteResult* result) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd =
            open(temporary.c_str(),
                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd >= 0) return fd;
        const int err = errno;
        struct stat st;
        if (err != EEXIST || lstat(temporary.c_str(), &st) != 0) {
            *result = failed(err, "cannot create " + temporary);
            return -1;
        }
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            *result = failed(EEXIST, temporary + " is in the way");
            return -1;
        }
        unlink(temporary.c_str());
    }
    *result = failed(EEXIST, temporary + " keeps coming back");
    return -1;
}

// Makes the rename itself last through a power cut; a folder that cannot be synced changes
// nothing about the file.
void syncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

} // namespace

void setWriteCall(WriteCall call) {
    writeCall = call;
}

WriteResult replaceFile(const char* path, const void* data, size_t length) {
    // Opening a FIFO, folder or device for writing could block or fail half-way: refuse it
    // before anything is written. A link is fine: the rename replaces the link itself.
    struct stat st;
    if (lstat(path, &st) == 0) {
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
            WriteResult r;
            r.notRegularFile = true;
            r.reason = "not a regular file";
            return r;
        }
    } else if (errno != ENOENT) {
        return failed(errno, "");
    }
    // Truncating the file in place could leave it empty if the program is stopped mid-write
    // or the disk is full; one fixed temporary name leaves at most one leftover.
    const std::string temporary = std::string(path) + ".tmp";
    WriteResult result;
    const int fd = createTemporary(temporary, &result);
    if (fd < 0) return result;
    if (fchmod(fd, 0644) != 0 || !writeAll(fd, static_cast<const uint8_t*>(data), length))
        result = failed(errno, "");
    else if (fsync(fd) != 0)
        result = failed(errno, "");
    if (close(fd) != 0 && result.ok()) result = failed(errno, "");
    if (result.ok() && std::rename(temporary.c_str(), path) != 0) result = failed(errno, "");
    if (!result.ok()) {
        unlink(temporary.c_str());
        return result;
    }
    syncFolderOf(path);
    return result;
}

std::string writeFailureText(const char* path, const WriteResult& result) {
    return std::string(path) + ": " + (result.reason.empty() ? "not written" : result.reason);
}

const char* writeFailurePolish(const WriteResult& result) {
    if (result.notRegularFile) return _("to nie jest plik");
    switch (result.error) {
    case ENOSPC:
    case EDQUOT:
        return _("brak miejsca na dysku");
    case EACCES:
    case EPERM:
    case EROFS:
        return _("brak uprawnień");
    case EEXIST:
        return _("plik tymczasowy zajęty");
    case ENOENT:
    case ENOTDIR:
        return _("brak folderu");
    default:
        return _("błąd zapisu");
    }
}

FileRead readWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes) {
    bytes.clear();
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    struct stat st;
    FileRead result = FileRead::Unreadable;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (static_cast<uint64_t>(st.st_size) > maxBytes) {
            result = FileRead::TooLong;
        } else {
            // One byte more than allowed tells a file that grew since the size was taken.
            bytes.resize(maxBytes + 1);
            size_t length = 0;
            ssize_t n = 0;
            while (length < bytes.size() &&
                   (n = read(fd, bytes.data() + length, bytes.size() - length)) != 0) {
                if (n < 0) {
                    if (errno == EINTR) continue;
                    break;
                }
                length += static_cast<size_t>(n);
            }
            bytes.resize(length);
            if (n >= 0) result = length > maxBytes ? FileRead::TooLong : FileRead::Read;
        }
    }
    close(fd);
    if (result != FileRead::Read) bytes.clear();
    return result;
}
