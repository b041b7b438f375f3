// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/message_box.h"

#include "setup/dialog_units.h"
#include "setup/modal_loop.h"

#include "core/language.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/headerbar.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>

namespace {

class MessageBox : public Gtk::Window {
  public:
    MessageBox(Gtk::Window* parent, const Glib::ustring& caption, const Glib::ustring& text,
               MessageIcon icon)
        : header_(), body_(Gtk::ORIENTATION_HORIZONTAL), column_(Gtk::ORIENTATION_VERTICAL),
          image_(icon == MessageIcon::Information ? "dialog-information" : "dialog-warning",
                 Gtk::ICON_SIZE_DIALOG),
          text_(text), ok_(_("OK")) {
        set_title(caption);
        header_.set_title(caption);
        header_.set_show_close_button(true);
        header_.set_decoration_layout(":close");
        set_titlebar(header_);
        set_resizable(false);
        set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
        if (parent) {
            set_transient_for(*parent);
            set_position(Gtk::WIN_POS_CENTER_ON_PARENT);
        }

        const DialogUnits du = measureDialogUnits(text_);
        text_.set_line_wrap(true);
        text_.set_max_width_chars(48);
        text_.set_xalign(0.0f);
        text_.set_valign(Gtk::ALIGN_CENTER);
        image_.set_valign(Gtk::ALIGN_START);
        body_.set_spacing(du.x(10));
        body_.pack_start(image_, Gtk::PACK_SHRINK);
        body_.pack_start(text_, Gtk::PACK_EXPAND_WIDGET);

        ok_.set_size_request(du.x(50), du.y(14));
        ok_.set_halign(Gtk::ALIGN_CENTER);
        ok_.set_can_default(true);
        ok_.signal_clicked().connect([this] { hide(); });

        column_.set_spacing(du.y(10));
        column_.set_border_width(du.x(10));
        column_.pack_start(body_, Gtk::PACK_EXPAND_WIDGET);
        column_.pack_start(ok_, Gtk::PACK_SHRINK);
        add(column_);
        show_all_children();
        set_default(ok_);
        ok_.grab_focus();
    }

  protected:
    bool on_key_press_event(GdkEventKey* event) override {
        if (event->keyval == GDK_KEY_Escape) {
            hide();
            return true;
        }
        return Gtk::Window::on_key_press_event(event);
    }

    bool on_delete_event(GdkEventAny*) override {
        hide();
        return true;
    }

  private:
    Gtk::HeaderBar header_;
    Gtk::Box body_;
    Gtk::Box column_;
    Gtk::Image image_;
    Gtk::Label text_;
    Gtk::Button ok_;
};

} // namespace

void showMessageBox(Gtk::Window* parent, const Glib::ustring& caption, const Glib::ustring& text,
                    MessageIcon icon) {
    MessageBox box(parent, caption, text, icon);
    runModal(box);
}
