// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Any content of a record file through the record reader, against the rule: the leading
// digits (0 when there are none) of a file no longer than kLongestRecordFile. An empty file
// gives the previous good read again; a run of more than three digits, or a longer file, is
// corrupt and gives it too. A record read must come back unchanged from being stored.
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "score/records.h"

namespace {

// The record a non-empty file holds by the rule, or false when it is corrupt.
bool expectedRecord(const uint8_t* data, size_t size, int32_t* value) {
    size_t digits = 0;
    int32_t number = 0;
    for (; digits < size && data[digits] >= '0' && data[digits] <= '9'; ++digits)
        if (digits < 3) number = number * 10 + (data[digits] - '0');
    if (size == 0 || digits > 3) return false;
    if (size > static_cast<size_t>(kLongestRecordFile)) return false;
    *value = number;
    return true;
}

constexpr int32_t kEarlierRecord = 57;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    enterScratchGameFolder(argc, argv);
    FUZZ_CHECK(recordFilePath(1) != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each input as if the game had just started, so that a finding replays alone.
    RecordBook book;
    const char* path = recordFilePath(1);
    const std::string earlier = std::to_string(kEarlierRecord);
    writeWholeFile(path, reinterpret_cast<const uint8_t*>(earlier.data()), earlier.size());
    int32_t value = -1;
    FUZZ_CHECK(readRecord(book, 1, value) && value == kEarlierRecord && !recordCorrupt(book, 1));

    writeWholeFile(path, data, size);
    value = -1;
    FUZZ_CHECK(readRecord(book, 1, value));
    int32_t expected = kEarlierRecord;
    const bool record = expectedRecord(data, size, &expected);
    FUZZ_CHECK(value == expected);
    FUZZ_CHECK(recordCorrupt(book, 1) == (size > 0 && !record));
    int32_t again = -1;
    FUZZ_CHECK(readRecord(book, 1, again) && again == value);

    FUZZ_CHECK(storeRecord(1, value));
    std::string stored;
    FUZZ_CHECK(readWholeFile(path, &stored));
    char text[16];
    std::snprintf(text, sizeof text, "%02d", static_cast<int>(value));
    FUZZ_CHECK(stored == text);
    book = RecordBook{};
    int32_t back = -1;
    FUZZ_CHECK(readRecord(book, 1, back) && back == value && !recordCorrupt(book, 1));
    return 0;
}
