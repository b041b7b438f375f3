// Entry point of the tests that run without a display: the harness makes no window and
// passes only step the game.
#include <gtest/gtest.h>

#include "support/harness.h"

int main(int argc, char** argv) {
    harnessWithoutWindow = true;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
