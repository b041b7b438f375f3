// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The pause and fullscreen in the real window: a pause of any length leaves the game where
// it was, only the camera keys, Q and Esc act in it, and F11 fills the screen and back
// without touching the game or the settings.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "camera/views.h"
#include "core/random.h"
#include "game/app.h"
#include "game/pause.h"
#include "jump_play.h"
#include "render/gl.h"
#include "support/game_snapshot.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

unsigned fixedSeed() {
    return 99;
}

// Into the flight on hill 2, with the seed fixed so every run is the same.
void intoTheFlight(TempGameDir& dir) {
    game().random.seedSource = fixedSeed;
    enterHill(dir, 2);
    ASSERT_TRUE(runAndTakeOff());
    frames(10);
}

// Mean brightness of a picture, and its white pixels inside and outside the middle third.
struct PauseLook {
    double brightness;
    int whiteInside, whiteOutside;
};
PauseLook pauseLook(const Picture& p) {
    const auto white = [](int r, int g, int b) { return r > 240 && g > 240 && b > 240; };
    const int x0 = p.width / 3, x1 = 2 * p.width / 3, y0 = p.height / 3, y1 = 2 * p.height / 3;
    const int inside = p.count(x0, y0, x1, y1, white);
    double sum = 0;
    for (unsigned char c : p.rgb)
        sum += c;
    return {sum / p.rgb.size(), inside, p.count(0, 0, p.width, p.height, white) - inside};
}

// Nine steps that take the window's size messages (the pointer's are left out: they would
// lean the flight).
void settle() {
    for (int i = 0; i < 9; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(30)); // the X server's turn
        PlatformMessage m;
        const bool size = platformPollMessage(&m) && m.type == MSG_SIZE;
        pass(size ? &m : nullptr);
    }
}

} // namespace

TEST(Pause, APauseOfAnyLengthLeavesTheGameWhereItWas) {
    TempGameDir dir;
    for (int length : {1, 240}) {
        SCOPED_TRACE("paused for " + std::to_string(length) + " steps");
        intoTheFlight(dir);
        frames(5);
        const uint64_t unpausedAfterFive = hashGameState();

        intoTheFlight(dir);
        passChar('p'); // its step runs, then the clock stops
        EXPECT_TRUE(game().mode.paused);
        const uint64_t atPause = hashGameState();
        frames(length);
        EXPECT_EQ(hashGameState(), atPause) << "nothing moved";
        passChar('p');
        EXPECT_FALSE(game().mode.paused);
        frames(4); // with the pausing step, five steps on
        EXPECT_EQ(hashGameState(), unpausedAfterFive) << "it goes on from the same place";
    }
    game().random.seedSource = nullptr;
}

TEST(Pause, TheDimmedPictureSaysPauzaAndOnlyCameraKeysQAndEscAct) {
    TempGameDir dir;
    intoTheFlight(dir);
    const PauseLook running = pauseLook(lastFrame());
    passChar('p');
    const Picture paused = lastFrame();
    const PauseLook look = pauseLook(paused);
    savePng(paused, "pause");
    EXPECT_GT(look.whiteInside, 200) << "the white word in the middle";
    EXPECT_EQ(look.whiteOutside, 0) << "everything else dimmed";
    EXPECT_LT(look.brightness, 0.6 * running.brightness) << "the whole picture darker";

    // Clicks and the start and confirm keys do nothing; the mouse only moves the cursor.
    const uint64_t atPause = hashGameState();
    passLeftClick();
    passRightClick();
    passKey(VK_SPACE);
    passKey(VK_RETURN);
    EXPECT_EQ(hashGameState(), atPause);
    const float lean = game().jump.flightLean;
    passMouseMove(400, 500);
    EXPECT_EQ(game().jump.cursorY, 500);
    EXPECT_EQ(game().jump.flightLean, lean);
    EXPECT_TRUE(game().mode.paused);

    // A camera key shows its view at once, the clock still stopped.
    const CameraShot before = game().camera.cameraShot;
    passChar('3');
    EXPECT_EQ(selectedCameraView(game().camera), 2);
    EXPECT_NE(game().camera.cameraShot.eye[0], before.eye[0]);
    EXPECT_TRUE(game().mode.paused);
    const float z = game().jump.jumperZ;
    frames(10);
    EXPECT_EQ(game().jump.jumperZ, z);

    // Esc resumes and then acts: the start screen.
    passKey(VK_ESCAPE);
    EXPECT_FALSE(game().mode.paused);
    EXPECT_EQ(game().mode.screen, Screen::Start);
    passChar('p');
    EXPECT_FALSE(game().mode.paused) << "no pause on the start screen";
    game().random.seedSource = nullptr;
}

TEST(Fullscreen, F11FillsTheScreenAndBackWithoutTouchingTheGame) {
    TempGameDir dir;
    intoTheFlight(dir);
    frames(20);
    const uint64_t unchanged = hashGameState();

    intoTheFlight(dir);
    ASSERT_FALSE(platformIsFullscreen());
    passKey(VK_F11);
    // The new size arrives as a size message, handled between steps.
    settle();
    EXPECT_TRUE(platformIsFullscreen());
    int w, h;
    platformClientSize(&w, &h);
    EXPECT_EQ(w, 1280) << "the virtual screen's width; " << w << "x" << h;
    EXPECT_EQ(h, 1024);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], w);
    EXPECT_EQ(viewport[3], h);
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(projection[5] / projection[0], 1280.0 / 1024.0, 1e-6) << "the screen's aspect";
    const Picture full = lastFrame();
    EXPECT_EQ(full.width, 1280);
    savePng(full, "fullscreen");

    passKey(VK_F11);
    settle();
    EXPECT_FALSE(platformIsFullscreen());
    platformClientSize(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(hashGameState(), unchanged) << "twenty steps, as without the toggles";
    EXPECT_EQ(dir.readData("resx.dat"), "800");
    EXPECT_EQ(dir.readData("resy.dat"), "600");
    game().random.seedSource = nullptr;
}
