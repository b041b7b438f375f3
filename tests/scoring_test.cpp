// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Style marks and the pose phases of whole jumps, played step by step through the game's
// own main-loop pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "score/records.h"
#include "venue/animation.h"
#include "jump/style_marks.h"
#include "score/points.h"
#include "core/random.h"
#include "core/settings.h"
#include "jump_play.h"
#include "render/gl.h"
#include "render/text.h"
#include "render/textures.h"
#include "venue/backdrop.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

// --- The judges -------------------------------------------------------------------------

// Draws from a range as the game's rule says, from a generator seeded with `seed`.
void expectedMarks(unsigned seed, const float range[2], int out[5]) {
    game().random.seed(seed);
    for (int i = 0; i < 5; ++i) {
        const float r = static_cast<float>(game().random.next());
        out[i] = static_cast<int>(range[0] + r * (range[1] - range[0]) / 32768.0f);
    }
}

TEST(StyleMarks, SeededFromTheClockInWholeSeconds) {
    game().jump = Jump{};
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        awardGoodMarks(game().jump, game().random);
        int good[5];
        std::copy(game().jump.styleMarks, game().jump.styleMarks + 5, good);
        awardFallMarks(game().jump, game().random);
        const std::time_t after = std::time(nullptr);
        if (before != after) continue; // the second turned over: try again
        int want[5];
        expectedMarks(static_cast<unsigned>(before), game().jump.goodMarkRange, want);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(good[i], want[i]) << "judge " << i;
        expectedMarks(static_cast<unsigned>(before), game().jump.fallMarkRange, want);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(game().jump.styleMarks[i], want[i]) << "judge " << i;
        return;
    }
    FAIL() << "the clock kept turning over";
}

// --- Whole jumps --------------------------------------------------------------------------

// Runs per frame of the pose step: one, or two once the shadow is drawn as well.
int runsInLastFrame() {
    return game().jump.jumperZ > hillMotion(game().settings.hillNumber)->shadowStartZ ? 2 : 1;
}

// Frames one at a time while `progress` (in steps) grows; checks that each frame adds as
// many steps as it ran the pose step (the last frame may need fewer) and returns the total.
// Frames before the first step are waited out.
// `active` tells whether the step could act in the frame just drawn (the fall, for one,
// pauses while a jumper bounced off the knoll is airborne again).
int countRuns(
    const std::function<float()>& progress, float step, const std::function<bool()>& done,
    const std::function<bool()>& active = [] { return true; }, int limit = 2000) {
    float last = progress();
    int total = 0;
    for (int frame = 0; frame < limit && !done(); ++frame) {
        pass();
        const int steps = static_cast<int>(std::lround((progress() - last) / step));
        last = progress();
        const int runs = active() ? runsInLastFrame() : 0;
        if (total == 0 && steps == 0) continue;
        if (!done()) {
            EXPECT_EQ(steps, runs) << "frame " << frame;
        } else {
            EXPECT_GE(steps, 1);
            EXPECT_LE(steps, runs);
        }
        total += steps;
    }
    return total;
}

TEST_F(WholeJump, CrouchExtensionAndStanceRunCounts) {
    enterHill(*dir, 1);
    ASSERT_EQ(game().jump.trunkBend, 0.0f);
    passKey(VK_SPACE);
    ASSERT_EQ(game().jump.atGate, 0);
    const int crouch = countRuns([] { return game().jump.trunkBend; }, 5,
                                 [] { return game().jump.crouchStep == 0; });
    EXPECT_EQ(crouch, 18);
    EXPECT_EQ(game().jump.trunkBend, 90.0f);

    ASSERT_TRUE(runAndTakeOff());
    const int extension = countRuns([] { return -game().jump.trunkBend; }, 5,
                                    [] { return game().jump.extendStep == 0; });
    EXPECT_EQ(extension, 6);
    EXPECT_EQ(game().jump.trunkBend, 60.0f);
    EXPECT_EQ(game().jump.kneeBend, 90.0f - 6 * 16);
    EXPECT_EQ(game().jump.hipPitch, -55.0f + 6 * 18);

    ASSERT_TRUE(takeLandingStance());
    const int stance = countRuns([] { return -game().jump.trunkBend; }, 2.5f,
                                 [] { return game().jump.trunkBend <= 30.0f; });
    EXPECT_EQ(stance, 12);
    EXPECT_EQ(game().jump.landingStanceTaken, 1);
    ASSERT_TRUE(waitForLanding());
    frames(30);
    EXPECT_EQ(game().jump.fallen, 0) << "a landing in stance never turns into a fall";
    for (int m : game().jump.styleMarks) {
        EXPECT_GE(m, 18);
        EXPECT_LE(m, 19);
    }
}

TEST_F(WholeJump, LandingWithoutStanceFallsInTwentyRuns) {
    enterHill(*dir, 1);
    ASSERT_TRUE(runAndTakeOff());
    // Fly on without the landing click, one frame at a time until the ground.
    const int fall = countRuns([] { return game().jump.fallProgress; }, 2.5f,
                               [] { return game().jump.fallProgress >= 110.0f; },
                               [] { return game().jump.jumperY == game().jump.groundY; });
    EXPECT_EQ(fall, 20);
    EXPECT_EQ(game().jump.fallen, 1);
    EXPECT_EQ(game().jump.landingStanceTaken, 0);
    for (int m : game().jump.styleMarks) {
        EXPECT_GE(m, 5) << "first jump of the program";
        EXPECT_LE(m, 9);
    }
    // A landing click on the ground now is refused.
    ASSERT_GE(framesUntil(onGround, 200), 0);
    passRightClick();
    EXPECT_EQ(game().jump.landingStance, 0);

    // The left click on the ground resets; the next fall is judged from the higher range.
    resetOnTheGround();
    ASSERT_EQ(game().jump.atGate, 1);
    ASSERT_TRUE(playJump(false));
    frames(15);
    EXPECT_EQ(game().jump.fallen, 1);
    for (int m : game().jump.styleMarks) {
        EXPECT_GE(m, 9);
        EXPECT_LE(m, 11);
    }
}

TEST_F(WholeJump, NeverTakingOffEndsInAFall) {
    enterHill(*dir, 1);
    passKey(VK_SPACE);
    ASSERT_GE(framesUntil(onGround), 0);
    frames(12);
    EXPECT_EQ(game().jump.fallen, 1);
    EXPECT_EQ(game().jump.trunkBend, 60.0f) << "rolling over the edge extends the jumper";
}

} // namespace
