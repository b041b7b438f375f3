// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The jumper's run, flight, landing and braking, driven frame by frame through the game's
// own main-loop passes and checked against the motion formulas.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game/app.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

struct Pt {
    float z, y;
};

// The landing-hill profiles the jumper flies over, as the hills are built.
const std::vector<Pt> kInrun[3] = {
    {{-10, 6.5f}, {-5, 3}, {-3, 2}, {-1.7f, 1.65f}, {-0.5f, 1.5f}},
    {{-20.3f, 12.5f}, {-12, 6}, {-9, 4}, {-7, 3}, {-5, 2.8f}},
    {{-70, 19}, {-50, 10}, {-40, 6.5f}, {-35, 5}, {-30, 4.4f}},
};
const std::vector<Pt> kFlightGround[3] = {
    {{-0.5f, 1}, {2, 0.5f}, {4.5f, 0.3f}, {7, -0.8f}, {12.5f, -5.4f}, {18, -8.8f}, {25, -10.8f}},
    {{-5, 2.5f}, {0, 1.6f}, {5.5f, 0.3f}, {8, -0.8f}, {14.5f, -5.2f}, {21, -8}, {32, -10.8f}},
    {{-30, 3.9f}, {-10, 2}, {0, 0}, {10, -3.5f}, {20, -8}, {27, -10}, {37, -10.8f}},
};
const float kBrakeStart[3] = {20, 28, 37};
const float kSinkBase[3] = {0.49f, 0.49f, 0.28f};
const float kTakeoffWindow[3][2] = {{-7, 0}, {-15, -4}, {-60, -29}};

float lineThrough(const std::vector<Pt>& pts, float z, bool* found) {
    for (size_t k = 0; k + 1 < pts.size(); ++k)
        if (z >= pts[k].z && z < pts[k + 1].z) {
            *found = true;
            return pts[k].y +
                   (pts[k + 1].y - pts[k].y) / (pts[k + 1].z - pts[k].z) * (z - pts[k].z);
        }
    *found = false;
    return 0;
}

float flightGroundAt(int hill, float z) {
    if (z > kFlightGround[hill - 1].back().z) return -10.8f;
    bool found = false;
    float y = lineThrough(kFlightGround[hill - 1], z, &found);
    if (!found) y = lineThrough(kInrun[hill - 1], z, &found);
    return y;
}

int expectedDistance(int hill, float z, float y) {
    int raw = static_cast<int>(std::sqrt(static_cast<double>(z) * z + static_cast<double>(y) * y));
    switch (hill) {
    case 1:
        return static_cast<int>((raw * 90 / 15) * 0.9300000071525574);
    case 2:
        return static_cast<int>((raw * 120 / 15) * (z <= 17 ? 0.935 : 0.85));
    default:
        return z >= -5 ? static_cast<int>((raw * 180 / 50) * 1.31 + 120)
                       : static_cast<int>((-raw * 180 / 50) * 1.4 + 145);
    }
}

// Pitch on in-run segments 1 to 4; segment 1 keeps the reset value 0 on hills 1 and 2.
const float kInrunPitch[3][4] = {{0, -10, -20, -30}, {0, -10, -20, -30}, {-10, -15, -20, -30}};

int inrunSegment(int hill, float z) {
    const std::vector<Pt>& p = kInrun[hill - 1];
    for (int k = 0; k < 4; ++k)
        if (z >= p[k].z && z < p[k + 1].z) return k;
    return -1;
}

float firstSegmentAccel(int hill) {
    Pt a = kInrun[hill - 1][0], b = kInrun[hill - 1][1];
    double len = std::hypot(b.z - a.z, b.y - a.y);
    return static_cast<float>(9.81 * ((a.y - b.y) / len - 0.014 * (a.z - b.z) / len));
}

class Motion : public ::testing::TestWithParam<int> {
  protected:
    void begin(int hill, int speed = 2) {
        dir.writeDefaults();
        dir.configure(hill, 1, 0, 6, speed);
        startGame();
        leaveStartScreen();
        passKey(VK_SPACE);
        ASSERT_EQ(game().jump.atGate, 0);
    }
    TempGameDir dir{false};
};

} // namespace

TEST_P(Motion, FullJumpFollowsInrunFlightLandingAndBraking) {
    const int hill = GetParam();
    begin(hill);
    const float a = firstSegmentAccel(hill);
    const float z0 = kInrun[hill - 1][0].z;

    // In-run: z grows with the square of the clock from the second frame on; the first
    // frame's speed still comes from the reset acceleration 1.0.
    int runFrames = 0;
    while (game().jump.jumperZ < kTakeoffWindow[hill - 1][1] - 1.2f && runFrames < 5000) {
        pass();
        ++runFrames;
        if (runFrames == 1) {
            EXPECT_FLOAT_EQ(game().jump.runSpeed, 1.0f * game().jump.jumpClock);
        }
        if (game().jump.jumperZ < kInrun[hill - 1].back().z) {
            const int segment = inrunSegment(hill, game().jump.jumperZ);
            ASSERT_GE(segment, 0);
            ASSERT_EQ(game().jump.inrunPitch, kInrunPitch[hill - 1][segment])
                << "z " << game().jump.jumperZ;
        }
        if (runFrames >= 2 && game().jump.jumperZ < kInrun[hill - 1].back().z) {
            float t = game().jump.jumpClock;
            ASSERT_NEAR(game().jump.jumperZ, z0 + a * t * t, 1e-3f * std::fabs(z0))
                << "frame " << runFrames;
            bool found = false;
            float y = lineThrough(kInrun[hill - 1], game().jump.jumperZ, &found);
            ASSERT_TRUE(found);
            ASSERT_NEAR(game().jump.jumperY, y, 1e-3f);
        }
    }
    ASSERT_LT(runFrames, 5000);
    EXPECT_NEAR(game().jump.runAccel, a, 1e-4f);

    // Take-off inside the window; the click's frame moves the jumper first.
    passLeftClick();
    ASSERT_EQ(game().jump.inFlight, 1);
    EXPECT_GT(game().jump.takeoffZ, kTakeoffWindow[hill - 1][0]);
    EXPECT_LT(game().jump.takeoffZ, kTakeoffWindow[hill - 1][1]);
    EXPECT_FLOAT_EQ(game().jump.takeoffSpeed, game().jump.runSpeed);
    EXPECT_FLOAT_EQ(game().jump.jumpClock, 0);

    // Flight: straight line along z, parabola in height, clamped to the ground.
    const float wind = static_cast<float>(game().jump.windSpeed);
    float factor = hill == 1 ? wind / 55 : hill == 3 ? wind / 100 : game().jump.windFactor;
    bool landedSeen = false;
    int lastDistance = -1000;
    for (int f = 0; f < 3000 && !landedSeen; ++f) {
        pass();
        if (hill == 2) factor = wind > 0 ? wind / 35 : wind < 0 ? wind / 60 : 0;
        float t = game().jump.jumpClock;
        float z = game().jump.takeoffZ + game().jump.takeoffSpeed * t;
        ASSERT_NEAR(game().jump.jumperZ, z, 1e-3f);
        float ground = flightGroundAt(hill, game().jump.jumperZ);
        float y = game().jump.takeoffY + (kSinkBase[hill - 1] - factor) * 0.5f * -9.81f * t * t;
        if (y <= ground) {
            landedSeen = true;
            EXPECT_FLOAT_EQ(game().jump.jumperY, game().jump.groundY);
            EXPECT_NEAR(game().jump.groundY, ground, 1e-3f);
        } else {
            ASSERT_NEAR(game().jump.jumperY, y, 2e-3f);
            ASSERT_NEAR(game().jump.groundY, ground, 1e-3f);
            const float startZ[3] = {0, -5, -30};
            if (game().jump.jumperZ > startZ[hill - 1] &&
                !(hill == 2 && game().jump.jumperZ > 23)) {
                ASSERT_EQ(game().jump.jumpDistance,
                          expectedDistance(hill, game().jump.jumperZ, game().jump.jumperY));
                lastDistance = game().jump.jumpDistance;
            }
            ASSERT_EQ(game().jump.jumpPoints,
                      static_cast<int>(game().jump.jumpDistance * 1.7999999523162842));
        }
    }
    ASSERT_TRUE(landedSeen);
    EXPECT_GT(lastDistance, 0);
    int landedDistance = game().jump.jumpDistance;

    // Roll-out: the distance stays; braking ends in a shuttle around the braking line.
    float minZ = 1e9f, maxZ = -1e9f;
    for (int f = 0; f < 1500; ++f) {
        pass();
        // Past a short touch-down on the knoll the ground can fall away faster than the
        // parabola: the jumper is briefly airborne again and measured again.
        if (game().jump.jumperY > game().jump.groundY)
            landedDistance = expectedDistance(hill, game().jump.jumperZ, game().jump.jumperY);
        if (f >= 1200) {
            minZ = std::min(minZ, game().jump.jumperZ);
            maxZ = std::max(maxZ, game().jump.jumperZ);
        }
    }
    EXPECT_EQ(game().jump.jumpDistance, landedDistance);
    EXPECT_EQ(game().jump.jumperY, game().jump.groundY);
    EXPECT_LT(game().jump.brakeOffset, 0);
    // Forward step per frame; braking grows by a fixed step until it outweighs it, so the
    // overshoot past the braking line is bounded by the sum of the shrinking steps.
    const float stepRate[3] = {0.002f, 0.004f, 0.0035f};
    const float forward = game().jump.takeoffSpeed * 0.015f;
    const float overshoot = forward * forward / (2 * stepRate[hill - 1]) + 2 * forward;
    EXPECT_GT(minZ, kBrakeStart[hill - 1] - forward - 0.01f);
    EXPECT_LT(maxZ, kBrakeStart[hill - 1] + overshoot);
    EXPECT_LT(minZ, maxZ) << "the jumper still shuttles";

    // A left click on the ground prepares the next jump at the gate.
    passLeftClick();
    EXPECT_EQ(game().jump.atGate, 1);
    EXPECT_EQ(game().jump.jumpDistance, 0);
    EXPECT_FLOAT_EQ(game().jump.jumperZ, kInrun[hill - 1][0].z);
}

INSTANTIATE_TEST_SUITE_P(EachHill, Motion, ::testing::Values(1, 2, 3));

TEST(MotionWithoutTakeoff, Hill1JumperLeavesTheLipAndStopsAtTheFoot) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(1, 1, 0, 6, 2);
    startGame();
    leaveStartScreen();
    passKey(VK_SPACE);
    float airborneFrom = 1e9f, airborneTo = -1e9f;
    int lastMeasured = -1;
    for (int f = 0; f < 2500; ++f) {
        pass();
        if (game().jump.jumperZ > -0.5f && game().jump.jumperY > game().jump.groundY) {
            airborneFrom = std::min(airborneFrom, game().jump.jumperZ);
            airborneTo = std::max(airborneTo, game().jump.jumperZ);
            if (game().jump.jumperZ > 0)
                lastMeasured = expectedDistance(1, game().jump.jumperZ, game().jump.jumperY);
        }
    }
    EXPECT_EQ(game().jump.inFlight, 0);
    EXPECT_GE(airborneFrom, -0.5f);
    EXPECT_LE(airborneTo, 4.5f) << "the lip path meets the rolling ground at z 4.5";
    EXPECT_EQ(game().jump.jumpDistance, lastMeasured);
    EXPECT_NEAR(game().jump.jumpDistance, 22, 1);
    // Rolling on at the speed of the edge, braking from z 20 on, as after a landing.
    const float forward = game().jump.runSpeed * 0.015f;
    EXPECT_GT(game().jump.jumperZ, kBrakeStart[0] - forward - 0.01f);
    EXPECT_LT(game().jump.jumperZ, kBrakeStart[0] + forward * forward / (2 * 0.002f) + 2 * forward);
    EXPECT_EQ(game().jump.jumperY, game().jump.groundY);
    EXPECT_EQ(game().jump.fallen, 1);
}

TEST(MotionEarlyTakeoff, Hill1InrunStepsKeepRunningUnderTheFlight) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(1, 1, 0, 6, 2);
    startGame();
    leaveStartScreen();
    passKey(VK_SPACE);
    for (int f = 0; f < 500 && game().jump.jumperZ <= -6.5f; ++f)
        pass();
    passLeftClick();
    ASSERT_EQ(game().jump.inFlight, 1);
    ASSERT_LT(game().jump.takeoffZ, -5) << "take-off on the first in-run segment";
    const float a = firstSegmentAccel(1);

    bool pitchSeen[4] = {};
    for (int f = 0; f < 400 && game().jump.jumperZ < 2; ++f) {
        // The in-run steps test the z the flight left in the previous frame.
        const float flownZ = game().jump.jumperZ;
        const float speedBefore = game().jump.runSpeed;
        const float pitchBefore = game().jump.inrunPitch;
        pass();
        const float t = game().jump.jumpClock;
        ASSERT_NEAR(game().jump.jumperZ, game().jump.takeoffZ + game().jump.takeoffSpeed * t,
                    1e-4f);
        const float parabola =
            game().jump.takeoffY + (0.49f - game().jump.windSpeed / 55.0f) * 0.5f * -9.81f * t * t;
        const float ground = flightGroundAt(1, game().jump.jumperZ);
        ASSERT_NEAR(game().jump.groundY, ground, 1e-3f);
        ASSERT_NEAR(game().jump.jumperY, std::max(parabola, ground), 2e-3f);
        ASSERT_NEAR(game().jump.runAccel, a, 1e-5f);
        if (flownZ <= -0.5f) {
            ASSERT_FLOAT_EQ(game().jump.runSpeed, game().jump.runAccel * t)
                << "the in-run speed follows the new clock";
        } else {
            ASSERT_EQ(game().jump.runSpeed, speedBefore);
        }
        const int segment = inrunSegment(1, flownZ);
        if (segment >= 1) {
            ASSERT_EQ(game().jump.inrunPitch, kInrunPitch[0][segment]) << "flown z " << flownZ;
            pitchSeen[segment] = true;
        } else {
            ASSERT_EQ(game().jump.inrunPitch, pitchBefore);
        }
    }
    EXPECT_GE(game().jump.jumperZ, 2);
    EXPECT_TRUE(pitchSeen[1] && pitchSeen[2] && pitchSeen[3]);
}

TEST(JumpLength, DistanceAndPointsCases) {
    TempGameDir dir(false);
    resetGameState();
    struct Case {
        int hill;
        float z, y;
        int distance, points;
    } cases[] = {
        {1, 15, -6, 89, 160},
        {1, 18, -0.5f, 100, 179},
        {3, -30, 4, -6, -10},
        {3, -4, 4, static_cast<int>(5 * 180 / 50 * 1.31 + 120), -1}, // raw range 5
    };
    for (const Case& c : cases) {
        game().settings.hillNumber = c.hill;
        game().jump.jumperZ = c.z;
        game().jump.jumperY = c.y;
        measureJump(game().jump, game().settings.hillNumber);
        EXPECT_EQ(game().jump.jumpDistance, c.distance) << c.hill << " " << c.z;
        if (c.points != -1) {
            EXPECT_EQ(game().jump.jumpPoints, c.points);
        }
    }
    game().settings.hillNumber = 2;
    game().jump.jumperZ = 16;
    game().jump.jumperY = -4;
    measureJump(game().jump, game().settings.hillNumber);
    int before = game().jump.jumpDistance;
    EXPECT_EQ(before, expectedDistance(2, 16, -4));
    game().jump.jumperZ = 24;
    game().jump.jumperY = -5;
    game().jump.jumpDistance = 5;
    measureJump(game().jump, game().settings.hillNumber);
    EXPECT_EQ(game().jump.jumpDistance, 5) << "hill 2 stops measuring beyond z 23";
    EXPECT_EQ(game().jump.jumpPoints, 8) << "points are still recomputed: 5 m gives 8";
}

TEST(MotionBounds, OutOfRangeHillChangesNothing) {
    TempGameDir dir(false);
    ensureGameWindow();
    resetGameState();
    game().settings.hillNumber = 4;
    game().settings.gameSpeed = 2;
    game().jump.jumperZ = 3;
    game().jump.jumperY = 1;
    game().jump.atGate = 0;
    stepJumper(game().jump, liveCourse(game()));
    EXPECT_EQ(game().jump.jumpClock, 0);
    EXPECT_EQ(game().jump.jumperZ, 3);
    EXPECT_EQ(hillMotion(0), nullptr);
    EXPECT_EQ(hillMotion(4), nullptr);
}

TEST(MotionBounds, FlightGroundKeepsItsValueOnTheFlatBoundAndBeforeTheInrun) {
    TempGameDir dir(false);
    ensureGameWindow();
    const float flatBound[3] = {25, 32, 37};
    for (int hill = 1; hill <= 3; ++hill) {
        resetGameState();
        game().settings.hillNumber = hill;
        game().settings.gameSpeed = 2;
        applyHillStartValues(game().jump, game().settings.hillNumber);
        game().jump.atGate = 0;
        game().jump.inFlight = 1;
        game().jump.takeoffSpeed = 0; // the flight stays on takeoffZ
        game().jump.takeoffY = 30;
        const float zs[] = {flatBound[hill - 1], flatBound[hill - 1] + 0.5f,
                            kInrun[hill - 1][0].z - 1};
        const float want[] = {7, -10.8f, 7};
        for (int i = 0; i < 3; ++i) {
            game().jump.takeoffZ = game().jump.jumperZ = zs[i];
            game().jump.groundY = 7;
            stepJumper(game().jump, liveCourse(game()));
            EXPECT_FLOAT_EQ(game().jump.jumperZ, zs[i]);
            EXPECT_FLOAT_EQ(game().jump.groundY, want[i]) << "hill " << hill << " z " << zs[i];
        }
    }
}

TEST(MotionWind, Hill2DivisorAfterASignChange) {
    TempGameDir dir(false);
    ensureGameWindow();
    resetGameState();
    game().settings.hillNumber = 2;
    game().settings.gameSpeed = 2;
    for (int i = 0; i < 5; ++i) {
        game().jump.inrunProfileZ[i] = kInrun[1][i].z;
        game().jump.inrunProfileY[i] = kInrun[1][i].y;
    }
    game().jump.inFlight = 1;
    game().jump.takeoffZ = -6;
    game().jump.takeoffY = 3;
    game().jump.takeoffSpeed = 10;
    game().jump.jumperZ = -6;
    game().jump.jumperY = 3;
    game().jump.windSpeed = 3;
    game().jump.windFactor = 0;
    stepJumper(game().jump, liveCourse(game()));
    EXPECT_FLOAT_EQ(game().jump.windFactor, 3.0f / 35) << "0 -> /45 -> positive -> /35";
    game().jump.windSpeed = -2;
    stepJumper(game().jump, liveCourse(game()));
    EXPECT_FLOAT_EQ(game().jump.windFactor, -2.0f / 60) << "was positive: /35 first, then /60";
    game().jump.windSpeed = 4;
    stepJumper(game().jump, liveCourse(game()));
    EXPECT_FLOAT_EQ(game().jump.windFactor, 4.0f / 60)
        << "was negative: neither zero nor positive test fires";
    game().jump.windSpeed = 0;
    game().jump.windFactor = 0;
    stepJumper(game().jump, liveCourse(game()));
    EXPECT_FLOAT_EQ(game().jump.windFactor, 0);
}
