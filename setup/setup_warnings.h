// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "setup/choice_lists.h"

#include <string>
#include <vector>

// Caption of every message box the launcher shows, in Polish; translated where it is shown.
extern const char* const warningCaption;

// The notes shown after the files are written, night first. The "&OK" path has always shown
// the night note without its final full stop; "&Uruchom grę" shows it with one.
std::vector<std::string> settingsWarnings(const SettingsChoices& choices, bool startingGame);

// The note listing the settings files that could not be written, each with its cause when
// causes has one for it.
std::string unwrittenFilesMessage(const std::vector<std::string>& paths,
                                  const std::vector<std::string>& causes = {});
