// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gdkmm/pixbuf.h>

#include <string>
#include <vector>

// The launcher's icon in its two window sizes, 32 then 16 pixels, from an icon folder laid
// out as the hicolor theme is (hicolor/32x32/apps/valmora.png). Sizes whose file is missing
// or unreadable are left out.
std::vector<Glib::RefPtr<Gdk::Pixbuf>> loadProgramIcons(const std::string& iconDir);
