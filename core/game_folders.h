// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game's files are, whatever folder it was started from. A portable copy keeps
// everything beside its programs; an installed copy reads its pictures from the install
// prefix and keeps each player's settings, records and replays in their own data folder.
#pragma once
#include <string>

struct GameFolders {
    bool portable = false;
    std::string programDir; // the folder of orbel and setup
    std::string dataRoot;   // holds Data/; both programs work in it
    std::string textures;   // the texture files
    std::string icons;      // the program icon, as hicolor/<n>x<n>/apps/valmora.png
    std::string locale;     // the catalogues, as <lang>/LC_MESSAGES/valmora.mo
};

// What the choice depends on. Environment values are null when unset.
struct FolderInputs {
    std::string programDir;
    const char* xdgDataHome = nullptr;
    const char* home = nullptr;
    std::string accountHome; // from the user database, when HOME says nothing usable
};

// A Data/ or textures/ folder beside the programs means a portable copy; otherwise the
// copy is installed and the data root is $XDG_DATA_HOME/valmora, or
// ~/.local/share/valmora. Relative paths in either variable are ignored, as the XDG rules
// say. False (with a reason) when an installed copy finds no home folder at all.
bool chooseGameFolders(const FolderInputs& in, GameFolders* out, std::string* error);

// The folder of the running program (from /proc/self/exe); empty if unknown.
std::string programDirectory();

// Start-up of either program: chooses the folders for this program and user, makes the data
// root (new folders private to the player) and a first Data/ with the defaults if there is
// none, makes the data root the working folder, takes the language from the environment and
// points the texture loader at the textures, in that language where a picture has words. On
// failure says why on standard error, after "<program>: ", and returns false.
bool enterGameFolders(const char* program, GameFolders* chosen = nullptr);

// The folder texture files are read from: "textures" in the working folder until set.
const std::string& textureFolder();
void setTextureFolder(const std::string& folder);
// Pictures with words come once per language, in <texture folder>/<language>/; "" (the
// start) means the pictures as written, in Polish.
void setTextureLanguage(const std::string& language);
const std::string& textureLanguageFolder();
// The file of a texture in folder: the language's own version where there is one.
std::string textureFilePath(const std::string& folder, const std::string& language,
                            const char* stem);
