#pragma once

#include <gdkmm/pixbuf.h>

#include <string>
#include <vector>

// The launcher's icon in its two sizes, 32 then 16 pixels, from icons/ beside the program.
// Sizes whose file is missing or unreadable are left out.
std::vector<Glib::RefPtr<Gdk::Pixbuf>> loadProgramIcons(const std::string& launcherDir);
