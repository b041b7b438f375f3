// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The program icon: a ski jumper in flight over a landing hill.
#pragma once
#include <string>

#include "assets/canvas.h"

// The icon at size x size pixels; transparent outside its rounded square.
Canvas paintProgramIcon(int size);

// The sizes a desktop asks for, in pixels.
constexpr int kProgramIconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int kProgramIconCount = sizeof(kProgramIconSizes) / sizeof(kProgramIconSizes[0]);

// Writes icons/hicolor/<n>x<n>/apps/valmora.png for every size into gameDir, laid out as the
// icon theme is, so an install copies the folder as it is.
bool writeProgramIcons(const std::string& gameDir, std::string* error);
