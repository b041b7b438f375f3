// The game in English (run with LANGUAGE=en): the F1 panel in the smallest window the launcher
// offers, each line read from the frame against the same line drawn alone, and the start
// screen's English poster.
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
#include "support/harness.h"

namespace {

bool white(int r, int g, int b) {
    return r >= 250 && g >= 250 && b >= 250;
}

struct Ink {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1; // top-left origin, x1 and y1 exclusive
    bool empty() const { return x1 < 0; }
};

Ink inkIn(const Picture& pic, int y0, int y1) {
    Ink ink;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < pic.width; ++x) {
            int r, g, b;
            pic.at(x, y, &r, &g, &b);
            if (!white(r, g, b)) continue;
            ink = {std::min(ink.x0, x), std::min(ink.y0, y), std::max(ink.x1, x + 1),
                   std::max(ink.y1, y + 1)};
        }
    return ink;
}

// The rows of the frame that hold white text, as one band per line.
std::vector<Ink> lineBands(const Picture& pic) {
    std::vector<Ink> bands;
    int start = -1;
    for (int y = 0; y <= pic.height; ++y) {
        const bool inked = y < pic.height && pic.count(0, y, pic.width, y + 1, white) > 0;
        if (inked && start < 0) start = y;
        if (!inked && start >= 0) {
            bands.push_back(inkIn(pic, start, y));
            start = -1;
        }
    }
    return bands;
}

// One line in the help font, white on black in the window's pixel coordinates.
Picture drawnAlone(const char* line) {
    int w, h;
    platformClientSize(&w, &h);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glRasterPos2f(8, static_cast<float>(h / 2));
    printText(helpFont, line);
    Picture pic;
    pic.width = w;
    pic.height = h;
    pic.rgb = backBufferPixels();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    return pic;
}

// Pixels where the frame's ink inside `at` and the ink of `alone` placed there disagree.
int inkMismatches(const Picture& frame, const Ink& at, const Picture& alone) {
    const Ink own = inkIn(alone, 0, alone.height);
    int differ = std::abs((at.x1 - at.x0) - (own.x1 - own.x0)) * (at.y1 - at.y0) +
                 std::abs((at.y1 - at.y0) - (own.y1 - own.y0)) * (at.x1 - at.x0);
    for (int y = 0; y < std::min(at.y1 - at.y0, own.y1 - own.y0); ++y)
        for (int x = 0; x < std::min(at.x1 - at.x0, own.x1 - own.x0); ++x) {
            int r, g, b, ar, ag, ab;
            frame.at(at.x0 + x, at.y0 + y, &r, &g, &b);
            alone.at(own.x0 + x, own.y0 + y, &ar, &ag, &ab);
            differ += white(r, g, b) != white(ar, ag, ab);
        }
    return differ;
}

class English : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGameWindow(640, 480);
        ASSERT_EQ(catalogueLanguage(), "en") << "run with LANGUAGE=en and the built catalogues";
        dir.writeDefaults();
        dir.writeData("resx.dat", "640");
        dir.writeData("resy.dat", "480");
    }
    TempGameDir dir;
};

TEST_F(English, HelpPanelReadsInEnglishAndFitsA640By480Window) {
    startGame();
    passKey(VK_F1);
    ASSERT_TRUE(helpShown);
    const Picture frame = frameNow();
    ASSERT_EQ(frame.width, 640);
    ASSERT_EQ(frame.height, 480);
    // Under the dimmed layer and the panel nothing else is white: the bands are the lines.
    const std::vector<Ink> bands = lineBands(frame);
    ASSERT_EQ(static_cast<int>(bands.size()), kHelpLineCount);
    for (int i = 0; i < kHelpLineCount; ++i) {
        const char* line = _(kHelpLines[i]);
        SCOPED_TRACE(line);
        EXPECT_STRNE(line, kHelpLines[i]) << "an English line";
        // Wholly inside the window, with room for the panel's edges.
        EXPECT_GE(bands[i].x0, 16);
        EXPECT_LE(bands[i].x1, frame.width - 16);
        const Picture alone = drawnAlone(line);
        const int differ = inkMismatches(frame, bands[i], alone);
        EXPECT_EQ(differ, 0);
        if (differ) savePng(alone, "english_help_line" + std::to_string(i));
    }
    savePng(frame, "english_help");
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
        pass();
        frames[*language ? 1 : 0] = frameNow();
    }
    savePng(frames[1], "english_start_screen");
    // Its own help caption and quit button: words, a few hundred pixels, not the picture.
    const int differ = differingPixels(frames[0], frames[1]);
    EXPECT_GT(differ, 300);
    EXPECT_LT(differ, frames[0].width * frames[0].height / 10);
}

} // namespace
