#include "setup/setup_app.h"

#include "core/game_folders.h"
#include "setup/setup_dialog.h"

#include <gtkmm/main.h>

#include <cstdio>

int SetupApp::run(int argc, char** argv) {
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "setup: cannot open the display\n");
        return 1;
    }
    Gtk::Main::init_gtkmm_internals();
    // The settings go to the Data/ the game will read, whatever folder we were started from.
    GameFolders folders;
    if (!enterGameFolders("setup", &folders)) return 1;
    SetupDialog dialog(folders.programDir, folders.icons);
    dialog.run();
    return 0;
}
