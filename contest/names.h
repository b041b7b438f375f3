// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Players' names as typed into the competition panel, made fit to show and to store.
#pragma once
#include <string>

constexpr int kLongestName = 20; // characters (code points)

// "Gracz 1".."Gracz 4" in the player's language, for slot 0..3.
std::string defaultPlayerName(int slot);

// The name to use for what was typed into slot 0..3: only what the fonts draw (printable
// ASCII and the Polish letters) is kept, blanks at either end go, and it is cut to
// kLongestName characters. Invalid UTF-8, or nothing left, gives the slot's default.
std::string playerName(const std::string& typed, int slot);

// Characters (code points) of valid UTF-8.
int nameLength(const std::string& utf8);
