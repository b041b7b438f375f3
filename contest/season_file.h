// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Data/puchar.dat: the running competition or season, saved after every jump so that it
// goes on from the next one. Plain text lines, a version in the first, and a checksum of
// all before it in the last, so that a cut or damaged file is known as such.
#pragma once
#include <optional>
#include <string>

#include "contest/contest.h"
#include "core/file_io.h"

constexpr const char* kSeasonPath = "Data/puchar.dat";
constexpr int kSeasonVersion = 1;
// No file the game writes comes near this.
constexpr size_t kLongestSeasonFile = 64 * 1024;

// The last line of a file whose lines before it are `body`: its checksum.
std::string seasonEndLine(const std::string& body);

// The file's whole text.
std::string seasonText(const Contest& contest);
// The contest a text holds, or nothing with the cause in `why` (a few English words). Every
// count and value is checked against its bounds, and the jumps are played back through the
// engine, so only a state the game itself could reach is accepted.
std::optional<Contest> parseSeasonText(const std::string& text, std::string* why = nullptr);

// Writes the file through the one atomic writer.
WriteResult saveSeason(const Contest& contest, const char* path = kSeasonPath);

enum class SeasonRead {
    Loaded,
    Missing,    // no season
    Refused,    // damaged, cut or from a later version: kept aside, no season
    Unreadable, // there but not readable (permissions, not a regular file): left as it is
};
struct SeasonLoad {
    SeasonRead read = SeasonRead::Missing;
    std::optional<Contest> contest;
    std::string keptAs; // where a refused file now is ("" if it could not be moved)
};
// Reads the season file. A refused or unreadable file gets one line on standard error; a
// refused one is renamed to path.bad (or .bad1, .bad2, ... never over an earlier one).
SeasonLoad loadSeason(const char* path = kSeasonPath);

// Removes the file (a season played to its end); false only if it was there and stays.
bool removeSeason(const char* path = kSeasonPath);
