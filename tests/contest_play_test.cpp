// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A competition as a person plays one: K, Enter, S to his turn, his jump, S and the boards to
// the end, and the block it leaves in Data/wyniki.txt.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "support/game_process.h"
#include "support/harness.h"
#include "setup_test_support.h"

namespace {

void sleepFor(double seconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

void click(unsigned long window, int button) {
    run("xdotool click --window " + std::to_string(window) + " " + std::to_string(button));
}

// The share of the window under the boards' and panels' dark blue.
double darkBlueShare(const Picture& pic) {
    const int n = pic.count(0, 0, pic.width, pic.height,
                            [](int r, int g, int b) { return r < 40 && g < 50 && b > r + 20; });
    return static_cast<double>(n) / (pic.width * pic.height);
}

bool boardShown(const Picture& pic) {
    return darkBlueShare(pic) > 0.4;
}

// Space, the take-off click and the landing stance, then down and judged.
void playersJump(unsigned long w) {
    run("xdotool mousemove --window " + std::to_string(w) + " 400 300");
    typeKeys(w, "space");
    sleepFor(1.05); // the take-off window is open 0.8 s to 1.4 s
    click(w, 1);
    sleepFor(0.35);
    click(w, 3);
    sleepFor(4.0);
}

TEST(ContestAsAPlayer, KEnterSAJumpAndTheBoardsToTheResultsFile) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    OwnDisplay display(1280, 1024);
    TempGameDir dir;
    if (!dir.hasTextures()) GTEST_SKIP() << "the built game has no textures";
    dir.writeDefaults();
    dir.configure(1, 1, 0, 6);

    GameProcess game;
    const auto windows = waitForWindows(game.pid());
    ASSERT_EQ(windows.size(), 1u);
    const unsigned long w = windows[0];
    sleepFor(0.5);
    const Picture start = grabWindow(w);
    savePng(start, "contest_0_start_screen");

    typeKeys(w, "k");
    sleepFor(0.4);
    const Picture panel = grabWindow(w);
    savePng(panel, "contest_1_panel");
    EXPECT_GT(differingPixels(panel, start), 20000) << "the panel stands over the poster";

    typeKeys(w, "Return");
    sleepFor(1.5);
    const Picture first = grabWindow(w);
    savePng(first, "contest_2_first_jumper");
    EXPECT_FALSE(boardShown(first));

    for (int round = 1; round <= 2; ++round) {
        typeKeys(w, "s"); // to the player's turn, or the round's end
        sleepFor(1.0);
        Picture now = grabWindow(w);
        if (!boardShown(now)) {
            playersJump(w);
            savePng(grabWindow(w), "contest_3_result_round" + std::to_string(round));
            typeKeys(w, "s");
            sleepFor(1.0);
            now = grabWindow(w);
        }
        savePng(now, "contest_4_board_round" + std::to_string(round));
        ASSERT_TRUE(boardShown(now)) << "round " << round;
        typeKeys(w, "Next Return");
        sleepFor(1.0);
    }
    const Picture back = grabWindow(w);
    savePng(back, "contest_5_back");
    EXPECT_LT(differingPixels(back, start), 5000) << "the start screen again";

    typeKeys(w, "q");
    EXPECT_EQ(game.waitForExit(10), 0);

    // One block: a header with the hill and format, then the 50 starters by place.
    std::istringstream results(dir.readData("wyniki.txt"));
    std::string line;
    ASSERT_TRUE(std::getline(results, line));
    EXPECT_NE(line.find("Konkurs"), std::string::npos) << line;
    int starters = 0, players = 0;
    while (std::getline(results, line) && !line.empty()) {
        ++starters;
        if (line.find("Gracz 1") != std::string::npos) ++players;
    }
    EXPECT_EQ(starters, 50);
    EXPECT_EQ(players, 1);
}

} // namespace
