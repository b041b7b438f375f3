// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Data/wyniki.txt: every finished competition's final results, one block each, UTF-8 text.
#pragma once
#include <string>

#include "contest/contest.h"
#include "core/file_io.h"

constexpr const char* kResultsPath = "Data/wyniki.txt";
// Thousands of competitions; past this the file is left as it is and nothing is added.
constexpr size_t kLongestResultsFile = 16 * 1024 * 1024;

// The block of the contest's running competition: a header line with the date (as the
// caller gives it), the hill and the format, then one line per starter sorted by place:
// place, name, nation, first-round distance and total, final-round distance and total (or
// "-"), and the sum.
std::string resultsBlock(const Contest& contest, const std::string& date);

// Adds the block after the blocks already there, rewriting the whole file through the one
// atomic writer: whenever the game is stopped, the file holds all the earlier blocks, with
// or without the new one. A file that cannot be read, or is too long, is not replaced.
WriteResult appendResults(const Contest& contest, const std::string& date,
                          const char* path = kResultsPath);
