// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Files the programs write whole and read whole: settings, hints, records, replays.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

// How a write ended. error is the errno of the step that failed (0: written); reason says it
// in a few English words for standard error.
struct WriteResult {
    int error = 0;
    // The target is a FIFO, folder or device: refused without opening it.
    bool notRegularFile = false;
    std::string reason;
    bool ok() const { return error == 0 && !notRegularFile; }
    explicit operator bool() const { return ok(); }
};

// The one writer of every file the programs keep. Writes the bytes to a fixed temporary name
// beside the file (path + ".tmp", created without following links), fsyncs it and renames it
// over the file, so the file is always either the old or the new contents, whenever the
// program is stopped. A symbolic link in the file's place is replaced, never followed; a
// target that is no regular file is refused at once. On failure the old file is as it was.
WriteResult replaceFile(const char* path, const void* data, size_t length);
inline WriteResult replaceFile(const std::string& path, const std::string& text) {
    return replaceFile(path.c_str(), text.data(), text.size());
}

// "path: reason", for a line on standard error.
std::string writeFailureText(const char* path, const WriteResult& result);
// The cause in Polish, for the player: "brak miejsca na dysku", "brak uprawnień", ...
const char* writeFailurePolish(const WriteResult& result);

// Tests put a failing write(2) here (a full disk); nullptr is the real one.
using WriteCall = ssize_t (*)(int fd, const void* data, size_t length);
void setWriteCall(WriteCall call);

enum class FileRead { Read, Missing, Unreadable, TooLong };
// Reads a regular file of at most maxBytes without blocking (a FIFO or device is
// Unreadable, a longer file TooLong, and nothing more than maxBytes + 1 bytes is read).
FileRead readWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);
