// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "contest/results_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "contest/names.h"

namespace {

// Pads to a width in characters, not bytes: the Polish letters take two bytes each.
std::string padded(const std::string& text, int width) {
    return text + std::string(std::max(0, width - nameLength(text)), ' ');
}

std::string roundCell(const JumpResult& r) {
    char cell[40];
    std::snprintf(cell, sizeof cell, "%4d m %5d", r.distance, r.total);
    return cell;
}

} // namespace

std::string resultsBlock(const Contest& contest, const std::string& date) {
    std::string block =
        date + "  " + hillName(contest.hill()) + "  " + formatName(contest.format());
    if (contest.format() == ContestFormat::WorldCup)
        block += " " + std::to_string(contest.competition() + 1) + "/" +
                 std::to_string(contest.competitions());
    block += '\n';
    for (const Placing& p : contest.standings()) {
        const Starter& s = contest.starter(p.starter);
        char place[16], sum[16];
        std::snprintf(place, sizeof place, "%3d.", p.place);
        std::snprintf(sum, sizeof sum, "%6d", p.sum);
        block += std::string(place) + " " + padded(s.name, kLongestName) + " " +
                 padded(s.nation, 3) + "  " + (p.jumps >= 1 ? roundCell(p.first) : padded("", 12)) +
                 "  " + (p.jumps >= 2 ? roundCell(p.final) : padded("", 11) + "-") + "  " + sum +
                 '\n';
    }
    return block;
}

WriteResult appendResults(const Contest& contest, const std::string& date, const char* path) {
    std::vector<uint8_t> bytes;
    WriteResult result;
    switch (readWholeFile(path, kLongestResultsFile, bytes)) {
    case FileRead::Missing:
    case FileRead::Read:
        break;
    case FileRead::Unreadable:
        result.error = EACCES;
        result.reason = "cannot be read, so nothing is added to it";
        return result;
    case FileRead::TooLong:
        result.error = EFBIG;
        result.reason = "is too long, so nothing is added to it";
        return result;
    }
    std::string text(bytes.begin(), bytes.end());
    // A hand-edited file may end mid-line; blocks stay apart by a blank line.
    if (!text.empty() && text.back() != '\n') text += '\n';
    if (!text.empty()) text += '\n';
    text += resultsBlock(contest, date);
    return replaceFile(path, text);
}
