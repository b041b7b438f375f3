// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file output for the generator.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes the bytes to path through a temporary file renamed into place, so a program
// reading meanwhile sees the old file or the new one, never half of one.
bool writeWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
