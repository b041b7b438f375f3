// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Camera views: eye and target of the shot each view's step leaves; no display needed.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "venue/animation.h"
#include "camera/views.h"
#include "game/game_step.h"
#include "game/input.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "render/gl.h"
#include "support/harness.h"
#include "venue/backdrop.h"

namespace {

using Vec = std::array<double, 3>;

struct Look {
    Vec eye, forward;
};

// A view that places no camera leaves the matrix alone: the eye at the origin, looking -z.
Look currentLook() {
    if (!cameraShot.placed) return {{0, 0, 0}, {0, 0, -1}};
    Look l;
    double n = 0;
    for (int i = 0; i < 3; ++i) {
        l.eye[i] = cameraShot.eye[i];
        l.forward[i] = cameraShot.target[i] - cameraShot.eye[i];
        n += l.forward[i] * l.forward[i];
    }
    for (double& f : l.forward)
        f /= std::sqrt(n);
    return l;
}

// One step of the view.
Look applyView(int view) {
    selectCameraView(view);
    updateCamera(airshipTravel, heldCameraKeys());
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

// Every camera value with a load value.
struct CameraValues {
    int selected, flagsSet;
    float nudge, rise, trail, drop, shift, yaw, pitch;
    double x, y, z;
};
CameraValues cameraValues() {
    int set = 0;
    for (uint8_t f : cameraViewFlags)
        set += f != 0;
    return {selectedCameraView(), set,        cameraNudge,  cameraRise, trailOffset, towerDrop,
            chaseShift,           freeCamYaw, freeCamPitch, freeCamX,   freeCamY,    freeCamZ};
}

void expectLoadValues(const CameraValues& v, const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(v.selected, 0) << "view 1";
    EXPECT_EQ(v.flagsSet, 1) << "exactly one view";
    EXPECT_EQ(v.nudge, 0);
    EXPECT_EQ(v.rise, 0);
    EXPECT_EQ(v.trail, 1.0f);
    EXPECT_EQ(v.drop, 0);
    EXPECT_EQ(v.shift, 0);
    EXPECT_EQ(v.yaw, -90);
    EXPECT_EQ(v.pitch, 0);
    EXPECT_EQ(v.x, 0);
    EXPECT_EQ(v.y, 1);
    EXPECT_EQ(v.z, 150);
}

class Camera : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGameState();
        hillNumber = 1;
        jumperX = 1.1f;
        jumperY = 6.7f;
        jumperZ = -10;
    }
    TempGameDir dir{false};
};

} // namespace

TEST(CameraLoad, TheProgramStartsWithTheLoadValues) {
    selectCameraView(4);
    trailOffset = 7;
    freeCamZ = 3;
    resetToProgramStart();
    expectLoadValues(cameraValues(), "after resetToProgramStart");
    selectCameraView(4);
    trailOffset = 7;
    freeCamZ = 3;
    loadCameraState();
    expectLoadValues(cameraValues(), "after loadCameraState");
}

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
    resetJumpAndCamera();
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
    resetJumpAndCamera();
    EXPECT_EQ(cameraRise, 0);
    EXPECT_EQ(trailOffset, 1.0f);
    EXPECT_EQ(selectedCameraView(), 1) << "view 2 stays selected across jumps";
}

// One frame of a view: the value it animates after the update, then eye and target.
struct Framing {
    int view, hill;
    float X, Y, Z;
    float animated; // the view's camera value after this frame's update
    Vec eye, target;
};

TEST_F(Camera, EveryViewOnEveryHillFramesAsItsTableSays) {
    // Nudged, with every animated value away from its start, at two places on the hill:
    // far down (z 20), where every update runs, and high up (z -50), where most do not.
    const float n = 3, rise = 0.5f, trail = 2, drop = -3, shift = -1.5f;
    const float X = 1.3f, Y = -4.2f, hi = -50, lo = 20;
    airshipTravel = 36;
    const Framing cases[] = {
        {1, 1, X, Y, lo, 0, {-1.5, 1.7 + n / 2, 6 - n}, {X, Y, lo}},
        {1, 2, X, Y, lo, 0, {-1.5, 3.2 + n / 2, 6 - n}, {X, Y, lo}},
        {1, 3, X, Y, lo, 0, {-4, 6 + n / 2, -4 - n}, {X, Y, lo}},
        {2,
         1,
         X,
         Y,
         lo,
         rise + 0.04f,
         {X - 4 + n / 4, Y + (rise + 0.04) + 2 - n / 4.4, lo + 4 + (rise + 0.04) - n / 40},
         {X, Y, lo}},
        {2,
         2,
         X,
         Y,
         lo,
         rise + 0.08f,
         {X - 4 + n / 8, Y - 4 + (rise + 0.08) + 2 - n / 8.4, lo + 8 + (rise + 0.08) - n / 80},
         {X, Y, lo}},
        {2,
         3,
         X,
         Y,
         lo,
         rise + 0.04f,
         {X - 1.4 + n / 4, Y - 2 - n / 4.4, lo + 18 + (rise + 0.04) - n / 40},
         {X, Y - 1, lo}},
        {2,
         1,
         X,
         Y,
         hi,
         rise,
         {X - 4 + n / 4, Y + rise + 2 - n / 4.4, hi + 4 + rise - n / 40},
         {X, Y, hi}},
        {3, 1, X, Y, lo, 0, {n - 20, 10.5 - n / 4, 5 - n / 2}, {X, Y, lo}},
        {3, 2, X, Y, lo, 0, {n - 20, 10.5 - n / 4, 5 - n / 2}, {X, Y, lo}},
        {3, 3, X, Y, lo, 0, {n - 20, 10.5 - n / 4, -10 - n / 2}, {X, Y, lo}},
        {4, 1, X, Y, hi, drop, {-2 - n / 4, 4, hi + 8 + n / 6}, {X, Y, hi + n / 8}},
        {4, 1, X, Y, lo, drop, {-2 - n / 4, 4 - n / 2.3, lo - 4 + n / 6}, {X, Y, lo + n / 8}},
        {4, 2, X, Y, hi, drop, {-1 - n / 4, drop + 8, hi + 8 + n / 6}, {X, Y, hi + n / 8}},
        {4, 2, X, Y, 0, drop - 0.08f, {-1, (drop - 0.08) + 8, -2}, {X, Y, 0 + n / 8}},
        {4,
         2,
         X,
         Y,
         lo,
         drop - 0.08f,
         {-1 - n / 4, (drop - 0.08) + 8 - n / 2.3, lo - 6 + n / 6},
         {X, Y, lo + n / 8}},
        {4,
         3,
         X,
         Y,
         hi,
         drop - 0.05f,
         {-3 - n / 4, (drop - 0.05) + 16, hi + 25 + n / 6},
         {X, Y, hi + n / 8}},
        {4, 3, X, Y, -20, drop - 0.05f, {-3, (drop - 0.05) + 16, -15}, {X, Y, -20 + n / 8}},
        {4,
         3,
         X,
         Y,
         lo,
         drop - 0.05f,
         {-3 - n / 4, (drop - 0.05) + 16 - n / 2.3, lo - 5 + n / 6},
         {X, Y, lo + n / 8}},
        {5,
         1,
         X,
         Y,
         lo,
         trail + 0.1f,
         {X - 0.25, Y + (trail + 0.1) - n / 10, lo - (trail + 0.1) + n / 200},
         {X - 0.25, Y, lo + 0.5 - n / 200}},
        {5,
         2,
         X,
         Y,
         hi,
         trail,
         {X - 0.25, Y + trail - n / 10, hi + 0.9 - trail + n / 200},
         {X - 0.25, Y - 0.1, hi + 1 - n / 200}},
        {5,
         2,
         X,
         Y,
         lo,
         trail + 0.1f,
         {X - 0.25, Y + (trail + 0.1) - n / 10, lo + 0.9 - (trail + 0.1) + n / 200},
         {X - 0.25, Y - 0.1, lo + 1 - n / 200}},
        {5,
         3,
         X,
         Y,
         hi,
         trail + 0.16f,
         {X - 0.25, Y + (trail + 0.16) / 2 - n / 10, hi + 5.9 - (trail + 0.16) + n / 200},
         {X - 0.25, Y - 0.1, hi + 8.5 - n / 200}},
        {6, 1, X, Y, lo, 0, {-4 - 36 / 12.0 + n, 10, 5 - n}, {X, Y, lo}},
        {6, 3, X, Y, hi, 0, {-4 - 36 / 12.0 + n, 10, 5 - n}, {X, Y, hi}},
        {7,
         1,
         X,
         Y,
         lo,
         shift - 0.04f,
         {X - 10 + n / 2, Y + 3 - n / 7, lo + (shift - 0.04) + n / 10},
         {X, Y, lo + (shift - 0.04) - 2 + n / 4}},
        {7,
         2,
         X,
         Y,
         lo,
         shift - 0.1f,
         {X - 10 + n / 2, Y + 3 - n / 7, lo + 5 + (shift - 0.1) + n / 10},
         {X, Y, lo + 5 + (shift - 0.1) - 2 + n / 4}},
        {7,
         3,
         X,
         Y,
         hi,
         shift,
         {X - 10 + n / 2, Y + 3 - n / 7, hi + 10 + shift + n / 10},
         {X, Y, hi + 10 + shift - 2 + n / 4}},
        {7,
         3,
         X,
         Y,
         lo,
         shift - 0.1f,
         {X - 10 + n / 2, Y + 3 - n / 7, lo + 10 + (shift - 0.1) + n / 10},
         {X, Y, lo + 10 + (shift - 0.1) - 2 + n / 4}},
        {8, 2, X, Y, lo, rise + 0.04f, {-3, (rise + 0.04) - 6 + n / 4, 26 - n / 2}, {X, Y, lo}},
        {8, 3, X, Y, hi, rise, {-3, rise - 6 + n / 4, 26 - n / 2}, {X, Y, hi}},
    };
    for (const Framing& c : cases) {
        SCOPED_TRACE("view " + std::to_string(c.view) + " hill " + std::to_string(c.hill) + " z " +
                     std::to_string(c.Z));
        hillNumber = c.hill;
        jumperX = c.X;
        jumperY = c.Y;
        jumperZ = c.Z;
        cameraNudge = n;
        cameraRise = rise;
        trailOffset = trail;
        towerDrop = drop;
        chaseShift = shift;
        Look l = applyView(c.view);
        expectEye(l, c.eye, "eye");
        expectLooksAt(l, c.target, "target");
        const float* animated[8] = {nullptr,      &cameraRise, nullptr,     &towerDrop,
                                    &trailOffset, nullptr,     &chaseShift, &cameraRise};
        if (animated[c.view - 1]) {
            EXPECT_FLOAT_EQ(*animated[c.view - 1], c.animated);
        }
        // Only the selected view's value moves.
        EXPECT_TRUE(c.view == 2 || c.view == 8 || cameraRise == rise);
        EXPECT_TRUE(c.view == 4 || towerDrop == drop);
        EXPECT_TRUE(c.view == 5 || trailOffset == trail);
        EXPECT_TRUE(c.view == 7 || chaseShift == shift);
    }
}

TEST_F(Camera, View6DriftsWithTheAirship) {
    airshipTravel = 120;
    Look l = applyView(6);
    expectEye(l, {-4 - 10, 10, 5}, "view 6");
}

TEST_F(Camera, UnknownHillAppliesNoView) {
    hillNumber = 4;
    for (int v = 1; v <= 8; ++v) {
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
    // Heading -85, pitch 5: the target 100 ahead, raised by the pitch above height 1.
    const double h = -85 * 3.14159 / 180, p = 5 * 3.14159 / 180;
    l = applyView(7);
    expectEye(l, {freeCamX, -5, -270}, "eye 6 below the reference height");
    EXPECT_NEAR(freeCamTarget[0], freeCamX + std::cos(h) * 100, 1e-3);
    EXPECT_NEAR(freeCamTarget[1], 1 + std::sin(p) * 100, 1e-3);
    EXPECT_NEAR(freeCamTarget[2], -270 + std::sin(h) * 100, 1e-3);
    expectLooksAt(l, {freeCamTarget[0], freeCamTarget[1], freeCamTarget[2]}, "pitched up");

    platformSimulateHeldKey(VK_LEFT, true);
    platformSimulateHeldKey('A', true);
    applyView(7);
    applyView(7);
    platformSimulateHeldKey('A', false);
    EXPECT_FLOAT_EQ(freeCamYaw, -95);
    EXPECT_FLOAT_EQ(freeCamPitch, -5) << "no limit on the pitch";
    platformSimulateHeldKey(VK_LEFT, false);
    platformSimulateHeldKey(VK_RIGHT, true);
    for (int i = 0; i < 19; ++i)
        applyView(7);
    platformSimulateHeldKey(VK_RIGHT, false);
    ASSERT_FLOAT_EQ(freeCamYaw, 0);

    // Heading 0 walks along +x; the clamp holds x at 220, Down walks back.
    const double x0 = freeCamX;
    platformSimulateHeldKey(VK_UP, true);
    applyView(7);
    EXPECT_NEAR(freeCamX, x0 + 3.4, 1e-5);
    for (int i = 0; i < 70; ++i)
        applyView(7);
    EXPECT_DOUBLE_EQ(freeCamX, 220);
    platformSimulateHeldKey(VK_DOWN, true);
    applyView(7);
    EXPECT_NEAR(freeCamX, 220, 1e-5) << "Up and Down held together cancel";
    platformSimulateHeldKey(VK_UP, false);
    for (int i = 0; i < 10; ++i)
        applyView(7);
    platformSimulateHeldKey(VK_DOWN, false);
    EXPECT_NEAR(freeCamX, 220 - 34, 1e-4);
    EXPECT_DOUBLE_EQ(freeCamZ, -270);
    resetJumpAndCamera();
    EXPECT_DOUBLE_EQ(freeCamZ, -270) << "the free camera keeps its place across jumps";

    hiddenSwitch = 0;
    jumperZ = 5;
    l = applyView(7);
    EXPECT_NEAR(l.eye[0], 1.1 - 10, 1e-3) << "without the switch view 7 is the chase camera";
}
