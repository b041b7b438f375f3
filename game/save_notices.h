// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What the game says when it could not save one of the player's files.
#pragma once
#include <set>
#include <string>

#include "core/file_io.h"

struct Game;

// The failures already told on standard error, by file and cause.
struct SaveNotices {
    std::set<std::string> told;
};

// The notice's two seconds.
constexpr int kSaveNoticeSteps = 120;

// After a save of path: a failure goes to standard error (once per file and cause) and to
// the hint band for two seconds as "nie zapisano <what>: <cause>", whatever the hint
// setting. A success lets the next failure of that file be told again.
void noteSave(Game& g, const char* what, const char* path, const WriteResult& result);
