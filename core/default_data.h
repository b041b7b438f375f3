// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The Data folder a fresh game starts with: one complete launcher choice and empty records.
// The build, the game and the launcher all write it from here.
#pragma once
#include <string>

struct DataFile {
    const char* name;
    const char* text;
};

// "800x600", "Normalna", "Dzień", "zima", "brak", "wysoki", "Finlandia K90", suit
// "czerwony", helmet "biały", skis "niebieskie"; records "00". No hidden switch file.
extern const DataFile kDefaultData[];
extern const int kDefaultDataCount;

// Creates <gameDir>/Data and every default file that is missing. A file that already
// exists is left exactly as it is: the player's choices and records survive a rebuild.
// Returns false (with a message) if the folder or a missing file cannot be created.
bool writeDefaultData(const std::string& gameDir, std::string* error);

// First run: when <root>/Data does not exist, it appears complete with the defaults, all at
// once, so a program started meanwhile never sees half of it. A Data that exists is left
// alone, however few files it holds. False (with a message) when it cannot be made, or when
// something other than a folder has that name. Every start first removes the ".Data-XXXXXX"
// folders that first starts stopped half-way left in <root>: only folders of that exact name,
// owned by the user, holding nothing but default files, and held by no running start.
bool makeDataFolderIfMissing(const std::string& root, std::string* error);
