// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The figure state step on its own: crouch, extension, landing stance, fall, slope pitch.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/pose.h"

namespace {

struct Pose {
    float trunk, knee, hip, ankle, leftRoll, rightRoll, leftYaw, rightYaw, slope, body;
    float crouch, extend, fall;
};

Pose currentPose() {
    return {trunkBend,   kneeBend,   hipPitch,  anklePitch, leftLegRoll, rightLegRoll, leftSkiYaw,
            rightSkiYaw, slopePitch, bodyPitch, crouchStep, extendStep,  fallProgress};
}

void expectSamePose(const Pose& a, const Pose& b) {
    EXPECT_EQ(a.trunk, b.trunk);
    EXPECT_EQ(a.knee, b.knee);
    EXPECT_EQ(a.hip, b.hip);
    EXPECT_EQ(a.ankle, b.ankle);
    EXPECT_EQ(a.leftRoll, b.leftRoll);
    EXPECT_EQ(a.rightRoll, b.rightRoll);
    EXPECT_EQ(a.leftYaw, b.leftYaw);
    EXPECT_EQ(a.rightYaw, b.rightYaw);
    EXPECT_EQ(a.slope, b.slope);
    EXPECT_EQ(a.body, b.body);
    EXPECT_EQ(a.crouch, b.crouch);
    EXPECT_EQ(a.extend, b.extend);
    EXPECT_EQ(a.fall, b.fall);
}

class PoseStep : public ::testing::Test {
  protected:
    void SetUp() override { prepare(1); }
    // A fresh program on a hill, the jumper at the gate in the air above a stale ground.
    void prepare(int hill) {
        resetSettings();
        loadJumpState();
        hillNumber = hill;
        applyHillStartValues();
        groundY = -100;
    }
    void inAirAt(float z) {
        jumperZ = z;
        jumperY = 5;
        groundY = 0;
    }
    void onGroundAt(float z) {
        jumperZ = z;
        jumperY = groundY = -1;
    }
};

TEST_F(PoseStep, AtTheGateNothingChanges) {
    for (int hill = 1; hill <= 3; ++hill) {
        prepare(hill);
        resetJump();
        Pose before = currentPose();
        float sink = landingSink;
        for (int i = 0; i < 50; ++i)
            stepFigureState(FIGURE_JUMPER);
        expectSamePose(before, currentPose());
        EXPECT_EQ(landingSink, sink);
        EXPECT_EQ(fallen, 0);
        EXPECT_EQ(landingStanceTaken, 0);
    }
}

TEST_F(PoseStep, UnknownHillChangesNothingEvenWhenTriggered) {
    prepare(1);
    hillNumber = 4;
    runStarted = 1;
    takeoffDone = 1;
    onGroundAt(5);
    Pose before = currentPose();
    stepFigureState(FIGURE_JUMPER);
    expectSamePose(before, currentPose());
    EXPECT_EQ(fallen, 0);
}

TEST_F(PoseStep, CrouchTakesEighteenRunsThenHolds) {
    runStarted = 1;
    for (int run = 1; run <= 18; ++run) {
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(trunkBend, 5.0f * run) << "run " << run;
        EXPECT_EQ(crouchStep, run < 18 ? 5.0f : 0.0f) << "run " << run;
    }
    for (int run = 0; run < 10; ++run)
        stepFigureState(FIGURE_JUMPER);
    EXPECT_EQ(trunkBend, 90.0f);
    // The crouch leaves the other joints alone.
    EXPECT_EQ(kneeBend, 90.0f);
    EXPECT_EQ(hipPitch, -55.0f);
}

TEST_F(PoseStep, ExtensionTakesSixRunsAndThenFreesTheLean) {
    runStarted = 1;
    for (int run = 0; run < 18; ++run)
        stepFigureState(FIGURE_JUMPER);
    takeoffDone = 1;
    for (int run = 1; run <= 6; ++run) {
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(trunkBend, 90.0f - 5 * run);
        EXPECT_EQ(kneeBend, 90.0f - 16 * run);
        EXPECT_EQ(hipPitch, -55.0f + 18 * run);
        EXPECT_EQ(leftLegRoll, -4.0f * run);
        EXPECT_EQ(rightLegRoll, 4.0f * run);
        EXPECT_EQ(leftSkiYaw, -8.0f * run);
        EXPECT_EQ(rightSkiYaw, 8.0f * run);
        EXPECT_EQ(extendStep, run < 6 ? 5.0f : 0.0f);
    }
    Pose done = currentPose();
    for (int run = 0; run < 10; ++run)
        stepFigureState(FIGURE_JUMPER);
    expectSamePose(done, currentPose());
}

TEST_F(PoseStep, PassingTheEdgeWithoutTakeOffExtendsToo) {
    const float lastInrunZ[3] = {-0.5f, -5, -30};
    for (int hill = 1; hill <= 3; ++hill) {
        prepare(hill);
        trunkBend = 90;
        crouchStep = 0;
        inAirAt(lastInrunZ[hill - 1]);
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(trunkBend, 90.0f) << "exactly on the edge is still the in-run, hill " << hill;
        jumperZ = lastInrunZ[hill - 1] + 0.01f;
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(trunkBend, 85.0f) << "hill " << hill;
    }
}

TEST_F(PoseStep, LandingStanceTakesTwelveRunsWithGoodMarks) {
    trunkBend = 60;
    kneeBend = -6;
    hipPitch = 53;
    extendStep = 0;
    inAirAt(10);
    landingStance = 1;
    for (int run = 1; run <= 12; ++run) {
        for (int& m : styleMarks)
            m = -1;
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(landingStanceTaken, 1);
        EXPECT_EQ(trunkBend, 60.0f - 2.5f * run);
        EXPECT_EQ(kneeBend, -6.0f + 5 * run);
        EXPECT_EQ(hipPitch, 53.0f - 5 * run);
        EXPECT_EQ(leftLegRoll, 0.5f * run);
        EXPECT_EQ(rightLegRoll, -0.5f * run);
        EXPECT_EQ(leftSkiYaw, 5.0f * run);
        EXPECT_EQ(rightSkiYaw, -5.0f * run);
        for (int m : styleMarks) {
            EXPECT_GE(m, 18) << "run " << run;
            EXPECT_LE(m, 19) << "run " << run;
        }
    }
    // Stance finished: no more marks, joints or sink.
    for (int& m : styleMarks)
        m = -1;
    float sink = landingSink;
    Pose done = currentPose();
    onGroundAt(12);
    landingStance = 1;
    stepFigureState(FIGURE_SHADOW);
    expectSamePose(done, currentPose());
    EXPECT_EQ(landingSink, sink);
    EXPECT_EQ(styleMarks[0], -1);
    EXPECT_EQ(fallen, 0) << "a landing in stance never turns into a fall";
}

struct SinkCase {
    int hill;
    float z;
    std::vector<float> perRun; // the matching tests' steps, in table order
};

TEST_F(PoseStep, LandingSinkFollowsTheHillTables) {
    const SinkCase cases[] = {
        {1, 3, {0.05f}},         {1, 1, {0.001f}},         {1, 2, {0.05f}},
        {1, 5, {0.03f}},         {1, 8, {0.02f}},          {1, 14, {0.008f}},
        {2, 1, {0.001f, 0.05f}}, {2, -5, {0.001f, 0.05f}}, {2, -6, {0.001f}},
        {2, 5, {0.04f}},         {2, 14, {0.02f}},         {2, 21, {0.008f}},
        {3, 30, {-0.00004f}},    {3, 1, {0.001f, 0.005f}}, {3, -31, {0.001f}},
        {3, 10, {0.009f}},       {3, 20, {0.01f}},         {3, 27, {-0.00004f}},
    };
    for (const SinkCase& c : cases) {
        prepare(c.hill);
        trunkBend = 60;
        inAirAt(c.z);
        landingStance = 1;
        float expected = 0;
        for (int run = 1; run <= 12; ++run) {
            stepFigureState(FIGURE_JUMPER);
            for (float step : c.perRun)
                expected += step;
            ASSERT_EQ(landingSink, expected) << "hill " << c.hill << " z " << c.z << " run " << run;
        }
    }
}

struct AnkleCase {
    int hill;
    float z;
    float perRun;
};

TEST_F(PoseStep, AnkleDuringTheStanceFollowsTheHillTables) {
    const AnkleCase cases[] = {
        {1, 9.9f, 1}, {1, 10, 0.5f},     {1, 14.9f, 0.5f}, {1, 15, 0}, {2, 7.9f, 1}, {2, 8, 0},
        {2, 21, 0},   {2, 21.5f, -1.5f}, {3, -20, 1},      {3, 21, 0}, {3, 22, -2},
    };
    for (const AnkleCase& c : cases) {
        prepare(c.hill);
        trunkBend = 60;
        inAirAt(c.z);
        landingStance = 1;
        stepFigureState(FIGURE_JUMPER);
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(anklePitch, 2 * c.perRun) << "hill " << c.hill << " z " << c.z;
    }
}

TEST_F(PoseStep, FallTakesTwentyRunsWithFallMarks) {
    trunkBend = 60;
    extendStep = 0;
    onGroundAt(10);
    for (int run = 1; run <= 20; ++run) {
        for (int& m : styleMarks)
            m = -1;
        stepFigureState(FIGURE_SHADOW);
        EXPECT_EQ(fallen, 1);
        EXPECT_EQ(landingStance, 0);
        EXPECT_EQ(fallProgress, 60 + 2.5f * run);
        EXPECT_EQ(hipPitch, -55.0f + 2 * run);
        EXPECT_EQ(anklePitch, -7.0f * run);
        EXPECT_EQ(leftLegRoll, -1.0f * run);
        EXPECT_EQ(rightLegRoll, 1.0f * run);
        EXPECT_EQ(leftSkiYaw, -2.5f * run);
        EXPECT_EQ(rightSkiYaw, 2.5f * run);
        for (int m : styleMarks) {
            EXPECT_GE(m, 5);
            EXPECT_LE(m, 9);
        }
    }
    for (int& m : styleMarks)
        m = -1;
    Pose done = currentPose();
    stepFigureState(FIGURE_SHADOW);
    expectSamePose(done, currentPose());
    EXPECT_EQ(styleMarks[0], -1) << "no marks once the fall has ended";
}

TEST_F(PoseStep, FallMarksAreHigherAfterTheFirstReset) {
    resetJump();
    onGroundAt(10);
    for (int run = 0; run < 20; ++run) {
        stepFigureState(FIGURE_JUMPER);
        for (int m : styleMarks) {
            EXPECT_GE(m, 9);
            EXPECT_LE(m, 11);
        }
    }
}

TEST_F(PoseStep, ArmsSwingOnlyInAFallOnHillTwo) {
    for (int hill = 1; hill <= 3; ++hill) {
        for (FigureKind kind : {FIGURE_JUMPER, FIGURE_SHADOW}) {
            prepare(hill);
            onGroundAt(10);
            stepFigureState(kind);
            EXPECT_EQ(armSwing, hill == 2 ? 0.1f : 0.0f) << "hill " << hill;
            // Every run starts from 0: a step without a fall leaves the arms still.
            inAirAt(10);
            stepFigureState(kind);
            EXPECT_EQ(armSwing, 0.0f);
        }
    }
}

struct Band {
    float from, to; // to < from marks the open last band (strictly above from)
    float slope, body;
};

TEST_F(PoseStep, SlopePitchByBandOnTheGround) {
    const Band bands[3][7] = {
        {{-0.5f, 2, -40, 30},
         {2, 4.5f, -15, 35},
         {4.5f, 7, 0, 40},
         {7, 12.4f, 10, 35},
         {12.4f, 17.9f, 5, 30},
         {17.9f, 24.9f, -5, 30},
         {24.9f, 0, -25, 30}},
        {{-5, 0, -15, 30},
         {0, 5.5f, -10, 35},
         {5.5f, 8, 0, 40},
         {8, 14.4f, 5, 35},
         {14.4f, 20.9f, 0, 30},
         {20.9f, 31.9f, -5, 30},
         {31.9f, 0, -25, 30}},
        {{-30, -10, -5, 30},
         {-10, 0, 0, 35},
         {0, 10, 0, 40},
         {10, 20, 5, 35},
         {20, 27, 0, 30},
         {27, 37, 0, 30},
         {37, 0, 0, 30}},
    };
    const float untouched = 123;
    for (int hill = 1; hill <= 3; ++hill) {
        for (const Band& b : bands[hill - 1]) {
            const bool open = b.to < b.from;
            // A landed jumper whose stance is complete: only the slope pitch acts.
            for (int isFallen = 0; isFallen <= 1; ++isFallen) {
                prepare(hill);
                landingStance = 1;
                trunkBend = 30;
                fallen = static_cast<uint8_t>(isFallen);
                slopePitch = bodyPitch = untouched;
                onGroundAt(open ? b.from + 0.01f : b.from);
                stepFigureState(FIGURE_JUMPER);
                EXPECT_EQ(slopePitch, b.slope) << "hill " << hill << " z " << jumperZ;
                EXPECT_EQ(bodyPitch, isFallen ? b.body : untouched);

                // The shadow never takes the slope pitch.
                slopePitch = bodyPitch = untouched;
                stepFigureState(FIGURE_SHADOW);
                EXPECT_EQ(slopePitch, untouched);
                EXPECT_EQ(bodyPitch, untouched);
            }
            if (open) {
                // Exactly on the bound of the last band: no band holds the jumper.
                prepare(hill);
                landingStance = 1;
                trunkBend = 30;
                slopePitch = untouched;
                onGroundAt(b.from);
                stepFigureState(FIGURE_JUMPER);
                EXPECT_EQ(slopePitch, untouched) << "hill " << hill;
            }
        }
        // In the air the pitch is left as it is.
        prepare(hill);
        slopePitch = untouched;
        inAirAt(bands[hill - 1][2].from);
        stepFigureState(FIGURE_JUMPER);
        EXPECT_EQ(slopePitch, untouched);
    }
}

} // namespace
