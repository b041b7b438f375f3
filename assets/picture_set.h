// The game's 67 texture files, painted by our own painters.
#pragma once
#include <string>

#include "assets/canvas.h"

// Paints the picture of one texture stem. False for a stem the game does not load.
bool paintPicture(const char* stem, Canvas* out);

// Writes textures/<stem>.stx for every stem of the game's texture list into gameDir,
// replacing what is there. False (with a message) on the first failure.
bool writeTextures(const std::string& gameDir, std::string* error);
