// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/save_notices.h"

#include "core/language.h"

#include <cstdio>
#include <iterator>
#include <set>
#include <string>

#include "game/game.h"

namespace {

// "path\ncause" of every failure standard error has heard of.
std::string key(const char* path, const WriteResult& result) {
    return std::string(path) + "\n" + result.reason;
}

} // namespace

void noteSave(Game& g, const char* what, const char* path, const WriteResult& result) {
    std::set<std::string>& told = g.saveNotices.told;
    if (result.ok()) {
        for (auto it = told.begin(); it != told.end();)
            it = it->rfind(std::string(path) + "\n", 0) == 0 ? told.erase(it) : std::next(it);
        return;
    }
    if (told.insert(key(path, result)).second)
        std::fprintf(stderr, "orbel: could not save %s\n", writeFailureText(path, result).c_str());
    showNotice(g, std::string(_("nie zapisano ")) + _(what) + ": " + writeFailurePolish(result),
               kSaveNoticeSteps);
}
