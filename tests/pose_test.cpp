// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The figure state step on its own: crouch, extension, landing stance, fall, slope pitch.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/pose.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

struct Pose {
    float trunk, knee, hip, ankle, leftRoll, rightRoll, leftYaw, rightYaw, slope, body;
    float crouch, extend, fall;
};

Pose currentPose() {
    return {game().jump.trunkBend,   game().jump.kneeBend,    game().jump.hipPitch,
            game().jump.anklePitch,  game().jump.leftLegRoll, game().jump.rightLegRoll,
            game().jump.leftSkiYaw,  game().jump.rightSkiYaw, game().jump.slopePitch,
            game().jump.bodyPitch,   game().jump.crouchStep,  game().jump.extendStep,
            game().jump.fallProgress};
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
        resetSettings(game().settings);
        game().jump = Jump{};
        game().settings.hillNumber = hill;
        applyHillStartValues(game().jump, game().settings.hillNumber);
        game().jump.groundY = -100;
    }
    void inAirAt(float z) {
        game().jump.jumperZ = z;
        game().jump.jumperY = 5;
        game().jump.groundY = 0;
    }
    void onGroundAt(float z) {
        game().jump.jumperZ = z;
        game().jump.jumperY = game().jump.groundY = -1;
    }
};

TEST_F(PoseStep, AtTheGateNothingChanges) {
    for (int hill = 1; hill <= 3; ++hill) {
        prepare(hill);
        resetJump(game().jump, liveCourse(game()));
        Pose before = currentPose();
        float sink = game().jump.landingSink;
        for (int i = 0; i < 50; ++i)
            stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        expectSamePose(before, currentPose());
        EXPECT_EQ(game().jump.landingSink, sink);
        EXPECT_EQ(game().jump.fallen, 0);
        EXPECT_EQ(game().jump.landingStanceTaken, 0);
    }
}

TEST_F(PoseStep, UnknownHillChangesNothingEvenWhenTriggered) {
    prepare(1);
    game().settings.hillNumber = 4;
    game().jump.runStarted = 1;
    game().jump.takeoffDone = 1;
    onGroundAt(5);
    Pose before = currentPose();
    stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
    expectSamePose(before, currentPose());
    EXPECT_EQ(game().jump.fallen, 0);
}

TEST_F(PoseStep, CrouchTakesEighteenRunsThenHolds) {
    game().jump.runStarted = 1;
    for (int run = 1; run <= 18; ++run) {
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.trunkBend, 5.0f * run) << "run " << run;
        EXPECT_EQ(game().jump.crouchStep, run < 18 ? 5.0f : 0.0f) << "run " << run;
    }
    for (int run = 0; run < 10; ++run)
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
    EXPECT_EQ(game().jump.trunkBend, 90.0f);
    // The crouch leaves the other joints alone.
    EXPECT_EQ(game().jump.kneeBend, 90.0f);
    EXPECT_EQ(game().jump.hipPitch, -55.0f);
}

TEST_F(PoseStep, ExtensionTakesSixRunsAndThenFreesTheLean) {
    game().jump.runStarted = 1;
    for (int run = 0; run < 18; ++run)
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
    game().jump.takeoffDone = 1;
    for (int run = 1; run <= 6; ++run) {
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.trunkBend, 90.0f - 5 * run);
        EXPECT_EQ(game().jump.kneeBend, 90.0f - 16 * run);
        EXPECT_EQ(game().jump.hipPitch, -55.0f + 18 * run);
        EXPECT_EQ(game().jump.leftLegRoll, -4.0f * run);
        EXPECT_EQ(game().jump.rightLegRoll, 4.0f * run);
        EXPECT_EQ(game().jump.leftSkiYaw, -8.0f * run);
        EXPECT_EQ(game().jump.rightSkiYaw, 8.0f * run);
        EXPECT_EQ(game().jump.extendStep, run < 6 ? 5.0f : 0.0f);
    }
    Pose done = currentPose();
    for (int run = 0; run < 10; ++run)
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
    expectSamePose(done, currentPose());
}

TEST_F(PoseStep, PassingTheEdgeWithoutTakeOffExtendsToo) {
    const float lastInrunZ[3] = {-0.5f, -5, -30};
    for (int hill = 1; hill <= 3; ++hill) {
        prepare(hill);
        game().jump.trunkBend = 90;
        game().jump.crouchStep = 0;
        inAirAt(lastInrunZ[hill - 1]);
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.trunkBend, 90.0f)
            << "exactly on the edge is still the in-run, hill " << hill;
        game().jump.jumperZ = lastInrunZ[hill - 1] + 0.01f;
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.trunkBend, 85.0f) << "hill " << hill;
    }
}

TEST_F(PoseStep, LandingStanceTakesTwelveRunsWithGoodMarks) {
    game().jump.trunkBend = 60;
    game().jump.kneeBend = -6;
    game().jump.hipPitch = 53;
    game().jump.extendStep = 0;
    inAirAt(10);
    game().jump.landingStance = 1;
    for (int run = 1; run <= 12; ++run) {
        for (int& m : game().jump.styleMarks)
            m = -1;
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.landingStanceTaken, 1);
        EXPECT_EQ(game().jump.trunkBend, 60.0f - 2.5f * run);
        EXPECT_EQ(game().jump.kneeBend, -6.0f + 5 * run);
        EXPECT_EQ(game().jump.hipPitch, 53.0f - 5 * run);
        EXPECT_EQ(game().jump.leftLegRoll, 0.5f * run);
        EXPECT_EQ(game().jump.rightLegRoll, -0.5f * run);
        EXPECT_EQ(game().jump.leftSkiYaw, 5.0f * run);
        EXPECT_EQ(game().jump.rightSkiYaw, -5.0f * run);
        for (int m : game().jump.styleMarks) {
            EXPECT_GE(m, 18) << "run " << run;
            EXPECT_LE(m, 19) << "run " << run;
        }
    }
    // Stance finished: no more marks, joints or sink.
    for (int& m : game().jump.styleMarks)
        m = -1;
    float sink = game().jump.landingSink;
    Pose done = currentPose();
    onGroundAt(12);
    game().jump.landingStance = 1;
    stepFigureState(game().jump, liveCourse(game()), FIGURE_SHADOW);
    expectSamePose(done, currentPose());
    EXPECT_EQ(game().jump.landingSink, sink);
    EXPECT_EQ(game().jump.styleMarks[0], -1);
    EXPECT_EQ(game().jump.fallen, 0) << "a landing in stance never turns into a fall";
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
        game().jump.trunkBend = 60;
        inAirAt(c.z);
        game().jump.landingStance = 1;
        float expected = 0;
        for (int run = 1; run <= 12; ++run) {
            stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
            for (float step : c.perRun)
                expected += step;
            ASSERT_EQ(game().jump.landingSink, expected)
                << "hill " << c.hill << " z " << c.z << " run " << run;
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
        game().jump.trunkBend = 60;
        inAirAt(c.z);
        game().jump.landingStance = 1;
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.anklePitch, 2 * c.perRun) << "hill " << c.hill << " z " << c.z;
    }
}

TEST_F(PoseStep, FallTakesTwentyRunsWithFallMarks) {
    game().jump.trunkBend = 60;
    game().jump.extendStep = 0;
    onGroundAt(10);
    for (int run = 1; run <= 20; ++run) {
        for (int& m : game().jump.styleMarks)
            m = -1;
        stepFigureState(game().jump, liveCourse(game()), FIGURE_SHADOW);
        EXPECT_EQ(game().jump.fallen, 1);
        EXPECT_EQ(game().jump.landingStance, 0);
        EXPECT_EQ(game().jump.fallProgress, 60 + 2.5f * run);
        EXPECT_EQ(game().jump.hipPitch, -55.0f + 2 * run);
        EXPECT_EQ(game().jump.anklePitch, -7.0f * run);
        EXPECT_EQ(game().jump.leftLegRoll, -1.0f * run);
        EXPECT_EQ(game().jump.rightLegRoll, 1.0f * run);
        EXPECT_EQ(game().jump.leftSkiYaw, -2.5f * run);
        EXPECT_EQ(game().jump.rightSkiYaw, 2.5f * run);
        for (int m : game().jump.styleMarks) {
            EXPECT_GE(m, 5);
            EXPECT_LE(m, 9);
        }
    }
    for (int& m : game().jump.styleMarks)
        m = -1;
    Pose done = currentPose();
    stepFigureState(game().jump, liveCourse(game()), FIGURE_SHADOW);
    expectSamePose(done, currentPose());
    EXPECT_EQ(game().jump.styleMarks[0], -1) << "no marks once the fall has ended";
}

TEST_F(PoseStep, FallMarksAreHigherAfterTheFirstReset) {
    resetJump(game().jump, liveCourse(game()));
    onGroundAt(10);
    for (int run = 0; run < 20; ++run) {
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        for (int m : game().jump.styleMarks) {
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
            stepFigureState(game().jump, liveCourse(game()), kind);
            EXPECT_EQ(game().jump.armSwing, hill == 2 ? 0.1f : 0.0f) << "hill " << hill;
            // Every run starts from 0: a step without a fall leaves the arms still.
            inAirAt(10);
            stepFigureState(game().jump, liveCourse(game()), kind);
            EXPECT_EQ(game().jump.armSwing, 0.0f);
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
                game().jump.landingStance = 1;
                game().jump.trunkBend = 30;
                game().jump.fallen = static_cast<uint8_t>(isFallen);
                game().jump.slopePitch = game().jump.bodyPitch = untouched;
                onGroundAt(open ? b.from + 0.01f : b.from);
                stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
                EXPECT_EQ(game().jump.slopePitch, b.slope)
                    << "hill " << hill << " z " << game().jump.jumperZ;
                EXPECT_EQ(game().jump.bodyPitch, isFallen ? b.body : untouched);

                // The shadow never takes the slope pitch.
                game().jump.slopePitch = game().jump.bodyPitch = untouched;
                stepFigureState(game().jump, liveCourse(game()), FIGURE_SHADOW);
                EXPECT_EQ(game().jump.slopePitch, untouched);
                EXPECT_EQ(game().jump.bodyPitch, untouched);
            }
            if (open) {
                // Exactly on the bound of the last band: no band holds the jumper.
                prepare(hill);
                game().jump.landingStance = 1;
                game().jump.trunkBend = 30;
                game().jump.slopePitch = untouched;
                onGroundAt(b.from);
                stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
                EXPECT_EQ(game().jump.slopePitch, untouched) << "hill " << hill;
            }
        }
        // In the air the pitch is left as it is.
        prepare(hill);
        game().jump.slopePitch = untouched;
        inAirAt(bands[hill - 1][2].from);
        stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
        EXPECT_EQ(game().jump.slopePitch, untouched);
    }
}

} // namespace
