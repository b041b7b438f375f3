// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtkmm/widget.h>

// Dialog units measured from a widget's own font, as the classic dialog templates define them:
// a quarter of the average character width across and an eighth of the line height down.
// Laying out with them keeps a template's proportions under GTK's fonts and metrics.
struct DialogUnits {
    double pixelsAcross = 1.5;
    double pixelsDown = 2.0;

    int x(double units) const { return static_cast<int>(units * pixelsAcross + 0.5); }
    int y(double units) const { return static_cast<int>(units * pixelsDown + 0.5); }
};

DialogUnits measureDialogUnits(Gtk::Widget& widget);
