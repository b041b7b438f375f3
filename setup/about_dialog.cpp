// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/about_dialog.h"

#include "setup/dialog_units.h"

#include "core/language.h"

#include <gdk/gdkkeysyms.h>

AboutDialog::AboutDialog(Gtk::Window& parent, const Glib::RefPtr<Gdk::Pixbuf>& icon)
    : version_(_("setup Version 1.0")), author_(_("Copyright (C) 2026 Valmora")), ok_(_("OK")) {
    set_title(_("About setup"));
    header_.set_title(_("About setup"));
    header_.set_show_close_button(true);
    header_.set_decoration_layout(":close");
    set_titlebar(header_);
    set_resizable(false);
    set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
    set_transient_for(parent);
    set_position(Gtk::WIN_POS_CENTER_ON_PARENT);

    // The box is laid out on its 235 x 55 template: icon at (11, 17), texts at x 40 on lines
    // 10 and 25, "OK" at (178, 7) sized 50 x 14.
    const DialogUnits du = measureDialogUnits(version_);
    if (icon) icon_.set(icon);
    icon_.set_size_request(32, 32);
    icon_.set_valign(Gtk::ALIGN_START);
    icon_.set_margin_start(du.x(11));
    icon_.set_margin_top(du.y(17) - du.y(7));
    icon_.set_margin_bottom(du.y(6));

    version_.set_xalign(0.0f);
    author_.set_xalign(0.0f);
    version_.set_size_request(du.x(119), du.y(8));
    author_.set_size_request(du.x(119), du.y(8));
    const int textIndent = du.x(40) - du.x(11) - 32;
    version_.set_margin_start(textIndent > du.x(4) ? textIndent : du.x(4));
    author_.set_margin_start(textIndent > du.x(4) ? textIndent : du.x(4));
    version_.set_margin_top(du.y(10) - du.y(7));
    author_.set_margin_top(du.y(25 - 10 - 8));
    author_.set_valign(Gtk::ALIGN_START);

    ok_.set_size_request(du.x(50), du.y(14));
    ok_.set_valign(Gtk::ALIGN_START);
    ok_.set_margin_start(du.x(178 - 159));
    ok_.set_margin_end(du.x(235 - 228));
    ok_.set_can_default(true);
    ok_.signal_clicked().connect([this] { hide(); });

    grid_.set_margin_top(du.y(7));
    grid_.set_margin_bottom(du.y(7));
    grid_.attach(icon_, 0, 0, 1, 2);
    grid_.attach(version_, 1, 0, 1, 1);
    grid_.attach(author_, 1, 1, 1, 1);
    grid_.attach(ok_, 2, 0, 1, 2);
    add(grid_);
    show_all_children();
    set_default(ok_);
    ok_.grab_focus();
}

bool AboutDialog::on_key_press_event(GdkEventKey* event) {
    if (event->keyval == GDK_KEY_Escape) {
        hide();
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

bool AboutDialog::on_delete_event(GdkEventAny*) {
    hide();
    return true;
}
