#pragma once

#include "setup/choice_lists.h"

#include <string>
#include <vector>

// Writes the settings files under Data/ (relative to the working directory) for every group
// whose choice matches one of its list's items, in the game's fixed writing order. Returns the
// paths ("Data/<file>") that could not be written, in that order; empty when all went well.
std::vector<std::string> writeSettingsFiles(const SettingsChoices& choices);
