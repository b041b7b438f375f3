// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Entry point of the tests that run without a display: the harness makes no window and
// passes only step the game.
#include <gtest/gtest.h>

#include "support/harness.h"

int main(int argc, char** argv) {
    harnessWithoutWindow = true;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
