// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Any content of a season file through the season reader: it is either read whole, and then
// is the very text the game writes for what it read, or refused, moved aside as it was and
// the season file gone. The same input again with a good checksum line put after it, so
// that the reader's checks beyond the checksum are reached too.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "contest/season_file.h"
#include "fuzz_support.h"

namespace {

void check(const std::string& bytes) {
    writeWholeFile(kSeasonPath, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    const SeasonLoad load = loadSeason();
    if (load.read == SeasonRead::Loaded) {
        FUZZ_CHECK(load.contest && seasonText(*load.contest) == bytes);
        FUZZ_CHECK(load.keptAs.empty());
        // The contest read goes on as any other.
        Contest c = *load.contest;
        if (!c.competitionOver()) c.record({100, 120, false});
        FUZZ_CHECK(parseSeasonText(seasonText(c)).has_value());
    } else {
        FUZZ_CHECK(load.read == SeasonRead::Refused && !load.contest);
        FUZZ_CHECK(!load.keptAs.empty() && access(kSeasonPath, F_OK) != 0);
        std::string kept;
        FUZZ_CHECK(readWholeFile(load.keptAs.c_str(), &kept) && kept == bytes);
        unlink(load.keptAs.c_str());
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    enterScratchGameFolder(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check(bytes);
    check(bytes + seasonEndLine(bytes));
    return 0;
}
