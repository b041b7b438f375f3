// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "setup/choice_lists.h"

#include <string>
#include <vector>

// Writes the settings files under Data/ (relative to the working directory) for every group
// whose choice matches one of its list's items, in the game's fixed writing order. Returns the
// paths ("Data/<file>") that could not be written, in that order; empty when all went well.
// Each file is replaced whole (see replaceFile): a file that could not be written keeps its
// old text. With causes, each failure's cause in Polish, in the same order; every failure is
// also named on standard error.
std::vector<std::string> writeSettingsFiles(const SettingsChoices& choices,
                                            std::vector<std::string>* causes = nullptr);
