// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The replay as a person meets it: the built game under the X display, a jump played with
// xdotool in real time, R pressed once the jumper has stopped, the window looked at; then
// the record jump's file played by the time demo.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "setup_test_support.h"
#include "support/game_process.h"
#include "support/harness.h"

namespace {

void sleepFor(double seconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

void click(unsigned long window, int button) {
    run("xdotool click --window " + std::to_string(window) + " " + std::to_string(button));
}

// Pixels of the dark blue band that carries the replay's label, at the top centre.
int labelBand(const Picture& pic) {
    return pic.count(pic.width / 2 - 60, 8, pic.width / 2 + 60, 40,
                     [](int r, int, int b) { return r < 130 && b > r + 20; });
}

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ReplayAsAPlayer : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
        // The windows of tests running beside this one would cover the game's window, whose
        // pictures are read back from the X server, and could take its keys.
        display = std::make_unique<OwnDisplay>(1280, 1024);
        dir = std::make_unique<TempGameDir>();
        if (!dir->hasTextures()) GTEST_SKIP() << "the built game has no textures";
        dir->writeDefaults();
        dir->configure(1, 1, 0, 6);
    }
    std::unique_ptr<OwnDisplay> display;
    std::unique_ptr<TempGameDir> dir;
};

TEST_F(ReplayAsAPlayer, LandsAJumpPressesRAndSeesItAgainThenTheTimeDemoPlaysTheRecord) {
    {
        GameProcess game;
        const auto windows = waitForWindows(game.pid());
        ASSERT_EQ(windows.size(), 1u);
        const unsigned long w = windows[0];
        typeKeys(w, "Return");
        sleepFor(1.0);
        run("xdotool mousemove --window " + std::to_string(w) + " 400 300");
        // Real time is not exact: a jump that missed its take-off is tried again.
        for (int attempt = 0; attempt < 4 && !dir->dataExists("replay1.dat"); ++attempt) {
            if (attempt > 0) {
                typeKeys(w, "Return"); // the next jump
                sleepFor(0.5);
            }
            typeKeys(w, "space");
            sleepFor(1.0 + 0.1 * attempt); // the take-off window is open 0.8 s to 1.4 s
            click(w, 1);
            sleepFor(0.35);
            click(w, 3);   // the landing stance
            sleepFor(4.5); // down, out-run, stopped
        }
        ASSERT_TRUE(dir->dataExists("replay1.dat")) << "no record jump landed";
        const Picture live = grabWindow(w);
        savePng(live, "replay_0_live");
        EXPECT_LT(labelBand(live), 200);

        typeKeys(w, "r");
        sleepFor(0.4);
        const Picture inrun = grabWindow(w);
        sleepFor(1.2);
        const Picture air = grabWindow(w);
        sleepFor(1.25);
        const Picture ground = grabWindow(w);
        savePng(inrun, "replay_1_inrun");
        savePng(air, "replay_2_air");
        savePng(ground, "replay_3_ground");
        for (const Picture* p : {&inrun, &air, &ground})
            EXPECT_GT(labelBand(*p), 1000) << "\"powtórka\" on its band";
        // The jump moves again: the camera follows the jumper down the hill.
        EXPECT_GT(differingPixels(inrun, live), 10000);
        EXPECT_GT(differingPixels(air, inrun), 10000);
        EXPECT_GT(differingPixels(ground, air), 10000);

        // The replay ends by itself.
        Picture after = grabWindow(w);
        for (int n = 0; n < 30 && labelBand(after) >= 200; ++n) {
            sleepFor(0.5);
            after = grabWindow(w);
        }
        savePng(after, "replay_4_after");
        EXPECT_LT(labelBand(after), 200);
        typeKeys(w, "q");
        EXPECT_EQ(game.waitForExit(10), 0);
    }

    const int record = std::stoi(dir->readData("record1.dat"));
    {
        GameProcess demo(nullptr, {"--timedemo", "Data/replay1.dat"});
        ASSERT_EQ(demo.waitForExit(120), 0) << fileText("stderr.txt");
    }
    int frames = 0, distance = -1, points = -1;
    double seconds = 0, fps = 0;
    const std::string line = fileText("stdout.txt");
    ASSERT_EQ(std::sscanf(line.c_str(), "frames=%d seconds=%lf fps=%lf distance=%d points=%d",
                          &frames, &seconds, &fps, &distance, &points),
              5)
        << line;
    EXPECT_EQ(distance, record);
    // The distance's points and five marks of 18 or 19.
    const int distancePoints = static_cast<int>(record * 1.8f);
    EXPECT_GE(points, distancePoints + 90);
    EXPECT_LE(points, distancePoints + 95);
    EXPECT_GT(frames, 150);

    // A file that is no replay: the reason, and a failure.
    dir->writeData("junk.dat", std::string(64, 'j'));
    {
        GameProcess demo(nullptr, {"--timedemo", "Data/junk.dat"});
        EXPECT_EQ(demo.waitForExit(30), 1);
    }
    EXPECT_NE(fileText("stderr.txt").find("Data/junk.dat: not a replay file"), std::string::npos)
        << fileText("stderr.txt");
}

} // namespace
