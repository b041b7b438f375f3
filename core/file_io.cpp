#include "core/file_io.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const uint8_t* data, size_t length) {
    while (length > 0) {
        const ssize_t n = write(fd, data, length);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool replaceFile(const char* path, const void* data, size_t length) {
    // Truncating the file in place could leave it empty if the game is stopped mid-write;
    // one fixed temporary name leaves at most one leftover, removed at the next start.
    const std::string temporary = std::string(path) + ".tmp";
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = fchmod(fd, 0644) == 0 && writeAll(fd, static_cast<const uint8_t*>(data), length) &&
              fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
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
