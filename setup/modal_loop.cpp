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
