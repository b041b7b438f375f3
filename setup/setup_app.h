// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The launcher program: one modal dialog, then the end.
class SetupApp {
  public:
    int run(int argc, char** argv);
};
