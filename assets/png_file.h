// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// PNG files through libpng: the program icons, the tests' pictures and the screenshots.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// channels 3 (RGB) or 4 (RGBA), 8 bits each, rows packed. bottomRowFirst: the rows come as
// OpenGL reads them back. Returns the file's bytes; empty (with a message) on failure.
std::vector<uint8_t> encodePng(int width, int height, int channels, const uint8_t* pixels,
                               bool bottomRowFirst, std::string* error);

// Encodes and writes the file whole: through a temporary file renamed into place, so a
// reader sees the old file or the new one, never half of one.
bool writePngFile(const std::string& path, int width, int height, int channels,
                  const uint8_t* pixels, bool bottomRowFirst, std::string* error);
