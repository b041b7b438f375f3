#pragma once

#include <gtkmm/window.h>

// Shows the window and runs a nested main loop until it is hidden, like a modal dialog.
void runModal(Gtk::Window& window);
