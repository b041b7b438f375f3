// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/modal_loop.h"

#include <glibmm/main.h>

void runModal(Gtk::Window& window) {
    auto loop = Glib::MainLoop::create();
    auto connection = window.signal_hide().connect([&loop] { loop->quit(); });
    window.set_modal(true);
    window.show();
    if (window.get_visible()) loop->run();
    connection.disconnect();
}
