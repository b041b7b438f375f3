// The Data folder a fresh game starts with: one complete launcher choice and empty records.
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
