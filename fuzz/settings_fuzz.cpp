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

// parseDecimal worked out another way: the C library converts up to nine digits at a time and
// the 64-bit sum is cut to 32 bits after each, which leaves the same value modulo 2^32.
int32_t expectedDecimal(const std::string& text) {
    size_t digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    uint64_t value = 0;
    for (size_t at = 0; at < digits; at += 9) {
        const size_t n = std::min<size_t>(9, digits - at);
        uint64_t scale = 1;
        for (size_t i = 0; i < n; ++i)
            scale *= 10;
        const std::string chunk = text.substr(at, n);
        value = (value * scale + std::strtoull(chunk.c_str(), nullptr, 10)) & 0xFFFFFFFFull;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(value));
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
