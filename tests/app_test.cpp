// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game window's life driven pass by pass: the size message, the ways the program ends,
// and the start screen as the player sees it (sky on the first frame, the moving highlight).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "game/app.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "platform/platform.h"
#include "render/gl.h"
#include "render/texture_file.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

const double kPi = 3.14159265358979323846;

void drainMessages() {
    PlatformMessage m;
    while (platformPollMessage(&m)) {
    }
}

// The projection gluPerspective(55, aspect, 6, 60000) must produce.
void expectPerspective(double aspect) {
    double f = 1.0 / std::tan(55.0 / 2.0 * kPi / 180.0);
    double n = 6, far = 60000;
    double want[16] = {f / aspect,
                       0,
                       0,
                       0,
                       0,
                       f,
                       0,
                       0,
                       0,
                       0,
                       (far + n) / (n - far),
                       -1,
                       0,
                       0,
                       2 * far * n / (n - far),
                       0};
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(m[i], want[i], std::fabs(want[i]) * 1e-5 + 1e-9) << "projection [" << i << "]";
}

void expectViewport(int w, int h) {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    EXPECT_EQ(vp[0], 0);
    EXPECT_EQ(vp[1], 0);
    EXPECT_EQ(vp[2], w);
    EXPECT_EQ(vp[3], h);
}

void expectModelViewIdentity() {
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f);
}

// Start-screen pictures with colours of our own, so the panel and each button can be told apart.
struct Rgb {
    int r, g, b;
};
const Rgb kWall{40, 60, 80}, kStart{200, 30, 30}, kStartLit{250, 160, 20}, kQuit{30, 200, 30},
    kQuitLit{20, 160, 250};

void writeSolidTexture(const TempGameDir& dir, const char* stem, Rgb c) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 64; ++i)
        rgb.insert(rgb.end(), {static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                               static_cast<uint8_t>(c.b)});
    std::vector<uint8_t> file = encodeBitmap(8, 8, rgb);
    std::ofstream(dir.path() + "/textures/" + stem + ".stx", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
}

void writeStartScreenTextures(const TempGameDir& dir) {
    writeSolidTexture(dir, "wall2", kWall);
    writeSolidTexture(dir, "but1", kStart);
    writeSolidTexture(dir, "but1light", kStartLit);
    writeSolidTexture(dir, "but2", kQuit);
    writeSolidTexture(dir, "but2light", kQuitLit);
}

// Where a start-screen point lands: camera at (8.3, 6.8, 12) looking down -z, 55 degrees.
struct StartCamera {
    int width, height;
    double f = 1.0 / std::tan(27.5 * kPi / 180.0);
    double column(double x, double z) const {
        double ndc = (x - 8.3) * f / (static_cast<double>(width) / height) / (12.0 - z);
        return (ndc + 1) * width / 2;
    }
    double rowFromTop(double y, double z) const {
        double ndc = (y - 6.8) * f / (12.0 - z);
        return (1 - ndc) * height / 2;
    }
};

int distance2(int r, int g, int b, Rgb c) {
    return (r - c.r) * (r - c.r) + (g - c.g) * (g - c.g) + (b - c.b) * (b - c.b);
}

// First column on a row whose pixel is nearer to `button` than to the panel.
int leftEdge(const Picture& pic, int row, Rgb button) {
    for (int x = 0; x < pic.width; ++x) {
        int r, g, b;
        pic.at(x, row, &r, &g, &b);
        if (distance2(r, g, b, button) < distance2(r, g, b, kWall)) return x;
    }
    return -1;
}

bool near(const Picture& pic, int x, int row, Rgb c, int tol = 2) {
    int r, g, b;
    pic.at(x, row, &r, &g, &b);
    return std::abs(r - c.r) <= tol && std::abs(g - c.g) <= tol && std::abs(b - c.b) <= tol;
}

Rgb skyOf(float r, float g, float b) {
    return {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
            static_cast<int>(std::lround(b * 255))};
}

// Every pixel of the strip above the start-screen panel has colour c.
void expectSkyStrip(const Picture& pic, Rgb c, const char* what) {
    StartCamera cam{pic.width, pic.height};
    int panelTop = static_cast<int>(cam.rowFromTop(13.2, -1));
    ASSERT_GE(panelTop, 4) << "the panel leaves a strip of sky";
    int wrong = pic.count(0, 0, pic.width, panelTop - 1, [&](int r, int g, int b) {
        return std::abs(r - c.r) > 1 || std::abs(g - c.g) > 1 || std::abs(b - c.b) > 1;
    });
    if (wrong) savePng(pic, std::string("app_sky_") + what);
    EXPECT_EQ(wrong, 0) << what << ": expected " << c.r << "," << c.g << "," << c.b;
}

} // namespace

TEST(WindowSize, HeightZeroIsTakenAsOne) {
    ensureGameWindow();
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3, 4, 5);
    resizeViewport(640, 0);
    expectViewport(640, 1);
    expectPerspective(640.0 / 1.0);
    expectModelViewIdentity();

    // The same through the window procedure's size message.
    PlatformMessage size;
    size.type = MSG_SIZE;
    size.width = 1024;
    size.height = 0;
    takeWindowMessage(game(), size);
    expectViewport(1024, 1);
    expectPerspective(1024.0);

    size.width = 800;
    size.height = 600;
    glTranslatef(1, 1, 1);
    takeWindowMessage(game(), size);
    expectViewport(800, 600);
    expectPerspective(800.0 / 600.0);
    expectModelViewIdentity();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A real resize of the window arrives as a size message, and the projection follows the new
// client area.
TEST(WindowSize, ResizingTheWindowReachesTheWindowProcedure) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    drainMessages();
    platformSetWindowSize(640, 480);
    PlatformMessage m;
    bool sized = false;
    for (int i = 0; i < 200 && !sized; ++i) {
        if (platformPollMessage(&m)) {
            mainLoopPass(game(), &m);
            sized = m.type == MSG_SIZE && m.width == 640 && m.height == 480;
        } else {
            frames(1);
        }
    }
    EXPECT_TRUE(sized) << "no size message for 640 x 480";
    if (sized) {
        expectViewport(640, 480);
        expectPerspective(640.0 / 480.0);
    }
    platformSetWindowSize(800, 600);
    for (int i = 0; i < 200; ++i) {
        int w, h;
        platformClientSize(&w, &h);
        if (w == 800 && h == 600) break;
        if (platformPollMessage(&m)) mainLoopPass(game(), &m);
    }
    drainMessages();
    resizeViewport(800, 600);
}

TEST(Ending, QCharacterEndsAtTheNextLoopTest) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    frames(1);
    drainMessages();
    PlatformMessage q;
    q.type = MSG_CHAR;
    q.key = 'q';
    platformPostMessage(q);
    PlatformMessage m;
    ASSERT_TRUE(platformPollMessage(&m));
    EXPECT_FALSE(mainLoopPass(game(), &m)); // the pass the shipped loop runs ends it
    EXPECT_TRUE(game().mode.quit);

    // During a jump as well, without passing through the start screen.
    startGame();
    leaveStartScreen();
    frames(3);
    ASSERT_EQ(game().mode.screen, Screen::Scene);
    passChar('Q');
    EXPECT_TRUE(game().mode.quit);
    EXPECT_EQ(game().mode.screen, Screen::Scene);
}

TEST(Ending, EscapeTwiceFromTheSceneEnds) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    leaveStartScreen();
    frames(2);
    passKey(VK_ESCAPE);
    EXPECT_EQ(game().mode.screen, Screen::Start);
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_FALSE(game().mode.quit);
    frames(1);
    passKey(VK_ESCAPE);
    EXPECT_TRUE(game().mode.quit);
}

TEST(Ending, ConfirmWithTheQuitButtonEndsAndEscOnStartMovesTheHighlight) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    passKey(VK_DOWN);
    EXPECT_TRUE(game().mode.quitChosen);
    passKey(VK_RETURN);
    EXPECT_TRUE(game().mode.quit);

    // Esc on the start screen with the start button highlighted: a set-up, then the quit
    // button is highlighted and the start screen stays.
    startGame();
    dir.writeData("det.dat", "2");
    passKey(VK_ESCAPE);
    EXPECT_EQ(game().settings.detailLevel, 2) << "the set-up ran and re-read the settings";
    EXPECT_EQ(game().mode.screen, Screen::Start);
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_FALSE(game().mode.quit);
}

TEST(MainLoop, OneMessagePerPassDispatchedBeforeTheFrame) {
    TempGameDir dir(false);
    dir.writeDefaults();
    writeStartScreenTextures(dir);
    startGame();
    frames(1);
    drainMessages();
    for (int key : {VK_DOWN, VK_UP, VK_DOWN}) {
        PlatformMessage k;
        k.type = MSG_KEYDOWN;
        k.key = key;
        platformPostMessage(k);
    }
    StartCamera cam{800, 600};
    int startRow = static_cast<int>(cam.rowFromTop(9.55, -0.9));
    int litX = static_cast<int>(cam.column(0.6 + 2.0, -0.9)); // middle of a highlighted button
    const int wantQuit[] = {1, 0, 1};
    for (int i = 0; i < 3; ++i) {
        PlatformMessage m;
        ASSERT_TRUE(platformPollMessage(&m));
        ASSERT_EQ(m.type, MSG_KEYDOWN);
        EXPECT_TRUE(mainLoopPass(game(), &m));
        EXPECT_EQ(game().mode.quitChosen, wantQuit[i] == 1) << "after pass " << i;
        // This pass's frame is drawn after its message: it shows the new highlight.
        bool startWasLit = wantQuit[i] == 0;
        EXPECT_EQ(near(lastFrame(), litX, startRow, kStartLit), startWasLit) << "pass " << i;
    }
    PlatformMessage m;
    EXPECT_FALSE(platformPollMessage(&m));
}

// Every pass without the quit message draws a frame (the start countdown steps with it); the
// pass that retrieves the quit message draws none.
TEST(MainLoop, EveryPassDrawsButTheQuitPass) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    leaveStartScreen();
    frames(2);
    ASSERT_EQ(game().jump.awaitingStart, 1);
    int32_t before = game().jump.startCountdown;
    EXPECT_TRUE(mainLoopPass(game(), nullptr));
    EXPECT_NE(game().jump.startCountdown, before) << "a pass without a message draws a frame";
    before = game().jump.startCountdown;
    PlatformMessage quit;
    quit.type = MSG_QUIT;
    EXPECT_FALSE(mainLoopPass(game(), &quit));
    EXPECT_EQ(game().jump.startCountdown, before) << "the quit pass drew a frame";
    EXPECT_TRUE(game().mode.quit);
    EXPECT_EQ(figureQuadric, nullptr);
}

TEST(StartScreen, FirstFrameShowsTheSkyColourLaterFramesBlack) {
    TempGameDir dir(false);
    dir.writeDefaults();
    struct Case {
        int hill, season, lighting;
        Rgb sky;
        const char* name;
    };
    const Case cases[] = {
        {1, 0, 6, skyOf(0.98f, 1.0f, 1.0f), "winter_day"},
        {1, 1, 6, skyOf(0.9f, 0.9f, 1.0f), "summer_day"},
        {1, 0, 8, skyOf(0.0f, 0.0f, 0.2f), "night_hill1"},
        {3, 1, 8, skyOf(0.9f, 0.9f, 1.0f), "night_hill3_summer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.configure(c.hill, 3, c.season, c.lighting);
        startGame();
        frames(1);
        expectSkyStrip(lastFrame(), c.sky, c.name);
        frames(1);
        expectSkyStrip(lastFrame(), Rgb{0, 0, 0}, "second_frame");
        frames(1);
        expectSkyStrip(lastFrame(), Rgb{0, 0, 0}, "third_frame");
    }

    // Back from the scene with Esc: the first start-screen frame has the sky again.
    dir.configure(1, 3, 1, 6);
    startGame();
    frames(2);
    leaveStartScreen();
    frames(2);
    passKey(VK_ESCAPE); // the start screen shows in the frame of the Esc step
    expectSkyStrip(lastFrame(), skyOf(0.9f, 0.9f, 1.0f), "after_escape");
    frames(1);
    expectSkyStrip(lastFrame(), Rgb{0, 0, 0}, "after_escape_second");
}

TEST(StartScreen, HighlightedButtonSitsFurtherRightAndMovesWithUpAndDown) {
    TempGameDir dir(false);
    dir.writeDefaults();
    writeStartScreenTextures(dir);
    startGame();
    frames(1);
    StartCamera cam{800, 600};
    int startRow = static_cast<int>(cam.rowFromTop(9.55, -0.9));
    int quitRow = static_cast<int>(cam.rowFromTop(8.55, -0.9));
    double lit = cam.column(0.6, -0.9), plain = cam.column(0.45, -0.9);
    ASSERT_GT(lit - plain, 4.0) << "0.15 units make a visible step";

    auto check = [&](bool startLit, const char* name) {
        SCOPED_TRACE(name);
        Picture pic = lastFrame();
        Rgb startColour = startLit ? kStartLit : kStart;
        Rgb quitColour = startLit ? kQuit : kQuitLit;
        int s = leftEdge(pic, startRow, startColour);
        int q = leftEdge(pic, quitRow, quitColour);
        EXPECT_NEAR(s, startLit ? lit : plain, 1.5);
        EXPECT_NEAR(q, startLit ? plain : lit, 1.5);
        // The buttons are 4 units wide; the middle of each shows its picture.
        EXPECT_TRUE(near(pic, static_cast<int>(cam.column((startLit ? 0.6 : 0.45) + 2, -0.9)),
                         startRow, startColour));
        EXPECT_TRUE(near(pic, static_cast<int>(cam.column((startLit ? 0.45 : 0.6) + 2, -0.9)),
                         quitRow, quitColour));
        if (HasFailure()) savePng(pic, std::string("app_highlight_") + name);
    };

    check(true, "start");
    passKey(VK_DOWN);
    frames(1);
    EXPECT_TRUE(game().mode.quitChosen);
    check(false, "down");
    passKey(VK_DOWN); // stays on quit
    frames(1);
    check(false, "down_again");
    passKey(VK_UP);
    frames(1);
    EXPECT_FALSE(game().mode.quitChosen);
    check(true, "up");
}

// Closing the window: the context goes at once, the quit message follows the messages already
// queued, and the pass that retrieves it ends the loop. This test makes a fresh window at the
// end so that tests after it still have a context.
TEST(Ending, ClosingTheWindowReleasesTheContextAndTheQuitPassEndsTheLoop) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    frames(1);
    drainMessages();

    PlatformMessage close;
    close.type = MSG_CLOSE;
    platformPostMessage(close);
    PlatformMessage key;
    key.type = MSG_KEYDOWN;
    key.key = VK_DOWN;
    platformPostMessage(key); // already waiting when the window closes

    PlatformMessage m;
    ASSERT_TRUE(platformPollMessage(&m));
    ASSERT_EQ(m.type, MSG_CLOSE);
    EXPECT_TRUE(mainLoopPass(game(), &m));
    EXPECT_FALSE(platformHasContext());
    EXPECT_FALSE(game().mode.quit);

    // Later passes run without a context: messages are still handled, nothing is drawn.
    ASSERT_TRUE(platformPollMessage(&m));
    ASSERT_EQ(m.type, MSG_KEYDOWN);
    EXPECT_TRUE(mainLoopPass(game(), &m));
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_TRUE(mainLoopPass(game(), nullptr));
    PlatformMessage size;
    size.type = MSG_SIZE;
    size.width = 300;
    size.height = 200;
    EXPECT_TRUE(mainLoopPass(game(), &size));
    EXPECT_FALSE(game().mode.quit);

    ASSERT_TRUE(platformPollMessage(&m));
    ASSERT_EQ(m.type, MSG_QUIT);
    EXPECT_NE(figureQuadric, nullptr);
    EXPECT_FALSE(mainLoopPass(game(), &m));
    EXPECT_TRUE(game().mode.quit);
    EXPECT_EQ(figureQuadric, nullptr) << "the figure's quadric is released on quit";
    EXPECT_FALSE(platformPollMessage(&m));

    // A new window and context for whatever runs next in this process.
    platformShutdown();
    ASSERT_TRUE(platformCreateWindow("Valmora", 800, 600));
    resizeViewport(800, 600);
}
