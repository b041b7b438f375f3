// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Text rasterised for pictures, in the face of the game's fonts.
#include <gtest/gtest.h>

#include "platform/text_raster.h"

namespace {

struct Ink {
    int w = 0, h = 0, top = -1, bottom = -1, left = -1, right = -1;
    long total = 0;
};

Ink render(const char* text, int height) {
    std::vector<uint8_t> cov;
    Ink ink;
    EXPECT_TRUE(platformRenderText("Arial", height, true, text, &cov, &ink.w, &ink.h));
    EXPECT_EQ(cov.size(), static_cast<size_t>(ink.w) * ink.h);
    for (int y = 0; y < ink.h; ++y)
        for (int x = 0; x < ink.w; ++x) {
            uint8_t v = cov[static_cast<size_t>(y) * ink.w + x];
            if (v < 128) continue;
            ink.total += v;
            if (ink.top < 0) ink.top = y;
            ink.bottom = y;
            if (ink.left < 0 || x < ink.left) ink.left = x;
            ink.right = std::max(ink.right, x);
        }
    return ink;
}

TEST(TextRaster, CellHeightIsThePixelHeightAsked) {
    for (int height : {20, 46, 112}) {
        SCOPED_TRACE(height);
        Ink ink = render("Start", height);
        EXPECT_NEAR(ink.h, height, 2);
        EXPECT_GT(ink.total, 0);
        // Capitals reach well up into the cell, nothing below the baseline in "Start".
        EXPECT_LT(ink.top, height / 3);
        EXPECT_LT(ink.bottom, height * 9 / 10);
    }
}

TEST(TextRaster, PolishLettersCarryTheirAccent) {
    Ink plain = render("s", 60), accented = render("\xC5\x9B", 60); // "ś"
    ASSERT_GE(plain.top, 0);
    ASSERT_GE(accented.top, 0);
    // The acute accent sits above the x-height of the bare letter.
    EXPECT_LT(accented.top, plain.top - 5);
    EXPECT_EQ(accented.bottom, plain.bottom);
    EXPECT_GT(accented.total, plain.total);
}

TEST(TextRaster, LongerWordsAreWiderAndSpacesAdvance) {
    Ink one = render("W", 40),
        word = render("Wyj\xC5\x9B"
                      "cie",
                      40),
        spaced = render("W W", 40);
    EXPECT_GT(word.w, one.w * 3);
    EXPECT_GT(spaced.w, one.w * 2);
    EXPECT_NEAR(spaced.total, one.total * 2, one.total / 10);
}

TEST(TextRaster, BrokenUtf8AndEmptyTextDoNotFail) {
    Ink broken = render("A\xFF\xC5", 30);
    EXPECT_GT(broken.total, 0);
    Ink empty = render("", 30);
    EXPECT_EQ(empty.total, 0);
}

TEST(TextRaster, BadHeightIsRefused) {
    std::vector<uint8_t> cov = {1, 2, 3};
    int w = 5, h = 5;
    EXPECT_FALSE(platformRenderText("Arial", 0, true, "x", &cov, &w, &h));
    EXPECT_TRUE(cov.empty());
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

} // namespace
