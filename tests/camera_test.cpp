// Camera views: the eye is recovered from the model-view matrix each view leaves behind.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "camera/views.h"
#include "game/settings.h"
#include "jump/jump_state.h"
#include "render/gl.h"
#include "support/harness.h"
#include "venue/backdrop.h"

namespace {

using Vec = std::array<double, 3>;

struct Look {
    Vec eye, forward;
};

// For M = R * translate(-eye): eye = -R^T t, and the view direction is -(third row of R).
Look currentLook() {
    GLdouble m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    Look l;
    for (int i = 0; i < 3; ++i)
        l.eye[i] = -(m[i * 4 + 0] * m[12] + m[i * 4 + 1] * m[13] + m[i * 4 + 2] * m[14]);
    l.forward = {-m[2], -m[6], -m[10]};
    return l;
}

Look applyView(int view) {
    selectCameraView(view);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    applyCameraView();
    return currentLook();
}

void expectEye(const Look& l, Vec eye, const char* what) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(l.eye[i], eye[i], 1e-3) << what << " axis " << i;
}

void expectLooksAt(const Look& l, Vec target, const char* what) {
    Vec d = {target[0] - l.eye[0], target[1] - l.eye[1], target[2] - l.eye[2]};
    double n = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(l.forward[i], d[i] / n, 1e-4) << what;
}

class Camera : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGameWindow();
        resetGameState();
        hillNumber = 1;
        jumperX = 1.1f;
        jumperY = 6.7f;
        jumperZ = -10;
    }
    TempGameDir dir{false};
};

} // namespace

TEST_F(Camera, StartViewLooksAtTheGateFromBesideTheHill) {
    Look l = applyView(1);
    expectEye(l, {-1.5, 1.7, 6}, "view 1 hill 1");
    expectLooksAt(l, {1.1, 6.7, -10}, "view 1 hill 1");
    hillNumber = 3;
    cameraNudge = 2;
    l = applyView(1);
    expectEye(l, {-4, 6 + 1, -4 - 2}, "view 1 hill 3 nudged");
}

TEST_F(Camera, NudgeMovesEyeAndSometimesTarget) {
    const float n = -3;
    cameraNudge = n;
    jumperZ = 10;
    jumperY = -2;
    Look l = applyView(3);
    expectEye(l, {n - 20, 10.5 - n / 4.0, 5 - n / 2.0}, "view 3");
    expectLooksAt(l, {1.1, -2, 10}, "view 3 target unmoved");
    l = applyView(7);
    // The chase view's target moves with the nudge too.
    expectLooksAt(l, {1.1, -2, 10 + chaseShift - 2 + n / 4.0}, "view 7 target");
}

TEST_F(Camera, View4ZonesAndTowerDrop) {
    cameraNudge = 4;
    jumperZ = -8;
    expectEye(applyView(4), {-2 - 1, 4, -8 + 8 + 4 / 6.0}, "z -8: first zone");
    jumperZ = 4;
    expectEye(applyView(4), {-2, 4, 0}, "z 4: second zone");
    jumperZ = 4.01f;
    Look l = applyView(4);
    EXPECT_NEAR(l.eye[1], 4 - 4 / 2.3, 1e-3) << "third zone";

    hillNumber = 2;
    jumperZ = 0;
    for (int i = 0; i < 400; ++i)
        applyView(4);
    EXPECT_LT(towerDrop, -12);
    EXPECT_GE(towerDrop, -12 - 0.08f - 1e-4f) << "at most one step below -12";
    resetJump();
    EXPECT_EQ(towerDrop, 0);
}

TEST_F(Camera, AnimatedValuesChangeOnlyInTheirOwnView) {
    jumperZ = 5;
    applyView(2);
    applyView(2);
    EXPECT_NEAR(cameraRise, 0.08f, 1e-6);
    applyView(5);
    EXPECT_NEAR(trailOffset, 1.1f, 1e-6);
    applyView(3);
    EXPECT_NEAR(cameraRise, 0.08f, 1e-6) << "frozen while another view runs";
    EXPECT_NEAR(trailOffset, 1.1f, 1e-6);
    jumperZ = 2;
    applyView(2);
    EXPECT_NEAR(cameraRise, 0.08f, 1e-6) << "view 2 rises only past z 3";
    resetJump();
    EXPECT_EQ(cameraRise, 0);
    EXPECT_EQ(trailOffset, 1.0f);
    EXPECT_EQ(selectedCameraView(), 1) << "view 2 stays selected across jumps";
}

TEST_F(Camera, View6DriftsWithTheAirship) {
    airshipTravel = 120;
    Look l = applyView(6);
    expectEye(l, {-4 - 10, 10, 5}, "view 6");
}

TEST_F(Camera, UnknownHillAppliesNoView) {
    hillNumber = 4;
    for (int v = 1; v <= 8; ++v) {
        if (v == 7) continue;
        Look l = applyView(v);
        expectEye(l, {0, 0, 0}, "no transform");
    }
}

TEST_F(Camera, FreeCameraWalksTurnsAndStopsAtTheEdge) {
    hiddenSwitch = kFreeCameraCode;
    Look l = applyView(7);
    expectEye(l, {0, -5, 150}, "free camera start");
    expectLooksAt(l, {std::cos(-90 * 3.14159 / 180) * 100, 1, 150 - 100}, "looks along -z");

    platformSimulateHeldKey(VK_UP, true);
    for (int i = 0; i < 150; ++i)
        applyView(7);
    platformSimulateHeldKey(VK_UP, false);
    EXPECT_DOUBLE_EQ(freeCamZ, -270) << "510 units of travel are stopped by the clamp";
    EXPECT_NEAR(freeCamX, 0, 0.01);

    platformSimulateHeldKey(VK_RIGHT, true);
    applyView(7);
    platformSimulateHeldKey(VK_RIGHT, false);
    EXPECT_FLOAT_EQ(freeCamYaw, -85);
    platformSimulateHeldKey('Z', true);
    applyView(7);
    platformSimulateHeldKey('Z', false);
    EXPECT_FLOAT_EQ(freeCamPitch, 5);
    resetJump();
    EXPECT_DOUBLE_EQ(freeCamZ, -270) << "the free camera keeps its place across jumps";

    hiddenSwitch = 0;
    jumperZ = 5;
    l = applyView(7);
    EXPECT_NEAR(l.eye[0], 1.1 - 10, 1e-3) << "without the switch view 7 is the chase camera";
}

TEST_F(Camera, FreeCameraHidesTheHud) {
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
