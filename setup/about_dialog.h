// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gdkmm/pixbuf.h>
#include <gtkmm/button.h>
#include <gtkmm/grid.h>
#include <gtkmm/headerbar.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/window.h>

// The launcher's about box: icon, version line, author line and "OK".
class AboutDialog : public Gtk::Window {
  public:
    // icon may be empty: the box then shows no picture.
    AboutDialog(Gtk::Window& parent, const Glib::RefPtr<Gdk::Pixbuf>& icon);

    Gtk::Button& okButton() { return ok_; }
    const Gtk::Label& versionLabel() const { return version_; }
    const Gtk::Label& authorLabel() const { return author_; }
    const Gtk::Image& iconImage() const { return icon_; }

  protected:
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_delete_event(GdkEventAny* event) override;

  private:
    Gtk::HeaderBar header_;
    Gtk::Grid grid_;
    Gtk::Image icon_;
    Gtk::Label version_;
    Gtk::Label author_;
    Gtk::Button ok_;
};
