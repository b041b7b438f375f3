// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's 67 texture files, painted by our own painters.
#pragma once
#include <string>

#include "assets/canvas.h"

// A picture with words once more in another language, as textures/<language>/<stem>.stx:
// the game takes it in that language in place of the Polish one.
struct LanguagePicture {
    const char* language;
    const char* stem;
    Canvas (*paint)();
};
extern const LanguagePicture kLanguagePictures[];
extern const int kLanguagePictureCount;

// Paints the picture of one texture stem. False for a stem the game does not load.
bool paintPicture(const char* stem, Canvas* out);

// Writes textures/<stem>.stx for every stem of the game's texture list into gameDir, and
// textures/<language>/<stem>.stx for the pictures with words in other languages, replacing
// what is there. False (with a message) on the first failure.
bool writeTextures(const std::string& gameDir, std::string* error);
