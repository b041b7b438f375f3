// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game in English (run with LANGUAGE=en): the F1 panel in the smallest window the launcher
// offers, each line read from the frame against the same line drawn alone, the HUD's words,
// and the start screen's English poster.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/game_folders.h"
#include "core/language.h"
#include "game/hints.h"
#include "platform/platform.h"
#include "render/gl.h"
#include "render/text.h"
#include "game/screen_layer.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

bool white(int r, int g, int b) {
    return r >= 250 && g >= 250 && b >= 250;
}

// The white pixels of each run of rows that holds some: one text line each, top first.
struct Ink {
    int x0, y0, x1, y1; // top-left origin, x1 and y1 exclusive
};

std::vector<Ink> inkLines(const Picture& pic) {
    std::vector<Ink> lines;
    bool open = false;
    for (int y = 0; y < pic.height; ++y) {
        int x0 = pic.width, x1 = -1;
        for (int x = 0; x < pic.width; ++x) {
            int r, g, b;
            pic.at(x, y, &r, &g, &b);
            if (white(r, g, b)) x0 = std::min(x0, x), x1 = x + 1;
        }
        if (x1 < 0) {
            open = false;
            continue;
        }
        if (!open) lines.push_back({x0, y, x1, y + 1});
        Ink& l = lines.back();
        l = {std::min(l.x0, x0), l.y0, std::max(l.x1, x1), y + 1};
        open = true;
    }
    return lines;
}

// A line in the help font alone, white on black, in the window's pixels.
Picture drawnAlone(const char* line) {
    const ScreenLayer layer;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glRasterPos2f(8, layer.h / 2.0f);
    printText(helpFont, line);
    const int w = static_cast<int>(layer.w), h = static_cast<int>(layer.h);
    Picture pic{w, h, backBufferPixels()};
    return pic;
}

class English : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGameWindow(640, 480);
        ASSERT_EQ(catalogueLanguage(), "en") << "run with LANGUAGE=en and the built catalogues";
        dir.writeDefaults();
    }
    TempGameDir dir;
};

TEST_F(English, HelpPanelReadsInEnglishAndFitsA640By480Window) {
    startGame();
    passKey(VK_F1);
    ASSERT_TRUE(game().mode.help);
    const Picture frame = frameNow();
    savePng(frame, "english_help");
    // Under the dimmed layer and the panel nothing but the lines is white.
    const std::vector<Ink> lines = inkLines(frame);
    ASSERT_EQ(static_cast<int>(lines.size()), kHelpLineCount);
    for (int i = 0; i < kHelpLineCount; ++i) {
        const char* text = _(kHelpLines[i]);
        SCOPED_TRACE(text);
        EXPECT_STRNE(text, kHelpLines[i]);
        const Ink at = lines[i];
        // Wholly inside the window, with room for the panel's edges.
        EXPECT_GE(at.x0, 16);
        EXPECT_LE(at.x1, frame.width - 16);
        const Picture alone = drawnAlone(text);
        const std::vector<Ink> own = inkLines(alone);
        ASSERT_EQ(own.size(), 1u);
        ASSERT_EQ(own[0].x1 - own[0].x0, at.x1 - at.x0);
        ASSERT_EQ(own[0].y1 - own[0].y0, at.y1 - at.y0);
        int differ = 0;
        for (int y = 0; y < at.y1 - at.y0; ++y)
            for (int x = 0; x < at.x1 - at.x0; ++x) {
                int r, g, b, ar, ag, ab;
                frame.at(at.x0 + x, at.y0 + y, &r, &g, &b);
                alone.at(own[0].x0 + x, own[0].y0 + y, &ar, &ag, &ab);
                differ += white(r, g, b) != white(ar, ag, ab);
            }
        EXPECT_EQ(differ, 0);
    }
}

TEST_F(English, HudWordsAreNoWiderThanThePolishOnesItsPanelsHold) {
    startGame();
    const std::pair<GLuint, const char*> words[] = {
        {smallFont, " rekord: "}, {smallFont, "pkt"}, {largeFont, " pkt."}};
    for (const auto& [font, word] : words) {
        SCOPED_TRACE(word);
        EXPECT_STRNE(_(word), word);
        EXPECT_LE(textWidth(font, _(word)), textWidth(font, word));
    }
}

TEST_F(English, StartScreenShowsTheEnglishPoster) {
    // The pictures as written, then the English ones, each on a fresh start screen.
    Picture frames[2];
    for (const char* language : {"", "en"}) {
        setTextureLanguage(language);
        startGame();
        frames[*language ? 1 : 0] = frameNow();
    }
    savePng(frames[1], "english_start_screen");
    // Its own help caption and quit button: words, a few hundred pixels, not the picture.
    const int differ = differingPixels(frames[0], frames[1]);
    EXPECT_GT(differ, 300);
    EXPECT_LT(differ, frames[0].width * frames[0].height / 10);
}

} // namespace
