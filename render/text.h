// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap text: display lists per font, one per character code 32..127 and one per extra
// letter (the Polish ones and the dash), reached from UTF-8 text.
#pragma once
#include "render/gl.h"

// The fonts' display lists in the one GL context, built at scene set-up.
extern GLuint smallFont;
extern GLuint largeFont;
// Smaller, for the help panel's lines.
extern GLuint helpFont;

// First of 96 new lists, or 0 when the face cannot be made.
GLuint buildFont(const char* face, int height);
// Releases a font's lists (a new scene set-up builds fresh ones).
void releaseFont(GLuint font);
// Pixels the text moves the raster position on by (0 for a font that was not built).
float textWidth(GLuint font, const char* text);
// Prints UTF-8 at the current raster position; codes outside 32..127 and the extra letters
// are skipped, as are broken sequences.
void printText(GLuint font, const char* text);
