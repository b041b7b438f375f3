// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <glibmm/ustring.h>
#include <gtkmm/window.h>

enum class MessageIcon { Information, Warning };

// A modal message box with a caption, an icon, the text and one "OK" button; returns when the
// player closes it (OK, Enter, Escape or the close box).
void showMessageBox(Gtk::Window* parent, const Glib::ustring& caption, const Glib::ustring& text,
                    MessageIcon icon);
