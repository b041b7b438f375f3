// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/setup_app.h"

int main(int argc, char** argv) {
    SetupApp app;
    return app.run(argc, argv);
}
