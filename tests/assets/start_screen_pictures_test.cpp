// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen as the game draws it from the generated poster and buttons.
#include <gtest/gtest.h>

#include <cmath>

#include "support/harness.h"

namespace {

// Where a point of the start screen's plane lands in an 800 x 600 window: eye (8.3, 6.8,
// 12) looking down -z, 55 degrees vertical field of view.
void project(float x, float y, float planeZ, int* sx, int* sy) {
    float d = 12.0f - planeZ;
    float halfH = d * std::tan(27.5f * 3.14159265f / 180.0f), halfW = halfH * 800.0f / 600.0f;
    *sx = static_cast<int>(400 + (x - 8.3f) / halfW * 400);
    *sy = static_cast<int>(300 - (y - 6.8f) / halfH * 300);
}

bool orange(int r, int g, int b) {
    return r > 200 && g > 110 && g < 235 && b < 130;
}
bool navy(int r, int g, int b) {
    return b > 60 && b > r + 30 && b > g + 15;
}

class StartScreenPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.hasTextures()) << "build the game_pictures target first";
        dir.writeDefaults();
        startGame();
        pass();
        pass(); // the second frame clears to black like every later one
        frame = lastFrame();
        ASSERT_EQ(frame.width, 800);
        ASSERT_EQ(frame.height, 600);
    }
    void TearDown() override {
        if (HasFailure()) savePng(frame, "start_screen_pictures");
    }
    TempGameDir dir;
    Picture frame;
};

TEST_F(StartScreenPictures, HighlightedStartAndPlainQuitButtonShowTheirColours) {
    // At start the start button is highlighted (drawn at x 0.6) and quit is plain (0.45).
    int sx0, sy0, sx1, sy1;
    project(0.6f, 10.1f, -0.9f, &sx0, &sy0);
    project(4.6f, 9.0f, -0.9f, &sx1, &sy1);
    int w = sx1 - sx0, h = sy1 - sy0;
    // A strip at the button's left end, clear of the label.
    int litStrip = frame.count(sx0 + w / 20, sy0 + h / 3, sx0 + w / 8, sy1 - h / 3, orange);
    int stripArea = (sx0 + w / 8 - (sx0 + w / 20)) * (sy1 - h / 3 - (sy0 + h / 3));
    EXPECT_GT(litStrip, stripArea * 8 / 10);

    project(0.45f, 9.1f, -0.9f, &sx0, &sy0);
    project(4.45f, 8.0f, -0.9f, &sx1, &sy1);
    w = sx1 - sx0;
    h = sy1 - sy0;
    int plainStrip = frame.count(sx0 + w / 20, sy0 + h / 3, sx0 + w / 8, sy1 - h / 3, navy);
    stripArea = (sx0 + w / 8 - (sx0 + w / 20)) * (sy1 - h / 3 - (sy0 + h / 3));
    EXPECT_GT(plainStrip, stripArea * 8 / 10);
    // The label is light on the dark button: light pixels in the middle of it.
    int label = frame.count(sx0 + w / 4, sy0, sx1 - w / 4, sy1,
                            [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; });
    EXPECT_GT(label, 40);
}

TEST_F(StartScreenPictures, PosterShowsAroundTheRoundedButtonCorners) {
    // Just inside the button quad's top-left corner lies the transparent part of the
    // picture: the poster's night sky shows there, not the button and not a black hole.
    int sx, sy;
    project(0.6f, 10.1f, -0.9f, &sx, &sy);
    int r, g, b;
    frame.at(sx + 1, sy + 1, &r, &g, &b);
    EXPECT_FALSE(orange(r, g, b));
    EXPECT_GT(r + g + b, 0) << "the poster, not the black clear colour";
    EXPECT_LT(r, 120);
}

TEST_F(StartScreenPictures, TitleStandsAtTheTopOfThePoster) {
    // The title is the brightest thing in the sky: many light pixels in a band near the
    // top of the window, hardly any in an equal band lower in the sky.
    auto light = [](int r, int g, int b) { return r > 180 && g > 200 && b > 220; };
    int top = frame.count(260, 40, 620, 130, light);
    int lower = frame.count(260, 130, 620, 220, light);
    EXPECT_GT(top, 2000);
    EXPECT_LT(lower * 10, top);
}

TEST_F(StartScreenPictures, TopEdgeOfThePosterShowsNoSeam) {
    // The panel's top edge is on screen, with black above it. The picture repeats, so the
    // filtering at that edge reaches round to the bottom of the picture: the snow down there
    // must not come up as a light line along the top.
    int sx, sy;
    project(9.0f, 13.2f, -1.0f, &sx, &sy);
    ASSERT_GT(sy, 4);
    auto light = [](int r, int g, int b) { return r + g + b > 240; };
    const int edge = frame.count(0, sy - 3, 800, sy + 3, light);
    const int skyBelow = frame.count(0, sy + 3, 800, sy + 9, light);
    EXPECT_LE(edge, skyBelow + 8) << "edge row " << sy;
}

} // namespace
