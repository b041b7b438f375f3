// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/dialog_units.h"

#include <pangomm/layout.h>

DialogUnits measureDialogUnits(Gtk::Widget& widget) {
    auto layout =
        widget.create_pango_layout("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    int width = 0;
    int height = 0;
    layout->get_pixel_size(width, height);
    DialogUnits units;
    if (width > 0 && height > 0) {
        // The average character width is rounded the way the classic toolkits round it.
        units.pixelsAcross = ((width / 26 + 1) / 2) / 4.0;
        units.pixelsDown = height / 8.0;
    }
    return units;
}
