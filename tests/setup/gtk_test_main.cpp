// Entry point of the launcher's GTK tests: they need a display (run under xvfb-run -a).
#include <gtest/gtest.h>
#include <gtkmm/main.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "These tests need a display: run them under xvfb-run -a.\n");
        return 1;
    }
    Gtk::Main::init_gtkmm_internals();
    return RUN_ALL_TESTS();
}
