// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap text in a real GL context: 96 lists per font, glyphs that reach the screen at the
// raster position, and the printer's handling of empty texts and codes without a list.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "platform/platform.h"
#include "render/gl.h"
#include "render/text.h"
#include "support/harness.h"

namespace {

// A pixel-exact 2-D view (one unit per pixel, origin bottom left), white text on black.
class TextView {
  public:
    TextView() {
        ensureGameWindow();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glGetIntegerv(GL_VIEWPORT, vp_);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, vp_[2], 0, vp_[3], -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_FOG);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_ALPHA_TEST);
        glColor3f(1, 1, 1);
        clear();
    }
    ~TextView() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
    void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void at(int x, int y) {
        glColor3f(1, 1, 1); // the raster colour is taken when the position is set
        glRasterPos2i(x, y);
    }
    float rasterX() {
        GLfloat p[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, p);
        return p[0];
    }
    float rasterY() {
        GLfloat p[4];
        glGetFloatv(GL_CURRENT_RASTER_POSITION, p);
        return p[1];
    }
    // The back buffer as lit / unlit, bottom row first.
    std::vector<bool> ink() {
        std::vector<unsigned char> px(static_cast<size_t>(vp_[2]) * vp_[3] * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(vp_[0], vp_[1], vp_[2], vp_[3], GL_RGB, GL_UNSIGNED_BYTE, px.data());
        std::vector<bool> lit(static_cast<size_t>(vp_[2]) * vp_[3]);
        for (size_t i = 0; i < lit.size(); ++i)
            lit[i] = px[i * 3] > 128;
        return lit;
    }
    int width() const { return vp_[2]; }
    int height() const { return vp_[3]; }

  private:
    GLint vp_[4];
};

struct Box {
    int count = 0, x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};

Box inkBox(const TextView& view, const std::vector<bool>& lit) {
    Box b;
    for (int y = 0; y < view.height(); ++y)
        for (int x = 0; x < view.width(); ++x)
            if (lit[static_cast<size_t>(y) * view.width() + x]) {
                ++b.count;
                b.x0 = std::min(b.x0, x);
                b.x1 = std::max(b.x1, x);
                b.y0 = std::min(b.y0, y);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

// How far a text moves the raster position.
float advanceOf(TextView& view, GLuint font, const std::string& text) {
    view.at(10, 300);
    float before = view.rasterX();
    printText(font, text.c_str());
    return view.rasterX() - before;
}

} // namespace

TEST(Fonts, ArialBoldResolvesToAMetricCompatibleBoldFace) {
    std::string bold = platformResolveFont("Arial", true);
    std::string regular = platformResolveFont("Arial", false);
    ASSERT_FALSE(bold.empty());
    EXPECT_EQ(bold.substr(bold.find_last_of('/') + 1), "LiberationSans-Bold.ttf") << bold;
    EXPECT_EQ(regular.substr(regular.find_last_of('/') + 1), "LiberationSans-Regular.ttf")
        << regular;
}

TEST(Fonts, BuildFontMakesAListPerLetterAndReleaseFontFreesThem) {
    ensureGameWindow();
    GLuint font = buildFont("Arial", 30);
    ASSERT_NE(font, 0u);
    // A list for every code up to 127 (the ones below 32 draw nothing), then the extras.
    const GLuint lists = 128 + kExtraGlyphCount;
    for (GLuint i = 0; i < lists; ++i)
        EXPECT_TRUE(glIsList(font + i)) << "list " << i;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    releaseFont(font);
    for (GLuint i = 0; i < lists; ++i)
        EXPECT_FALSE(glIsList(font + i)) << "list " << i;
    // A cell height of nothing cannot be made into a face.
    EXPECT_EQ(buildFont("Arial", 0), 0u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Fonts, PrintingPutsGlyphsAtTheRasterPositionAndAdvancesIt) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame(); // the set-up builds both game fonts
    ASSERT_NE(smallFont, 0u);
    ASSERT_NE(largeFont, 0u);
    EXPECT_NE(smallFont, largeFont);

    TextView view;
    view.at(40, 200);
    printText(smallFont, "Valmora 123 m.");
    float advance = view.rasterX() - 40;
    EXPECT_GT(advance, 100.0f);
    EXPECT_EQ(view.rasterY(), 200.0f); // text runs along the baseline
    Box b = inkBox(view, view.ink());
    ASSERT_GT(b.count, 200);
    // The ink starts near the raster position, ends before the advanced position and sits
    // around the baseline within one character cell.
    EXPECT_GE(b.x0, 40 - 2);
    EXPECT_LE(b.x0, 40 + 6);
    EXPECT_LE(b.x1, 40 + advance + 1);
    EXPECT_GE(b.y0, 200 - 30);
    EXPECT_LE(b.y1, 200 + 30);

    // Height is the character cell (ascent plus descent), as the game's font requests it.
    // Liberation Sans has Arial's metrics: cell 2288 and capital height 1409 per 2048 em.
    for (auto [font, cell] : {std::pair<GLuint, int>{smallFont, 30}, {largeFont, 50}}) {
        SCOPED_TRACE("cell height " + std::to_string(cell));
        view.clear();
        view.at(100, 100);
        printText(font, "H");
        Box h = inkBox(view, view.ink());
        double capital = cell * 1409.0 / 2288.0;
        EXPECT_NEAR(h.y1 - h.y0 + 1, capital, 1.5);
        EXPECT_EQ(h.y0, 100); // a capital stands on the baseline
    }
}

TEST(Fonts, EmptyTextLeavesTheRasterPositionAndDrawsNothing) {
    ensureGameWindow();
    GLuint font = buildFont("Arial", 30);
    ASSERT_NE(font, 0u);
    {
        TextView view;
        view.at(123, 77);
        printText(font, "");
        EXPECT_EQ(view.rasterX(), 123.0f);
        EXPECT_EQ(view.rasterY(), 77.0f);
        printText(font, nullptr);
        printText(0, "abc");
        EXPECT_EQ(view.rasterX(), 123.0f);
        EXPECT_EQ(inkBox(view, view.ink()).count, 0);
    }
    releaseFont(font);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Fonts, CodesOutsideThePrintableRangeAreSkipped) {
    ensureGameWindow();
    // Two fonts side by side: a code past 127 would land in the second font's lists.
    // Names kept free below the first font, for the traps further down.
    GLuint pad = glGenLists(40);
    GLuint first = buildFont("Arial", 30);
    GLuint second = buildFont("Arial", 50);
    glDeleteLists(pad, 40);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    // Below the first font, lists that would visibly jump the raster position if a code
    // under 32 reached them.
    std::vector<GLuint> traps;
    for (GLuint n = first > 31 ? first - 31 : 1; n < first; ++n)
        if (!glIsList(n)) {
            glNewList(n, GL_COMPILE);
            const GLubyte blank = 0;
            glBitmap(1, 1, 0, 0, 500, 0, &blank);
            glEndList();
            traps.push_back(n);
        }
    ASSERT_FALSE(traps.empty());
    {
        TextView view;
        glListBase(7);
        view.at(30, 300);
        printText(first, "AB");
        float plain = view.rasterX();
        std::vector<bool> plainInk = view.ink();

        view.clear();
        view.at(30, 300);
        const char mixed[] = "\x01"
                             "A\x1f\x80\xa1\xc1\xff"
                             "B\x7f";
        printText(first, mixed);
        // 127 has a list of its own (an empty glyph or a box) and may move the position.
        float withDel = view.rasterX();
        std::vector<bool> mixedInk = view.ink();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

        view.clear();
        view.at(30, 300);
        printText(first, "AB\x7f");
        EXPECT_EQ(withDel, view.rasterX());
        EXPECT_GE(withDel, plain);
        EXPECT_TRUE(mixedInk == view.ink()) << "skipped codes drew something";
        EXPECT_FALSE(plainInk.empty());

        GLint base = 0;
        glGetIntegerv(GL_LIST_BASE, &base);
        EXPECT_EQ(base, 7) << "the list base is the caller's again";

        // Texts longer than the printer's batch: every printable character still counts.
        float one = advanceOf(view, first, "A");
        std::string longText;
        for (int i = 0; i < 600; ++i) {
            longText += 'A';
            if (i % 3 == 0) longText += '\x90';
        }
        EXPECT_FLOAT_EQ(advanceOf(view, first, longText), 600 * one);
    }
    for (GLuint n : traps)
        glDeleteLists(n, 1);
    releaseFont(first);
    releaseFont(second);
}

// The Polish letters are glyphs of their own: each draws ink and moves on, differently from
// its plain letter, while ASCII text prints exactly as before.
TEST(Fonts, PolishLettersDrawTheirOwnGlyphs) {
    ensureGameWindow();
    GLuint font = buildFont("Arial", 30);
    ASSERT_NE(font, 0u);
    TextView view;
    const std::pair<const char*, const char*> pairs[] = {
        {"ó", "o"}, {"ś", "s"}, {"ź", "z"}, {"ż", "z"}, {"ą", "a"}, {"ę", "e"},
        {"ł", "l"}, {"ń", "n"}, {"ć", "c"}, {"Ó", "O"}, {"Ż", "Z"}, {"Ł", "L"}};
    for (const auto& [polish, plain] : pairs) {
        SCOPED_TRACE(polish);
        view.clear();
        const float advance = advanceOf(view, font, polish);
        const std::vector<bool> ink = view.ink();
        view.clear();
        advanceOf(view, font, plain);
        EXPECT_GT(advance, 0);
        EXPECT_GT(inkBox(view, ink).count, 20);
        EXPECT_FALSE(ink == view.ink()) << "not the plain letter's picture";
        EXPECT_FLOAT_EQ(textWidth(font, polish), advance);
    }
    // A word mixing both moves on by the sum of its letters.
    EXPECT_FLOAT_EQ(advanceOf(view, font, "spóźnione"), textWidth(font, "spóźnione"));
    EXPECT_FLOAT_EQ(textWidth(font, "spóźnione"), textWidth(font, "sp") + textWidth(font, "ó") +
                                                      textWidth(font, "ź") +
                                                      textWidth(font, "nione"));
    releaseFont(font);
}
