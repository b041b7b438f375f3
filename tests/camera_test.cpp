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
#include "game/app.h"
#include "game/game.h"
#include "venue/backdrop.h"

namespace {

using Vec = std::array<double, 3>;

struct Look {
    Vec eye, forward;
};

// A view that places no camera leaves the matrix alone: the eye at the origin, looking -z.
Look currentLook() {
    if (!game().camera.cameraShot.placed) return {{0, 0, 0}, {0, 0, -1}};
    Look l;
    double n = 0;
    for (int i = 0; i < 3; ++i) {
        l.eye[i] = game().camera.cameraShot.eye[i];
        l.forward[i] = game().camera.cameraShot.target[i] - game().camera.cameraShot.eye[i];
        n += l.forward[i] * l.forward[i];
    }
    for (double& f : l.forward)
        f /= std::sqrt(n);
    return l;
}

// One step of the view, with the keys held as the app reads them for a step.
Look applyView(int view) {
    selectCameraView(game().camera, view);
    updateCamera(game().camera, game().jump, game().settings, game().venue.airshipTravel,
                 buildStepInput(nullptr).cameraKeys);
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
    for (uint8_t f : game().camera.cameraViewFlags)
        set += f != 0;
    return {selectedCameraView(game().camera),
            set,
            game().camera.cameraNudge,
            game().camera.cameraRise,
            game().camera.trailOffset,
            game().camera.towerDrop,
            game().camera.chaseShift,
            game().camera.freeCamYaw,
            game().camera.freeCamPitch,
            game().camera.freeCamX,
            game().camera.freeCamY,
            game().camera.freeCamZ};
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

class CameraViews : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGameState();
        game().settings.hillNumber = 1;
        game().jump.jumperX = 1.1f;
        game().jump.jumperY = 6.7f;
        game().jump.jumperZ = -10;
    }
    TempGameDir dir{false};
};

} // namespace

TEST(CameraLoad, TheProgramStartsWithTheLoadValues) {
    selectCameraView(game().camera, 4);
    game().camera.trailOffset = 7;
    game().camera.freeCamZ = 3;
    resetToProgramStart(game());
    expectLoadValues(cameraValues(), "after resetToProgramStart");
    selectCameraView(game().camera, 4);
    game().camera.trailOffset = 7;
    game().camera.freeCamZ = 3;
    game().camera = Camera{};
    expectLoadValues(cameraValues(), "after loadCameraState");
}

TEST_F(CameraViews, StartViewLooksAtTheGateFromBesideTheHill) {
    Look l = applyView(1);
    expectEye(l, {-1.5, 1.7, 6}, "view 1 hill 1");
    expectLooksAt(l, {1.1, 6.7, -10}, "view 1 hill 1");
    game().settings.hillNumber = 3;
    game().camera.cameraNudge = 2;
    l = applyView(1);
    expectEye(l, {-4, 6 + 1, -4 - 2}, "view 1 hill 3 nudged");
}

TEST_F(CameraViews, NudgeMovesEyeAndSometimesTarget) {
    const float n = -3;
    game().camera.cameraNudge = n;
    game().jump.jumperZ = 10;
    game().jump.jumperY = -2;
    Look l = applyView(3);
    expectEye(l, {n - 20, 10.5 - n / 4.0, 5 - n / 2.0}, "view 3");
    expectLooksAt(l, {1.1, -2, 10}, "view 3 target unmoved");
    l = applyView(7);
    // The chase view's target moves with the nudge too.
    expectLooksAt(l, {1.1, -2, 10 + game().camera.chaseShift - 2 + n / 4.0}, "view 7 target");
}

TEST_F(CameraViews, View4ZonesAndTowerDrop) {
    game().camera.cameraNudge = 4;
    game().jump.jumperZ = -8;
    expectEye(applyView(4), {-2 - 1, 4, -8 + 8 + 4 / 6.0}, "z -8: first zone");
    game().jump.jumperZ = 4;
    expectEye(applyView(4), {-2, 4, 0}, "z 4: second zone");
    game().jump.jumperZ = 4.01f;
    Look l = applyView(4);
    EXPECT_NEAR(l.eye[1], 4 - 4 / 2.3, 1e-3) << "third zone";

    game().settings.hillNumber = 2;
    game().jump.jumperZ = 0;
    for (int i = 0; i < 400; ++i)
        applyView(4);
    EXPECT_LT(game().camera.towerDrop, -12);
    EXPECT_GE(game().camera.towerDrop, -12 - 0.08f - 1e-4f) << "at most one step below -12";
    resetJumpAndCamera(game());
    EXPECT_EQ(game().camera.towerDrop, 0);
}

TEST_F(CameraViews, AnimatedValuesChangeOnlyInTheirOwnView) {
    game().jump.jumperZ = 5;
    applyView(2);
    applyView(2);
    EXPECT_NEAR(game().camera.cameraRise, 0.08f, 1e-6);
    applyView(5);
    EXPECT_NEAR(game().camera.trailOffset, 1.1f, 1e-6);
    applyView(3);
    EXPECT_NEAR(game().camera.cameraRise, 0.08f, 1e-6) << "frozen while another view runs";
    EXPECT_NEAR(game().camera.trailOffset, 1.1f, 1e-6);
    game().jump.jumperZ = 2;
    applyView(2);
    EXPECT_NEAR(game().camera.cameraRise, 0.08f, 1e-6) << "view 2 rises only past z 3";
    resetJumpAndCamera(game());
    EXPECT_EQ(game().camera.cameraRise, 0);
    EXPECT_EQ(game().camera.trailOffset, 1.0f);
    EXPECT_EQ(selectedCameraView(game().camera), 1) << "view 2 stays selected across jumps";
}

// One frame of a view: the value it animates after the update, then eye and target.
struct Framing {
    int view, hill;
    float X, Y, Z;
    float animated; // the view's camera value after this frame's update
    Vec eye, target;
};

TEST_F(CameraViews, EveryViewOnEveryHillFramesAsItsTableSays) {
    // Nudged, with every animated value away from its start, at two places on the hill:
    // far down (z 20), where every update runs, and high up (z -50), where most do not.
    const float n = 3, rise = 0.5f, trail = 2, drop = -3, shift = -1.5f;
    const float X = 1.3f, Y = -4.2f, hi = -50, lo = 20;
    game().venue.airshipTravel = 36;
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
        game().settings.hillNumber = c.hill;
        game().jump.jumperX = c.X;
        game().jump.jumperY = c.Y;
        game().jump.jumperZ = c.Z;
        game().camera.cameraNudge = n;
        game().camera.cameraRise = rise;
        game().camera.trailOffset = trail;
        game().camera.towerDrop = drop;
        game().camera.chaseShift = shift;
        Look l = applyView(c.view);
        expectEye(l, c.eye, "eye");
        expectLooksAt(l, c.target, "target");
        const float* animated[8] = {nullptr,
                                    &game().camera.cameraRise,
                                    nullptr,
                                    &game().camera.towerDrop,
                                    &game().camera.trailOffset,
                                    nullptr,
                                    &game().camera.chaseShift,
                                    &game().camera.cameraRise};
        if (animated[c.view - 1]) {
            EXPECT_FLOAT_EQ(*animated[c.view - 1], c.animated);
        }
        // Only the selected view's value moves.
        EXPECT_TRUE(c.view == 2 || c.view == 8 || game().camera.cameraRise == rise);
        EXPECT_TRUE(c.view == 4 || game().camera.towerDrop == drop);
        EXPECT_TRUE(c.view == 5 || game().camera.trailOffset == trail);
        EXPECT_TRUE(c.view == 7 || game().camera.chaseShift == shift);
    }
}

TEST_F(CameraViews, View6DriftsWithTheAirship) {
    game().venue.airshipTravel = 120;
    Look l = applyView(6);
    expectEye(l, {-4 - 10, 10, 5}, "view 6");
}

TEST_F(CameraViews, UnknownHillAppliesNoView) {
    game().settings.hillNumber = 4;
    for (int v = 1; v <= 8; ++v) {
        Look l = applyView(v);
        expectEye(l, {0, 0, 0}, "no transform");
    }
}

TEST_F(CameraViews, FreeCameraWalksTurnsAndStopsAtTheEdge) {
    game().settings.hiddenSwitch = kFreeCameraCode;
    Look l = applyView(7);
    expectEye(l, {0, -5, 150}, "free camera start");
    expectLooksAt(l, {std::cos(-90 * 3.14159 / 180) * 100, 1, 150 - 100}, "looks along -z");

    platformSimulateHeldKey(VK_UP, true);
    for (int i = 0; i < 150; ++i)
        applyView(7);
    platformSimulateHeldKey(VK_UP, false);
    EXPECT_DOUBLE_EQ(game().camera.freeCamZ, -270)
        << "510 units of travel are stopped by the clamp";
    EXPECT_NEAR(game().camera.freeCamX, 0, 0.01);

    platformSimulateHeldKey(VK_RIGHT, true);
    applyView(7);
    platformSimulateHeldKey(VK_RIGHT, false);
    EXPECT_FLOAT_EQ(game().camera.freeCamYaw, -85);
    platformSimulateHeldKey('Z', true);
    applyView(7);
    platformSimulateHeldKey('Z', false);
    EXPECT_FLOAT_EQ(game().camera.freeCamPitch, 5);
    // Heading -85, pitch 5: the target 100 ahead, raised by the pitch above height 1.
    const double h = -85 * 3.14159 / 180, p = 5 * 3.14159 / 180;
    l = applyView(7);
    expectEye(l, {game().camera.freeCamX, -5, -270}, "eye 6 below the reference height");
    EXPECT_NEAR(game().camera.freeCamTarget[0], game().camera.freeCamX + std::cos(h) * 100, 1e-3);
    EXPECT_NEAR(game().camera.freeCamTarget[1], 1 + std::sin(p) * 100, 1e-3);
    EXPECT_NEAR(game().camera.freeCamTarget[2], -270 + std::sin(h) * 100, 1e-3);
    expectLooksAt(l,
                  {game().camera.freeCamTarget[0], game().camera.freeCamTarget[1],
                   game().camera.freeCamTarget[2]},
                  "pitched up");

    platformSimulateHeldKey(VK_LEFT, true);
    platformSimulateHeldKey('A', true);
    applyView(7);
    applyView(7);
    platformSimulateHeldKey('A', false);
    EXPECT_FLOAT_EQ(game().camera.freeCamYaw, -95);
    EXPECT_FLOAT_EQ(game().camera.freeCamPitch, -5) << "no limit on the pitch";
    platformSimulateHeldKey(VK_LEFT, false);
    platformSimulateHeldKey(VK_RIGHT, true);
    for (int i = 0; i < 19; ++i)
        applyView(7);
    platformSimulateHeldKey(VK_RIGHT, false);
    ASSERT_FLOAT_EQ(game().camera.freeCamYaw, 0);

    // Heading 0 walks along +x; the clamp holds x at 220, Down walks back.
    const double x0 = game().camera.freeCamX;
    platformSimulateHeldKey(VK_UP, true);
    applyView(7);
    EXPECT_NEAR(game().camera.freeCamX, x0 + 3.4, 1e-5);
    for (int i = 0; i < 70; ++i)
        applyView(7);
    EXPECT_DOUBLE_EQ(game().camera.freeCamX, 220);
    platformSimulateHeldKey(VK_DOWN, true);
    applyView(7);
    EXPECT_NEAR(game().camera.freeCamX, 220, 1e-5) << "Up and Down held together cancel";
    platformSimulateHeldKey(VK_UP, false);
    for (int i = 0; i < 10; ++i)
        applyView(7);
    platformSimulateHeldKey(VK_DOWN, false);
    EXPECT_NEAR(game().camera.freeCamX, 220 - 34, 1e-4);
    EXPECT_DOUBLE_EQ(game().camera.freeCamZ, -270);
    resetJumpAndCamera(game());
    EXPECT_DOUBLE_EQ(game().camera.freeCamZ, -270)
        << "the free camera keeps its place across jumps";

    game().settings.hiddenSwitch = 0;
    game().jump.jumperZ = 5;
    l = applyView(7);
    EXPECT_NEAR(l.eye[0], 1.1 - 10, 1e-3) << "without the switch view 7 is the chase camera";
}
