#include "setup/setup_app.h"

#include "setup/game_starter.h"
#include "setup/setup_dialog.h"

#include <gtkmm/main.h>

#include <cstdio>

int SetupApp::run(int argc, char** argv) {
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "setup: cannot open the display\n");
        return 1;
    }
    Gtk::Main::init_gtkmm_internals();
    SetupDialog dialog(launcherDirectory());
    dialog.run();
    return 0;
}
