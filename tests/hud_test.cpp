// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The red on-screen texts: where a player sees them and that they read as their formats
// say, compared with the same texts printed alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/language.h"
#include "core/settings.h"
#include "jump/style_marks.h"
#include "jump_play.h"
#include "render/gl.h"
#include "render/text.h"
#include "render/textures.h"
#include "game/hud.h"
#include "score/records.h"
#include "venue/animation.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

// --- On-screen texts ----------------------------------------------------------------------

// Window position (top-left origin) of a raster position of the HUD, given the translation
// the HUD has applied before it.
void hudPoint(float x, float y, float tx, float ty, int* px, int* py) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
    glTranslatef(tx, ty, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, 0, model, projection, viewport, &wx, &wy, &wz);
    *px = static_cast<int>(wx);
    *py = viewport[3] - 1 - static_cast<int>(wy);
}

bool red(int r, int g, int b) {
    return r > 180 && g < 90 && b < 90;
}

// Red pixels in the box a text printed at that raster position covers (right and up).
int redText(const Picture& pic, int px, int py, int width, int height) {
    const int x0 = std::max(0, px - 2), x1 = std::min(pic.width, px + width);
    const int y0 = std::max(0, py - height), y1 = std::min(pic.height, py + 4);
    return pic.count(x0, y0, x1, y1, red);
}

struct HudCounts {
    int distance, wind, record, marks, total;
};

HudCounts hudCounts(const Picture& pic) {
    int x, y;
    HudCounts c{};
    hudPoint(-5.5f, -5, 0, 5, &x, &y);
    c.distance = redText(pic, x, y, 110, 45);
    hudPoint(-10.8f, 7.6f, 1, 5, &x, &y);
    c.wind = redText(pic, x, y, 110, 28);
    hudPoint(4.3f, 7.7f, 1, 5, &x, &y);
    c.record = redText(pic, x, y, 180, 28);
    hudPoint(5.45f, 3.5f, 0, 0, &x, &y);
    int column = redText(pic, x, y, 90, 45);
    hudPoint(6.3f, 7.5f, 0, 0, &x, &y);
    column += redText(pic, x, y, 90, 45);
    c.marks = column;
    hudPoint(3.4f, 0, 0, 0, &x, &y);
    c.total = redText(pic, x, y, 200, 45);
    return c;
}

TEST_F(WholeJump, RedTextsAppearWhereThePlayerLooksAfterTheLanding) {
    enterHill(*dir, 1);
    ASSERT_TRUE(runAndTakeOff());
    frames(10);
    ASSERT_FALSE(onGround());
    Picture flying = lastFrame();
    HudCounts before = hudCounts(flying);
    EXPECT_GT(before.wind, 20) << "the wind is always shown";
    EXPECT_LT(before.distance, 5);
    EXPECT_LT(before.record, 5);
    EXPECT_LT(before.marks, 5);
    EXPECT_LT(before.total, 5);
    if (before.distance >= 5 || before.marks >= 5) savePng(flying, "hud_before_landing_failed");

    ASSERT_TRUE(takeLandingStance());
    ASSERT_TRUE(waitForLanding());
    frames(3);
    Picture landed = lastFrame();
    HudCounts after = hudCounts(landed);
    EXPECT_GT(after.distance, 50) << "distance at the bottom left";
    EXPECT_GT(after.wind, 20);
    EXPECT_GT(after.record, 50) << "record at the top right";
    EXPECT_GT(after.marks, 50) << "marks in a column on the right";
    EXPECT_GT(after.total, 50) << "points at the bottom";
    savePng(landed, "hud_landed_hill1");

    // The left half of the window holds the distance, the right the score column.
    int x, y;
    hudPoint(-5.5f, -5, 0, 5, &x, &y);
    EXPECT_LT(x, landed.width / 2);
    EXPECT_GT(y, landed.height * 2 / 3);
    hudPoint(5.62f, 4.4f, 0, 0, &x, &y);
    EXPECT_GT(x, landed.width / 2);

    // The reset clears all of it but the wind.
    resetOnTheGround();
    ASSERT_EQ(game().jump.atGate, 1);
    frames(2);
    HudCounts reset = hudCounts(lastFrame());
    EXPECT_LT(reset.distance, 5);
    EXPECT_LT(reset.marks, 5);
    EXPECT_GT(reset.wind, 20);
}

// One text of the display as the player should read it: the HUD's translation, the raster
// position, and the pieces printed one after the other.
struct Piece {
    bool large;
    std::string text;
};
struct Line {
    float tx, ty, x, y;
    std::vector<Piece> pieces;
};

// The HUD's words in the language the test runs in: Polish, or English in hud_english_test.
struct HudWords {
    std::string record, mark, total;
};

HudWords hudWords() {
    if (catalogueLanguage() == "en") return {" record: ", "pts", " pts."};
    return {" rekord: ", "pkt", " pkt."};
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// The given texts alone, in red on black, through the display's own view and the game's
// projection and fonts; read back before anything else is drawn.
Picture referenceTexts(const std::vector<Line>& lines) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    for (const Line& line : lines) {
        glLoadIdentity();
        gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
        glTranslatef(line.tx, line.ty, 0);
        glColor3ub(255, 0, 0);
        glRasterPos2f(line.x, line.y);
        for (const Piece& p : line.pieces)
            printText(p.large ? largeFont : smallFont, p.text.c_str());
    }
    glPopMatrix();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    Picture pic;
    pic.width = viewport[2];
    pic.height = viewport[3];
    pic.rgb.resize(static_cast<size_t>(pic.width) * pic.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, pic.width, pic.height, GL_RGB, GL_UNSIGNED_BYTE, pic.rgb.data());
    glPopAttrib();
    return pic;
}

struct Box {
    int x0, y0, x1, y1; // top-left origin, x1 and y1 exclusive
};

// Where a text lies on screen, with a margin for a character too many or a shifted start.
Box textBox(const Line& line) {
    Picture alone = referenceTexts({line});
    Box box{alone.width, alone.height, 0, 0};
    for (int y = 0; y < alone.height; ++y)
        for (int x = 0; x < alone.width; ++x) {
            int r, g, b;
            alone.at(x, y, &r, &g, &b);
            if (r <= 128) continue;
            box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1),
                   std::max(box.y1, y + 1)};
        }
    return {std::max(0, box.x0 - 12), std::max(0, box.y0 - 4), std::min(alone.width, box.x1 + 12),
            std::min(alone.height, box.y1 + 4)};
}

// Pixels around the texts where the frame's red and the reference's text disagree. Only
// the texts' surroundings count: the scene has red of its own elsewhere (the airship).
int textMismatches(const Picture& frame, const Picture& reference, const std::vector<Box>& boxes,
                   int* referencePixels) {
    std::vector<char> inside(static_cast<size_t>(frame.width) * frame.height, 0);
    for (const Box& b : boxes)
        for (int y = b.y0; y < b.y1; ++y)
            for (int x = b.x0; x < b.x1; ++x)
                inside[static_cast<size_t>(y) * frame.width + x] = 1;
    int differ = 0, lit = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            int r, g, b, rr, rg, rb;
            reference.at(x, y, &rr, &rg, &rb);
            const bool want = rr > 128;
            lit += want;
            if (!inside[static_cast<size_t>(y) * frame.width + x]) continue;
            frame.at(x, y, &r, &g, &b);
            differ += red(r, g, b) != want;
        }
    *referencePixels = lit;
    return differ;
}

void expectTexts(const std::vector<Line>& lines, const char* name) {
    SCOPED_TRACE(name);
    Picture frame = lastFrame();
    std::vector<Box> boxes;
    for (const Line& line : lines)
        boxes.push_back(textBox(line));
    Picture reference = referenceTexts(lines);
    ASSERT_EQ(frame.width, reference.width);
    ASSERT_EQ(frame.height, reference.height);
    int lit = 0;
    const int differ = textMismatches(frame, reference, boxes, &lit);
    ASSERT_GT(lit, 200) << "the reference holds text";
    // A wrong, missing or shifted character differs by far more than a few pixels.
    EXPECT_LT(differ, 10) << "of " << lit << " text pixels";
    if (differ >= 10) {
        savePng(frame, std::string("hud_texts_") + name);
        savePng(reference, std::string("hud_texts_") + name + "_expected");
    }
}

// The score board: five marks in a column, each followed by its label, and the total.
std::vector<Line> scoreBoard(const int marks[5], int points) {
    const float at[5][2] = {
        {6.3f, 7.5f}, {6.1f, 6.4f}, {5.85f, 5.4f}, {5.62f, 4.4f}, {5.45f, 3.5f}};
    std::vector<Line> lines;
    for (int i = 0; i < 5; ++i)
        lines.push_back(
            {0, 0, at[i][0], at[i][1], {{true, twoDigits(marks[i])}, {false, hudWords().mark}}});
    // The total counts the marks with the distance points.
    int total = points;
    for (int i = 0; i < 5; ++i)
        total += marks[i];
    lines.push_back({0, 0, 3.4f, 0, {{true, twoDigits(total)}, {true, hudWords().total}}});
    return lines;
}

// A picture that is transparent all over: the alpha test drops every texel.
void makeClear(GLuint* handle) {
    const unsigned char texels[16] = {};
    glGenTextures(1, handle);
    glBindTexture(GL_TEXTURE_2D, *handle);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

TEST_F(WholeJump, TextsReadAsTheirFormatsAndLabelsSay) {
    // The game speaks the language the environment asks for (LANGUAGE=en: English).
    ensureGameWindow();
    const char* asked = std::getenv("LANGUAGE");
    EXPECT_EQ(catalogueLanguage(), asked && *asked ? asked : "");
    enterHill(*dir, 1);
    // The panels behind the texts and the start light are drawn later in the same plane and
    // may cover a text's lowest rows; here they show nothing, so only the texts are compared.
    for (GLuint* t :
         {&textures.corner, &textures.corner2, &textures.greenlight, &textures.redlight})
        makeClear(t);
    // The red airship far beyond the far plane, wherever earlier frames had taken it.
    game().venue.airshipTravel = -1e5f;
    ASSERT_TRUE(playJump(true));
    frames(2);
    ASSERT_TRUE(onGround());

    // Seven metres on a record of seven, a wind of -3.
    game().jump.jumpDistance = 7;
    game().jump.windSpeed = -3;
    dir->writeData("record1.dat", "07");
    const int marks[5] = {18, 19, 5, 9, 11};
    std::copy(marks, marks + 5, game().jump.styleMarks);
    game().jump.jumpPoints = 12;
    pass();
    ASSERT_EQ(game().records.recordDistance, 7);
    std::vector<Line> want = {
        {0, 5, -5.5f, -5, {{true, "07"}, {true, "m"}, {false, " "}}},
        {1, 5, -10.8f, 7.6f, {{false, "-3"}, {false, "m/s"}, {false, " "}}},
        {1, 5, 4.3f, 7.7f, {{false, hudWords().record}, {false, "07"}, {false, " m."}}},
    };
    for (const Line& l : scoreBoard(marks, 12))
        want.push_back(l);
    expectTexts(want, "seven_metres");
    EXPECT_EQ(dir->readData("record1.dat"), "07") << "equal to the record: not rewritten";

    // Three digits, a positive wind, a higher record on file.
    game().jump.jumpDistance = 123;
    game().jump.windSpeed = 4;
    dir->writeData("record1.dat", "140");
    const int marks2[5] = {19, 18, 18, 19, 10};
    std::copy(marks2, marks2 + 5, game().jump.styleMarks);
    game().jump.jumpPoints = 221;
    pass();
    // (A three-digit record moves left to stay in its panel: PanelsKeepTheirEdges... checks it.)
    want = {
        {0, 5, -5.5f, -5, {{true, "123"}, {true, "m"}, {false, " "}}},
        {1, 5, -10.8f, 7.6f, {{false, "04"}, {false, "m/s"}, {false, " "}}},
    };
    for (const Line& l : scoreBoard(marks2, 221))
        want.push_back(l);
    expectTexts(want, "three_digits");

    // Back at the gate: the wind, and the countdown in hundreds of its count while it runs.
    resetOnTheGround();
    ASSERT_EQ(game().jump.atGate, 1);
    ASSERT_EQ(game().jump.awaitingStart, 1);
    ASSERT_EQ(game().jump.startCountdown, 1600);
    pass(); // the frame shows the count its step has lowered: 1592
    const std::string wind = twoDigits(game().jump.windSpeed);
    const Line windLine{1, 5, -10.8f, 7.6f, {{false, wind}, {false, "m/s"}, {false, " "}}};
    expectTexts({windLine, {1, 5, -0.7f, 3.7f, {{false, "15"}}}}, "countdown_15");
    game().jump.startCountdown = 1608;
    pass();
    expectTexts({windLine, {1, 5, -0.7f, 3.7f, {{false, "16"}}}}, "countdown_16_after_a_step");
    game().jump.startCountdown = 99;
    pass();
    expectTexts({windLine, {1, 5, -0.7f, 3.7f, {{false, "00"}}}}, "countdown_00");
    game().jump.startCountdown = -1;
    pass();
    expectTexts({windLine}, "countdown_over");
}

// --- Window shapes -------------------------------------------------------------------------

// A panel of the layers, painted in one colour: where to find it (shares of the window, top
// left origin) and whether it keeps the right edge.
struct PanelProbe {
    const char* name;
    int r, g, b;
    double x0, y0, x1, y1;
    bool right;
};
const PanelProbe kPanels[] = {
    {"wind box", 0, 0, 255, 0, 0, 0.5, 0.09, false},
    {"wind sign", 0, 255, 0, 0, 0, 0.5, 0.5, false},
    {"record box", 0, 0, 255, 0.5, 0, 1, 0.09, true},
    {"marks panel", 0, 255, 255, 0.5, 0, 1, 1, true},
    {"distance box", 0, 0, 255, 0, 0.8, 0.5, 1, false},
    {"total box", 0, 0, 255, 0.5, 0.8, 1, 1, true},
};

// The probe's box measured from its own edge and the top, in pixels of a 600-high window.
std::vector<double> panelFromItsEdge(const Picture& pic, const PanelProbe& p) {
    double x0 = pic.width, y0 = pic.height, x1 = 0, y1 = 0;
    for (int y = static_cast<int>(p.y0 * pic.height); y < p.y1 * pic.height; ++y)
        for (int x = static_cast<int>(p.x0 * pic.width); x < p.x1 * pic.width; ++x) {
            int r, g, b;
            pic.at(x, y, &r, &g, &b);
            if (r != p.r || g != p.g || b != p.b) continue;
            x0 = std::min<double>(x0, p.right ? pic.width - x - 1 : x);
            x1 = std::max<double>(x1, p.right ? pic.width - x : x + 1);
            y0 = std::min<double>(y0, y);
            y1 = std::max<double>(y1, y + 1);
        }
    const double k = 600.0 / pic.height;
    return {x0 * k, x1 * k, y0 * k, y1 * k};
}

// A landed jump with a record of 999 in the launcher's window sizes and on square and wide
// screens: each panel keeps its size and its edge (as at 800 x 600, scaled to the height),
// and every text pixel lies on a panel, none at the window's edge.
TEST_F(WholeJump, PanelsKeepTheirEdgesAndTextsStayInThemAtEveryShape) {
    enterHill(*dir, 1);
    game().venue.airshipTravel = -1e5f;
    ASSERT_TRUE(playJump(true));
    frames(60);
    dir->writeData("record1.dat", "999");
    paintTexture(&textures.corner, 0, 0, 255);
    paintTexture(&textures.corner2, 0, 255, 255);
    for (GLuint* sign : {&textures.windred, &textures.windgreen, &textures.nowind})
        paintTexture(sign, 0, 255, 0);
    std::vector<std::vector<double>> at43;
    for (auto [w, h] :
         {std::pair{800, 600}, {640, 480}, {1024, 768}, {1280, 1024}, {1280, 800}, {1280, 720}}) {
        const std::string name = std::to_string(w) + "x" + std::to_string(h);
        SCOPED_TRACE(name);
        resizeGameWindow(w, h);
        pass();
        const Picture withTexts = frameNow();
        const GLuint fonts[3] = {smallFont, largeFont, helpFont};
        smallFont = largeFont = helpFont = 0;
        const Picture panels = frameNow();
        std::tie(smallFont, largeFont, helpFont) = std::tie(fonts[0], fonts[1], fonts[2]);
        savePng(withTexts, "layers_" + name);
        ASSERT_EQ(panels.width, w);
        for (size_t i = 0; i < std::size(kPanels); ++i) {
            const auto measured = panelFromItsEdge(panels, kPanels[i]);
            if (at43.size() <= i) at43.push_back(measured);
            for (size_t k = 0; k < measured.size(); ++k)
                EXPECT_NEAR(measured[k], at43[i][k], 2.0) << kPanels[i].name << " side " << k;
        }
        int offPanel = 0, atEdge = 0, record = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = (static_cast<size_t>(h - 1 - y) * w + x) * 3;
                if (std::equal(&withTexts.rgb[i], &withTexts.rgb[i] + 3, &panels.rgb[i])) continue;
                const unsigned char* p = &panels.rgb[i];
                offPanel += !(p[0] == 0 && (p[1] == 255 || p[2] == 255));
                atEdge += x < 2 || x >= w - 2;
                record += x > w / 2 && y < h / 10;
            }
        EXPECT_EQ(offPanel, 0) << "text pixels off the panels";
        EXPECT_EQ(atEdge, 0) << "a text cut by the window's edge";
        EXPECT_GT(record, 150) << "the record is shown";
    }
    resizeGameWindow(800, 600);
}

TEST_F(WholeJump, NothingOfTheHudOnTheStartScreen) {
    dir->writeDefaults();
    startGame();
    frames(2);
    Picture pic = lastFrame();
    HudCounts c = hudCounts(pic);
    EXPECT_EQ(c.wind + c.distance + c.record + c.marks + c.total, 0);
}

TEST_F(WholeJump, LandedJumpOnEachHillScreenshots) {
    for (int hill = 1; hill <= 3; ++hill) {
        dir.reset();
        dir = std::make_unique<TempGameDir>();
        dir->writeDefaults();
        dir->configure(hill, 3, hill == 2 ? 1 : 0, 6);
        startGame();
        leaveStartScreen();
        ASSERT_TRUE(runAndTakeOff());
        leanForward();
        EXPECT_EQ(game().jump.flightLean, 22.5f);
        ASSERT_TRUE(takeLandingStance() && waitForLanding())
            << "hill " << hill << " z " << game().jump.jumperZ << " y " << game().jump.jumperY
            << " ground " << game().jump.groundY << " wind " << game().jump.windSpeed << " stance "
            << int(game().jump.landingStance) << " flight " << int(game().jump.inFlight);
        frames(20);
        Picture pic = lastFrame();
        const std::string language = catalogueLanguage();
        savePng(pic,
                "landed_hill" + std::to_string(hill) + (language.empty() ? "" : "_" + language));
        HudCounts c = hudCounts(pic);
        EXPECT_GT(c.distance, 50) << "hill " << hill;
        EXPECT_GT(c.marks, 50) << "hill " << hill;
        EXPECT_GT(game().jump.jumpDistance, 0);
        EXPECT_EQ(game().jump.jumpPoints,
                  static_cast<int>(game().jump.jumpDistance * static_cast<double>(1.8f)));
    }
}

} // namespace
