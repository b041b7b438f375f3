// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The frame as a player sees it: start screen, sky colours, and the groups in their places.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "game/app.h"
#include "game/frame.h"
#include "core/settings.h"
#include "game/scene_setup.h"
#include "jump/jump_state.h"
#include "camera/views.h"
#include "game/camera_view.h"
#include "render/gl.h"
#include "support/harness.h"
#include "game/game.h"
#include "venue/animation.h"

namespace {

struct Sky {
    int season, lighting, hill;
    int r, g, b;
};

int near(int a, int b) {
    return std::abs(a - b) <= 3;
}

} // namespace

TEST(Frame, SkyIsTheWeathersClearColourAfterTheStartScreen) {
    // Winter day 0.98,1,1; summer day 0.9,0.9,1; night on hills 1 and 2 is 0,0,0.2; night on
    // hill 3 is daylight.
    const Sky skies[] = {{0, 6, 1, 250, 255, 255},
                         {1, 6, 2, 230, 230, 255},
                         {0, 8, 1, 0, 0, 51},
                         {1, 8, 2, 0, 0, 51},
                         {0, 8, 3, 250, 255, 255}};
    for (const Sky& s : skies) {
        TempGameDir dir;
        dir.writeDefaults();
        dir.configure(s.hill, 1, s.season, s.lighting);
        startGame();
        leaveStartScreen();
        passChar('3'); // the side view shows plenty of sky above the hill
        frames(1);
        Picture p = lastFrame();
        int skyPixels =
            p.count(p.width / 3, 0, p.width * 2 / 3, p.height / 6, [&](int r, int g, int b) {
                return near(r, s.r) && near(g, s.g) && near(b, s.b);
            });
        int area = (p.width / 3) * (p.height / 6);
        if (skyPixels < area / 3)
            savePng(p, "sky_" + std::to_string(s.hill) + "_" + std::to_string(s.season) + "_" +
                           std::to_string(s.lighting));
        EXPECT_GT(skyPixels, area / 3)
            << "hill " << s.hill << " season " << s.season << " lighting " << s.lighting;
    }
}

TEST(Frame, StartScreenFirstFrameUsesTheSkyAndLaterFramesBlack) {
    TempGameDir dir;
    dir.writeDefaults();
    dir.configure(1, 1, 1, 6);
    startGame();
    frames(1);
    Picture first = lastFrame();
    frames(1);
    Picture second = lastFrame();
    // A thin strip above the poster panel shows only the clear colour.
    int r, g, b;
    first.at(first.width / 2, 2, &r, &g, &b);
    EXPECT_TRUE(near(r, 230) && near(g, 230) && near(b, 255)) << r << "," << g << "," << b;
    second.at(second.width / 2, 2, &r, &g, &b);
    EXPECT_TRUE(r == 0 && g == 0 && b == 0) << r << "," << g << "," << b;
}

TEST(Frame, CameraSeesTheJumperWhereThePreviousFrameLeftHim) {
    // View 2 on hill 1 rises in every frame whose camera finds the jumper beyond z 3. The
    // camera runs before the motion step, so the frame that carries him across z 3 does not
    // rise yet; the next one does.
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(1, 1, 0, 6);
    startGame();
    leaveStartScreen();
    passChar('2');
    passKey(VK_SPACE);
    ASSERT_EQ(game().jump.atGate, 0);
    float rise = game().camera.cameraRise;
    int crossings = 0, risingFrames = 0;
    for (int frame = 0; frame < 1000 && game().jump.jumperZ < 10; ++frame) {
        const float zBefore = game().jump.jumperZ;
        pass();
        const bool rose = game().camera.cameraRise > rise;
        rise = game().camera.cameraRise;
        EXPECT_EQ(rose, zBefore > 3)
            << "frame " << frame << " z " << zBefore << " -> " << game().jump.jumperZ;
        crossings += zBefore <= 3 && game().jump.jumperZ > 3;
        risingFrames += rose;
    }
    EXPECT_EQ(crossings, 1);
    EXPECT_GT(risingFrames, 0);
}

// The scene's first frame comes before its first step: it already looks through the shot
// of the chosen view, at program start and after Esc from a jump under way alike.
TEST(Frame, TheFirstSceneFrameIsTheOneWithTheShotPlaced) {
    TempGameDir dir;
    dir.writeDefaults();
    dir.configure(2, 1, 0, 6);
    startGame();
    frames(1);
    for (const char* when : {"at program start", "after Esc and a new start"}) {
        SCOPED_TRACE(when);
        leaveStartScreen();
        const Picture first = lastFrame();
        // Again as drawn after a start-screen frame (the GL state left colours the texts).
        placeCameraStill(game().camera, game().jump, game().settings, game().venue.airshipTravel);
        game().mode.screen = Screen::Start;
        drawFrame(game());
        game().mode.screen = Screen::Scene;
        game().sceneGraphicsPending = true;
        const Picture placed = frameNow();
        if (differingPixels(first, placed) != 0) savePng(first, "first_scene_frame");
        EXPECT_EQ(differingPixels(first, placed), 0);
        passKey(VK_SPACE); // the last shot then follows a jumper away from the gate
        frames(60);
        passKey(VK_ESCAPE);
        passKey(VK_UP);
    }
}

TEST(Frame, FreeCameraHidesTheHud) {
    TempGameDir dir;
    dir.writeDefaults();
    auto redPixels = [] {
        Picture p = lastFrame();
        return p.count(0, 0, p.width / 3, p.height / 5,
                       [](int r, int g, int b) { return r > 200 && g < 60 && b < 60; });
    };
    startGame();
    leaveStartScreen();
    frames(2);
    EXPECT_GT(redPixels(), 20) << "the wind text is red at the top left";
    dir.writeData("kopytko.cfg", "846");
    passKey(VK_ESCAPE);
    passKey(VK_UP);
    passKey(VK_RETURN);
    passChar('7');
    frames(2);
    Picture p = lastFrame();
    int red = redPixels();
    if (red != 0) savePng(p, "free_camera_hud");
    EXPECT_EQ(red, 0);
}

// The frame applies the shot its step placed: eye and target as the step left them, up +y.
TEST(Frame, AppliedViewIsTheStepsShot) {
    TempGameDir dir(false);
    dir.writeDefaults();
    for (int hill = 1; hill <= 3; ++hill)
        for (int view = 1; view <= 8; ++view) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " view " + std::to_string(view));
            dir.configure(hill, 1, 0, 6);
            startGame();
            leaveStartScreen();
            passChar(static_cast<char>('0' + view));
            frames(30);
            ASSERT_TRUE(game().camera.cameraShot.placed);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            applyCameraView(game().camera);
            GLdouble m[16];
            glGetDoublev(GL_MODELVIEW_MATRIX, m);
            // For M = R * translate(-eye): eye = -R^T t; the view direction is -(R's third row).
            double eye[3], forward[3], n = 0;
            for (int i = 0; i < 3; ++i) {
                eye[i] = -(m[i * 4 + 0] * m[12] + m[i * 4 + 1] * m[13] + m[i * 4 + 2] * m[14]);
                forward[i] = game().camera.cameraShot.target[i] - game().camera.cameraShot.eye[i];
                n += forward[i] * forward[i];
            }
            for (int i = 0; i < 3; ++i) {
                EXPECT_NEAR(eye[i], game().camera.cameraShot.eye[i],
                            1e-3 * (1 + std::fabs(eye[i])));
                EXPECT_NEAR(-m[2 + 4 * i], forward[i] / std::sqrt(n), 1e-4);
            }
            EXPECT_NEAR(m[4], 0, 1e-6) << "up is +y: the picture is never rolled";
        }
}
