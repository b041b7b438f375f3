// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Starts <launcherDir>/orbel detached, with the launcher's working directory (the folder that
// holds Data/) as its own. Neither waits for the game nor reports a failure to start it; no
// zombie is left behind.
void startGame(const std::string& launcherDir);
