// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings reader on any file content, and the number parser on any text.
// Input: the first byte picks the read buffer's size, the rest is the file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/settings.h"
#include "fuzz_support.h"

namespace {

ScratchFile scratch;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// parseDecimal worked out another way: without the leading zeros, more than ten digits are
// always past the largest 32-bit integer, and up to ten the C library converts exactly.
int32_t expectedDecimal(const std::string& text) {
    size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    size_t first = 0;
    while (first < digits && text[first] == '0')
        ++first;
    if (digits - first > 10) return INT32_MAX;
    const uint64_t value = std::strtoull(text.substr(first, digits - first).c_str(), nullptr, 10);
    return static_cast<int32_t>(std::min<uint64_t>(value, INT32_MAX));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    scratch = openScratchFile();
    FUZZ_CHECK(parseDecimal(nullptr) == 0);
    // A file that is not there is no setting at all: the variable keeps its value.
    SettingFile missing{"/nonexistent/valmora/setting.dat", 4, {}};
    int32_t value = 17;
    FUZZ_CHECK(!readSettingFile(missing, value) && value == 17);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // 2..128: sizes past the buffer's 100 must be held to it.
    const int bufferSize = 2 + data[0] % 127;
    const std::string content(reinterpret_cast<const char*>(data + 1), size - 1);

    // The parser sees the text up to its first NUL, as it would in a buffer.
    const std::string text = content.c_str();
    FUZZ_CHECK(parseDecimal(text.c_str()) == expectedDecimal(text));

    rewriteScratchFile(scratch, data + 1, size - 1);
    SettingFile file{scratch.path.c_str(), bufferSize, {}};
    std::strcpy(file.buffer, "31"); // an earlier read's text
    int32_t value = -1;
    FUZZ_CHECK(readSettingFile(file, value));
    FUZZ_CHECK(std::memchr(file.buffer, '\0', sizeof file.buffer) != nullptr);

    // One line of at most size - 1 characters, as fgets reads it; nothing read keeps "31".
    const size_t room = static_cast<size_t>(std::min(bufferSize, 100) - 1);
    std::string line = content.substr(0, std::min(room, content.size()));
    const size_t newline = line.find('\n');
    if (newline != std::string::npos) line.resize(newline + 1);
    FUZZ_CHECK(value == (content.empty() ? 31 : expectedDecimal(line.c_str())));

    // The file emptied: the same text, and so the same value, again.
    rewriteScratchFile(scratch, nullptr, 0);
    int32_t again = -1;
    FUZZ_CHECK(readSettingFile(file, again));
    FUZZ_CHECK(again == value);
    return 0;
}
