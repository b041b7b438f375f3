// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtkmm/window.h>

// Shows the window and runs a nested main loop until it is hidden, like a modal dialog.
void runModal(Gtk::Window& window);
