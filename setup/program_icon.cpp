#include "setup/program_icon.h"

std::vector<Glib::RefPtr<Gdk::Pixbuf>> loadProgramIcons(const std::string& launcherDir) {
    std::vector<Glib::RefPtr<Gdk::Pixbuf>> icons;
    for (const char* name : {"setup32.png", "setup16.png"}) {
        try {
            icons.push_back(Gdk::Pixbuf::create_from_file(launcherDir + "/icons/" + name));
        } catch (const Glib::Error&) {
            // No icon is better than no launcher.
        }
    }
    return icons;
}
