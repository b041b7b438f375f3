// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed-step loop against a fake clock: the game steps 60 times a second of real time
// whatever the frame rate, and a stall never makes it race.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "game/game_step.h"
#include "game/main_loop.h"

namespace {

// A clock that moves only when a frame is drawn (by its cost) or the loop sleeps.
struct FakeMachine {
    double now = 100.0; // an arbitrary start: nothing may assume 0
    double runFor = 10.0;
    int steps = 0, frames = 0, stepsAtLastFrame = 0, mostStepsInAFrame = 0;
    std::function<double(int frame)> frameCost = [](int) { return 1.0 / 60; };

    void run() {
        const double end = now + runFor;
        FrameLoop loop;
        loop.now = [this] { return now; };
        loop.sleepUntil = [this](double t) {
            ASSERT_GE(t, now - 1e-9) << "sleeping into the past";
            now = std::max(now, t);
        };
        loop.step = [this, end] {
            ++steps;
            return now < end;
        };
        loop.draw = [this] {
            mostStepsInAFrame = std::max(mostStepsInAFrame, steps - stepsAtLastFrame);
            stepsAtLastFrame = steps;
            now += frameCost(frames++);
        };
        runFrameLoop(loop);
    }
};

} // namespace

TEST(MainLoop, SixtyStepsASecondWithFramesFromTwelveToAHundredFortyFour) {
    for (double fps : {12.5, 20.0, 30.0, 50.0, 60.0, 75.0, 144.0}) {
        SCOPED_TRACE("frames at " + std::to_string(fps) + " a second");
        FakeMachine m;
        m.frameCost = [fps](int) { return 1.0 / fps; };
        m.run();
        EXPECT_NEAR(m.steps / m.runFor, 60.0, 0.3);
        // Fast frames wait for the next step; slow ones are drawn as often as they can be.
        EXPECT_NEAR(m.frames / m.runFor, std::min(fps, 60.0), 1.0);
        EXPECT_LE(m.mostStepsInAFrame, kMaxStepsPerFrame);
    }
}

TEST(MainLoop, UnevenFramesStillGiveSixtyStepsASecond) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> cost(1.0 / 200, 1.0 / 14);
    FakeMachine m;
    m.frameCost = [&](int) { return cost(random); };
    m.run();
    EXPECT_NEAR(m.steps / m.runFor, 60.0, 0.3);
}

TEST(MainLoop, BelowTwelveFramesTheGameSlowsToFiveStepsAFrame) {
    FakeMachine m;
    m.frameCost = [](int) { return 1.0 / 8; };
    m.run();
    EXPECT_NEAR(m.steps / m.runFor, 8.0 * kMaxStepsPerFrame, 1.0);
}

TEST(MainLoop, AStallRunsAFewStepsAndDropsTheRestOfTheLag) {
    FakeMachine m;
    // Two seconds of smooth frames, one frame that takes three seconds (a window drag),
    // then smooth again.
    m.frameCost = [](int frame) { return frame == 120 ? 3.0 : 1.0 / 60; };
    m.run();
    EXPECT_EQ(m.mostStepsInAFrame, kMaxStepsPerFrame) << "no race to catch up seconds";
    // Ten seconds less the stall's three, give or take the steps run after it.
    EXPECT_NEAR(m.steps, 7 * 60 + kMaxStepsPerFrame, 3);
}

TEST(StepClock, DueStepsFollowTheClockAndNeverRunAhead) {
    StepClock clock(5.0, kStepSeconds);
    EXPECT_EQ(clock.due(5.0), 1) << "the first step is due at once";
    EXPECT_EQ(clock.due(5.0), 0);
    EXPECT_EQ(clock.due(5.0 + kStepSeconds * 0.99), 0);
    EXPECT_EQ(clock.due(5.0 + kStepSeconds * 1.01), 1);
    EXPECT_EQ(clock.due(5.0 + kStepSeconds * 3.5), 2);
    EXPECT_GT(clock.nextStepAt(), 5.0 + kStepSeconds * 3.5);
    EXPECT_EQ(clock.due(100.0), kMaxStepsPerFrame);
    EXPECT_NEAR(clock.nextStepAt(), 100.0 + kStepSeconds, 1e-9) << "the lag is dropped";
}
