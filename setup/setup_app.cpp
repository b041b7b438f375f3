// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/setup_app.h"

#include "core/game_folders.h"
#include "setup/setup_dialog.h"

#include <gtkmm/main.h>

#include <cstdio>

int SetupApp::run(int argc, char** argv) {
    // GTK's own options (--display and the like) are taken first; the launcher has none, and
    // one it does not know is a mistake worth saying, as the game does.
    gtk_parse_args(&argc, &argv);
    if (argc > 1) {
        std::fprintf(stderr, "setup: unknown argument %s\nusage: setup\n", argv[1]);
        return 2;
    }
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
