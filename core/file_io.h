// Files the game writes whole and reads whole: records and replays.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Replaces the file in one step: a fixed temporary name beside it (path + ".tmp"), fsync,
// rename. The file is always either the old or the new contents, whenever the game is
// stopped. Returns false, leaving the old file, if the new one could not be put in place.
bool replaceFile(const char* path, const void* data, size_t length);

enum class FileRead { Read, Missing, Unreadable, TooLong };
// Reads a regular file of at most maxBytes without blocking (a FIFO or device is
// Unreadable, a longer file TooLong, and nothing more than maxBytes + 1 bytes is read).
FileRead readWholeFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes);
