// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/program_icon.h"

std::vector<Glib::RefPtr<Gdk::Pixbuf>> loadProgramIcons(const std::string& iconDir) {
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> icons;
    for (const char* size : {"32x32", "16x16"}) {
        try {
            icons.push_back(
                Gdk::Pixbuf::create_from_file(iconDir + "/hicolor/" + size + "/apps/valmora.png"));
        } catch (const Glib::Error&) {
            // No icon is better than no launcher.
        }
    }
    return icons;
}
