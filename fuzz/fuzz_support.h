// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: checks that stay on in every build type, and scratch files
// in memory where the machine has a tmpfs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// assert() is compiled out under NDEBUG; a failed check here always stops the fuzzer.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) fuzzCheckFailed(__FILE__, __LINE__, #condition);                         \
    } while (0)

[[noreturn]] void fuzzCheckFailed(const char* file, int line, const char* condition);

// Folder for this process's scratch files: $TMPDIR if set, else /dev/shm if usable, else /tmp.
std::string scratchRoot();

// A file of this process's own, already unlinked so that nothing is left behind however
// the process ends; `path` opens it again through /proc.
struct ScratchFile {
    int fd = -1;
    std::string path;
};
ScratchFile openScratchFile();
// Makes the file's whole content `data`.
void rewriteScratchFile(const ScratchFile& file, const uint8_t* data, size_t size);

// Creates a private folder with an empty Data/ in it and makes it the working folder; it is
// removed again when the process exits normally. Called from LLVMFuzzerInitialize with its
// arguments: relative paths among them are made absolute first, and crash inputs go to the
// folder the fuzzer was started in unless told otherwise, so both keep their meaning.
void enterScratchGameFolder(int* argc, char*** argv);
// Removes every file from that folder's Data/, so that a session starts from none.
void emptyScratchData();
// Makes `relativePath` (under the working folder) hold exactly `data`.
void writeWholeFile(const char* relativePath, const uint8_t* data, size_t size);
// The whole content of a file, or false if it cannot be read.
bool readWholeFile(const char* relativePath, std::string* text);
