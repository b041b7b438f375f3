// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Start bar, in-run markers, safety net and chairlift: seat motion through real frames,
// which groups each hill and detail level draws, and the shapes themselves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "venue/animation.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "group_feedback.h"
#include "render/textures.h"
#include "support/harness.h"
#include "game/game.h"
#include "venue/furniture.h"

namespace {

// Where the seats stand when the program starts.
const SeatPosition kDownStart = {-5, 6, -10};
const SeatPosition kUpStart = {-2.8f, -9, 45};

void startScene(TempGameDir& dir, int hill, int detail, int seasonValue = 0, int lighting = 6) {
    dir.writeDefaults();
    dir.configure(hill, detail, seasonValue, lighting);
    startGame();
    leaveStartScreen();
}

void expectSeat(const SeatPosition& s, float x, float y, float z, const char* what) {
    EXPECT_FLOAT_EQ(s.x, x) << what;
    EXPECT_NEAR(s.y, y, 2e-4) << what;
    EXPECT_NEAR(s.z, z, 2e-4) << what;
}

// How often each group was drawn during one frame.
struct FrameDraws {
    unsigned long count[MARK_COUNT] = {};
    unsigned long operator[](GroupMark m) const { return count[m]; }
};

FrameDraws drawOneFrame() {
    FrameDraws before, after;
    std::copy(groupDrawCount, groupDrawCount + MARK_COUNT, before.count);
    pass();
    for (int m = 0; m < MARK_COUNT; ++m)
        after.count[m] = groupDrawCount[m] - before.count[m];
    return after;
}

class ChairliftFrames : public ::testing::Test {
  protected:
    void SetUp() override {
        game().venue.downSeat = kDownStart;
        game().venue.upSeat = kUpStart;
    }
    TempGameDir dir;
};

} // namespace

TEST_F(ChairliftFrames, SeatsMoveOnlyInFramesThatDrawTheChairlift) {
    struct Case {
        int hill, detail;
        bool drawn;
    };
    // Detail 3 on hill 1 is the only place of the chairlift; detail 4 has the town instead.
    for (Case c : {Case{1, 3, true}, Case{1, 4, false}, Case{1, 2, false}, Case{1, 1, false},
                   Case{2, 3, false}, Case{3, 3, false}}) {
        SCOPED_TRACE("hill " + std::to_string(c.hill) + " detail " + std::to_string(c.detail));
        game().venue.downSeat = kDownStart;
        game().venue.upSeat = kUpStart;
        startScene(dir, c.hill, c.detail);
        EXPECT_EQ(drawOneFrame()[MARK_CHAIRLIFT], c.drawn ? 1u : 0u);
        frames(9);
        if (c.drawn) {
            expectSeat(game().venue.downSeat, -5, 6 - 10 * 0.0375f, -10 + 10 * 0.125f, "down seat");
            expectSeat(game().venue.upSeat, -2.8f, -9, 45 - 10 * 0.125f, "up seat");
        } else {
            expectSeat(game().venue.downSeat, kDownStart.x, kDownStart.y, kDownStart.z,
                       "down seat");
            expectSeat(game().venue.upSeat, kUpStart.x, kUpStart.y, kUpStart.z, "up seat");
        }
    }
}

TEST_F(ChairliftFrames, EachSectionHasTheRateOfItsCable) {
    startScene(dir, 1, 3);
    // (start z, dz per frame, dy per frame); 40 frames stay inside every section.
    struct Section {
        float z, dz, dy;
    };
    const Section down[] = {
        {-10, 0.125f, -0.0375f}, {0, 0.125f, -0.06f}, {10, 0.125f, -0.077f},
        {20, 0.125f, -0.01f},    {35, 0.1255f, 0},
    };
    for (const Section& s : down) {
        SCOPED_TRACE("down seat from z " + std::to_string(s.z));
        game().venue.downSeat = {-5, 1, s.z};
        frames(40);
        expectSeat(game().venue.downSeat, -5, 1 + 40 * s.dy, s.z + 40 * s.dz, "down seat");
    }
    const Section up[] = {
        {45, -0.125f, 0},     {35, -0.125f, 0.009f}, {20, -0.125f, 0.075f},
        {10, -0.125f, 0.06f}, {0, -0.125f, 0.0375f},
    };
    for (const Section& s : up) {
        SCOPED_TRACE("up seat from z " + std::to_string(s.z));
        game().venue.upSeat = {-2.8f, 1, s.z};
        frames(40);
        expectSeat(game().venue.upSeat, -2.8f, 1 + 40 * s.dy, s.z + 40 * s.dz, "up seat");
    }
}

TEST_F(ChairliftFrames, CrossingAPylonTakesBothSectionsStepsInOneFrame) {
    startScene(dir, 1, 3);
    game().venue.downSeat = {-5, 3, -0.125f};
    game().venue.upSeat = {-2.8f, 0, 0.125f};
    frames(1);
    expectSeat(game().venue.downSeat, -5, 3 - 0.0375f - 0.06f, 0.125f, "down seat");
    expectSeat(game().venue.upSeat, -2.8f, 0.06f + 0.0375f, -0.125f, "up seat");
}

TEST_F(ChairliftFrames, DownSeatAtExactly45WaitsOneFrameThenStartsOver) {
    startScene(dir, 1, 3);
    // A z from which the last section's step lands exactly on 45.
    float z = 45.0f - 0.1255f;
    while (z + 0.1255f < 45.0f)
        z = std::nextafter(z, 100.0f);
    while (z + 0.1255f > 45.0f)
        z = std::nextafter(z, 0.0f);
    ASSERT_EQ(z + 0.1255f, 45.0f);

    game().venue.downSeat = {-5, -9.16f, z};
    frames(1);
    expectSeat(game().venue.downSeat, -5, -9.16f, 45, "at 45, not yet reset");
    frames(1);
    expectSeat(game().venue.downSeat, kDownStart.x, kDownStart.y, kDownStart.z,
               "reset once past 45");
    frames(1);
    expectSeat(game().venue.downSeat, -5, 6 - 0.0375f, -10 + 0.125f, "moving again");
}

TEST_F(ChairliftFrames, AFullRoundTripFollowsTheCableAndRestartsBothSeats) {
    startScene(dir, 1, 3);
    // Down: 360 steps of 0.125 from z -10 to 35; the pylon crossings at 0, 10 and 20 each
    // add a step to their frame, and the frame that reaches 35 also takes the first step of
    // the last section. The last section needs ceil(10 / 0.1255) = 80 steps to pass 45.
    const int reachLast = 360 - 3;
    const int lastSteps = static_cast<int>(std::ceil(10 / 0.1255));
    const int downReset = reachLast + lastSteps - 1;
    // Up: 80 + 120 + 80 + 80 + 80 steps of 0.125 from 45 to -10, the crossings at 35, 20,
    // 10 and 0 doubling up, and the reset in the frame that reaches -10.
    const int upReset = 440 - 4;

    frames(reachLast);
    const float cableDrop = 80 * 0.0375f + 80 * 0.06f + 80 * 0.077f + 120 * 0.01f;
    expectSeat(game().venue.downSeat, -5, 6 - cableDrop, 35 + 0.1255f,
               "down seat on the last section");

    frames(downReset - reachLast - 1);
    EXPECT_LE(game().venue.downSeat.z, 45);
    EXPECT_GT(game().venue.downSeat.z, 45 - 0.1255f);
    EXPECT_NEAR(game().venue.downSeat.y, 6 - cableDrop, 2e-4);
    const float cableRise = 120 * 0.009f + 80 * 0.075f + 80 * 0.06f + 80 * 0.0375f;
    expectSeat(game().venue.upSeat, -2.8f, -9 + cableRise - 0.0375f, -10 + 0.125f,
               "up seat one step short");
    ASSERT_EQ(downReset, upReset);

    frames(1);
    expectSeat(game().venue.downSeat, kDownStart.x, kDownStart.y, kDownStart.z,
               "down seat restarted");
    expectSeat(game().venue.upSeat, kUpStart.x, kUpStart.y, kUpStart.z, "up seat restarted");
}

TEST_F(ChairliftFrames, SeatsKeepTheirPlacesAcrossAJumpReset) {
    startScene(dir, 1, 3);
    frames(20);
    SeatPosition before = game().venue.downSeat;
    resetJump(game().jump, liveCourse(game()));
    frames(1);
    expectSeat(game().venue.downSeat, before.x, before.y - 0.0375f, before.z + 0.125f, "down seat");
}

// Which of these groups a frame draws, seen through the marks in the GL command stream.
class GroupsPerFrame : public ::testing::Test {
  protected:
    FrameDraws frameAt(int hill, int detail) {
        startScene(dir, hill, detail);
        return drawOneFrame();
    }
    TempGameDir dir;
};

TEST_F(GroupsPerFrame, StartBarOnEveryHillAndDetail) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int detail = 1; detail <= 4; ++detail) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " detail " + std::to_string(detail));
            EXPECT_EQ(frameAt(hill, detail)[MARK_START_BAR], 1u);
        }
}

TEST_F(GroupsPerFrame, MarkersOnTheTwoSmallerHillsOnlyAndAtEveryDetail) {
    for (int detail : {1, 4}) {
        for (int hill : {1, 2})
            EXPECT_EQ(frameAt(hill, detail)[MARK_INRUN_MARKERS], 1u) << "hill " << hill;
        EXPECT_EQ(frameAt(3, detail)[MARK_INRUN_MARKERS], 0u);
    }
}

TEST_F(GroupsPerFrame, SafetyNetOnlyOnHill3FromDetail2) {
    EXPECT_EQ(frameAt(3, 1)[MARK_SAFETY_NET], 0u);
    for (int detail : {2, 3, 4})
        EXPECT_EQ(frameAt(3, detail)[MARK_SAFETY_NET], 1u) << "detail " << detail;
    for (int hill : {1, 2})
        EXPECT_EQ(frameAt(hill, 4)[MARK_SAFETY_NET], 0u) << "hill " << hill;
}

// The shapes themselves, drawn alone under a fixed camera.
class FurnitureShapes : public ::testing::Test {
  protected:
    void SetUp() override {
        ensureGameWindow();
        glDisable(GL_CULL_FACE);
    }
    void TearDown() override { game().settings.hillNumber = 0; }
};

TEST_F(FurnitureShapes, MarkerCubesStandWhereTheTableSays) {
    // Corner positions (x, y, z) of the eight cubes.
    const float hill1[8][2] = {{5.9f, -9},  {5.18f, -8}, {4.47f, -7}, {3.77f, -6},
                               {3.08f, -5}, {2.55f, -4}, {2.09f, -3}, {1.77f, -2}};
    const float hill2[8][2] = {{12, -19.4f},   {10.35f, -17.4f}, {8.7f, -15.4f}, {7.25f, -13.4f},
                               {5.8f, -11.4f}, {4.35f, -9.4f},   {3.29f, -7.4f}, {2.97f, -5.4f}};
    for (int hill : {1, 2}) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        game().settings.hillNumber = hill;
        const double eye[3] = {60, 40, 30}, center[3] = {0, 5, -10};
        IsolatedView view(eye, center, 30);
        FeedbackResult fed = captureFeedback([] { drawInrunMarkers(game().settings); });
        const auto& polys = fed[MARK_INRUN_MARKERS].polygons;
        ASSERT_EQ(triangleCount(polys), 8u * 6u * 2u) << "eight boxes of six square faces";
        const size_t perCube = polys.size() / 8;
        const auto& table = hill == 1 ? hill1 : hill2;
        for (int cube = 0; cube < 8; ++cube) {
            double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
            for (size_t face = 0; face < perCube; ++face) {
                const FedPrimitive& p = polys[cube * perCube + face];
                for (int v = 0; v < p.vertexCount; ++v) {
                    double o[3];
                    view.toObject(&p.data[v * 3], o);
                    for (int k = 0; k < 3; ++k) {
                        lo[k] = std::min(lo[k], o[k]);
                        hi[k] = std::max(hi[k], o[k]);
                    }
                }
            }
            SCOPED_TRACE("cube " + std::to_string(cube + 1));
            EXPECT_NEAR(lo[0], 1.9, 1e-3);
            EXPECT_NEAR(lo[1], table[cube][0], 1e-3);
            EXPECT_NEAR(lo[2], table[cube][1] - 0.1, 1e-3); // the box reaches 0.1 towards -z
            EXPECT_NEAR(hi[0] - lo[0], 0.1, 1e-3);
            EXPECT_NEAR(hi[1] - lo[1], 0.1, 1e-3);
            EXPECT_NEAR(hi[2] - lo[2], 0.1, 1e-3);
        }
    }
    game().settings.hillNumber = 3;
    const double eye[3] = {60, 40, 30}, center[3] = {0, 5, -10};
    IsolatedView view(eye, center, 30);
    EXPECT_EQ(captureFeedback([] { drawInrunMarkers(game().settings); })[MARK_INRUN_MARKERS].calls,
              0);
}

TEST_F(FurnitureShapes, StartBarSpansTheTrackAtEachHillsGate) {
    const float gateZ[3] = {-9.8f, -20.1f, -70};
    const float barTop[3] = {6.5f, 12.5f, 19.1f};
    for (int hill = 1; hill <= 3; ++hill) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        game().settings.hillNumber = hill;
        const double eye[3] = {40, 60, gateZ[hill - 1] + 40.0};
        const double center[3] = {1, barTop[hill - 1], gateZ[hill - 1]};
        IsolatedView view(eye, center, 5);
        FeedbackResult fed = captureFeedback([] { drawStartBar(game().settings); });
        const auto& polys = fed[MARK_START_BAR].polygons;
        ASSERT_EQ(triangleCount(polys), 3u * 6u * 2u);
        double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
        for (const auto& p : polys)
            for (int v = 0; v < p.vertexCount; ++v) {
                double o[3];
                view.toObject(&p.data[v * 3], o);
                for (int k = 0; k < 3; ++k) {
                    lo[k] = std::min(lo[k], o[k]);
                    hi[k] = std::max(hi[k], o[k]);
                }
            }
        // Posts at x 0.67 and 1.4 (0.05 wide) under a bar from 0.62 to 1.52, all lifted 0.3
        // and moved 0.21 up the hill.
        EXPECT_NEAR(lo[0], 0.62, 1e-3);
        EXPECT_NEAR(hi[0], 1.52, 1e-3);
        EXPECT_NEAR(hi[1], barTop[hill - 1] + 0.05 + 0.3, 1e-3);
        EXPECT_NEAR(hi[2], gateZ[hill - 1] - 0.21, 1e-3);
        EXPECT_NEAR(lo[2], gateZ[hill - 1] - 0.21 - 0.1, 1e-3);
    }
}

TEST_F(FurnitureShapes, ChairliftHasPylonsSeatsAndTwoCables) {
    game().settings.hillNumber = 1;
    game().venue.downSeat = kDownStart;
    game().venue.upSeat = kUpStart;
    const double eye[3] = {-100, 0, 20}, center[3] = {-5, 0, 20};
    IsolatedView view(eye, center, 60);
    FeedbackResult fed = captureFeedback([] { drawChairlift(game().venue); });
    const auto& polys = fed[MARK_CHAIRLIFT].polygons;
    // Two seats of three boxes, six pylons of two boxes.
    ASSERT_EQ(triangleCount(polys), (2u * 3u + 6u * 2u) * 6u * 2u);
    // Drawing leaves the seats where they are.
    EXPECT_FLOAT_EQ(game().venue.downSeat.z, kDownStart.z);
    EXPECT_FLOAT_EQ(game().venue.upSeat.z, kUpStart.z);

    // The extent of every box, in drawing order: down seat, up seat, then mast and
    // cross-arm of each pylon.
    struct Box {
        double lo[3], hi[3];
    };
    std::vector<Box> boxes;
    size_t triangles = 0;
    for (const FedPrimitive& p : polys) {
        if (triangles % 12 == 0) boxes.push_back({{1e9, 1e9, 1e9}, {-1e9, -1e9, -1e9}});
        triangles += p.vertexCount - 2;
        for (int v = 0; v < p.vertexCount; ++v) {
            double o[3];
            view.toObject(&p.data[v * 3], o);
            for (int k = 0; k < 3; ++k) {
                boxes.back().lo[k] = std::min(boxes.back().lo[k], o[k]);
                boxes.back().hi[k] = std::max(boxes.back().hi[k], o[k]);
            }
        }
    }
    ASSERT_EQ(boxes.size(), 18u);
    auto expectBox = [&](int i, double x0, double x1, double y0, double y1, double z0, double z1,
                         const std::string& what) {
        const double want[2][3] = {{x0, y0, z0}, {x1, y1, z1}};
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(boxes[i].lo[k], want[0][k], 2e-3) << what << ", axis " << k;
            EXPECT_NEAR(boxes[i].hi[k], want[1][k], 2e-3) << what << ", axis " << k;
        }
    };
    // The seats' floors: the down seat 0.5 left of and 1 under its place, the up seat
    // turned round, 0.5 right of and 1.3 under its place.
    const SeatPosition d = game().venue.downSeat, u = game().venue.upSeat;
    expectBox(0, d.x - 0.5, d.x + 0.5, d.y - 1, d.y - 0.9, d.z - 0.5, d.z, "down seat floor");
    expectBox(3, u.x - 0.5, u.x + 0.5, u.y - 1.3, u.y - 1.2, u.z, u.z + 0.5, "up seat floor");
    const float pylons[6][2] = {{-1, 0}, {-4, 10}, {-9, 20}, {-15, 30}, {-16, 45}, {-16, 55}};
    for (int n = 0; n < 6; ++n) {
        const double dy = pylons[n][0], z = pylons[n][1] - 10;
        const std::string what = "pylon " + std::to_string(n + 1);
        expectBox(6 + 2 * n, -4, -3.9, dy - 13, dy + 7, z - 0.1, z, what + " mast");
        expectBox(7 + 2 * n, -5.2, -2.7, dy + 7, dy + 7.1, z - 0.1, z, what + " arm");
    }

    // Five segments per cable, through the arms' ends: down line at x -5, up line at -2.8.
    const float cable[6][2] = {{6, -10}, {3, 0}, {-2, 10}, {-8, 20}, {-9, 35}, {-9, 45}};
    const auto& lines = fed[MARK_CHAIRLIFT].lines;
    ASSERT_EQ(lines.size(), 10u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const double x = i < 5 ? -5 : -2.8;
        for (int end = 0; end < 2; ++end) {
            double o[3];
            view.toObject(&lines[i].data[end * 3], o);
            const auto& point = cable[i % 5 + end];
            EXPECT_NEAR(o[0], x, 2e-3) << "segment " << i;
            EXPECT_NEAR(o[1], point[0], 2e-3) << "segment " << i;
            EXPECT_NEAR(o[2], point[1], 2e-3) << "segment " << i;
        }
    }
}

TEST_F(FurnitureShapes, SafetyNetIsSeenFromBothSides) {
    // A pure red net picture and a pure blue post texel, unlit: every net pixel is red.
    GLuint red = 0, blue = 0;
    const unsigned char redTexel[4] = {255, 0, 0, 255}, blueTexel[4] = {0, 0, 255, 255};
    glGenTextures(1, &red);
    glBindTexture(GL_TEXTURE_2D, red);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, redTexel);
    glGenTextures(1, &blue);
    glBindTexture(GL_TEXTURE_2D, blue);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, blueTexel);
    const GLuint saved = textures.siatkaochronna;
    textures.siatkaochronna = red;

    for (double side : {-1.0, 1.0}) {
        SCOPED_TRACE(side < 0 ? "from -x" : "from +x");
        const double eye[3] = {side * 60, 10, 20}, center[3] = {0, 10, 20};
        IsolatedView view(eye, center, 30);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_FOG);
        glEnable(GL_TEXTURE_2D);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindTexture(GL_TEXTURE_2D, blue);
        drawSafetyNet();
        Picture pic;
        pic.width = 800;
        pic.height = 600;
        pic.rgb.resize(800 * 600 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 800, 600, GL_RGB, GL_UNSIGNED_BYTE, pic.rgb.data());
        int net = pic.count(0, 0, 800, 600,
                            [](int r, int g, int b) { return r > 200 && g < 50 && b < 50; });
        int posts = pic.count(0, 0, 800, 600,
                              [](int r, int g, int b) { return b > 100 && r < 50 && g < 50; });
        // Three panels of 15 by about 18 units, seen square on, cover a large area.
        EXPECT_GT(net, 800 * 600 / 10);
        EXPECT_GT(posts, 0) << "the posts keep the texture bound before the net";
        // The net leaves the texture state as it found it.
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        EXPECT_EQ(mode, GL_MODULATE);
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
        if (HasFailure()) savePng(pic, std::string("safety_net_") + (side < 0 ? "minus" : "plus"));
    }
    textures.siatkaochronna = saved;
    glDeleteTextures(1, &red);
    glDeleteTextures(1, &blue);
}
