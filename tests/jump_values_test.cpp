// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A jumper is a value: two of them, on two hills with their own inputs, stepped in turn, each
// go exactly as they go alone. Computer jumpers and a ghost rely on it.
#include <gtest/gtest.h>

#include <vector>

#include "jump/controls.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "support/game_snapshot.h"

namespace {

// One jumper with his own hill, speed, generator and way of jumping.
struct Jumper {
    Jump jump;
    Random random;
    int hill, speed;
    float takeoffAt;   // how far into the take-off window he clicks, 0..1
    int leanMoves;     // mouse moves down once the extension is done
    float stanceAbove; // height above the ground at which he takes the landing stance
    int step = 0;

    Jumper(int hill, int speed, unsigned seed, float takeoff, int lean, float stance)
        : hill(hill), speed(speed), takeoffAt(takeoff), leanMoves(lean), stanceAbove(stance) {
        random.seedSource = [seed]() mutable { return seed++; };
        random.seed(seed);
        applyHillStartValues(jump, hill);
        drawStartWind(jump, course());
    }

    // His own course, drawing from his own generator (a copy draws from its own).
    Course course() {
        Course c;
        c.hill = hill;
        c.speed = speed;
        c.random = &random;
        return c;
    }

    // The commands he gives this step, then the jump's step; the jump's hash after it.
    uint64_t advance() {
        const Course course = this->course();
        const HillStart& h = *hillStart(hill);
        const float takeoffZ =
            h.takeoffWindow[0] + takeoffAt * (h.takeoffWindow[1] - h.takeoffWindow[0]);
        if (step == 10) startCommand(jump, course);
        if (jump.inFlight == 0 && jump.jumperZ > takeoffZ) takeoffCommand(jump, course);
        if (jump.extendStep == 0 && leanMoves > 0) {
            leanFlight(jump, course, 1);
            --leanMoves;
        }
        if (jump.inFlight == 1 && jump.jumperY - jump.groundY < stanceAbove)
            landingCommand(jump, course);
        stepJump(jump, course);
        ++step;
        return hashJump(jump);
    }
};

constexpr int kSteps = 900;

std::vector<uint64_t> alone(Jumper j) {
    std::vector<uint64_t> hashes;
    for (int s = 0; s < kSteps; ++s)
        hashes.push_back(j.advance());
    return hashes;
}

TEST(JumpValues, TwoJumpersSteppedInTurnGoAsEachGoesAlone) {
    const Jumper first(1, 2, 4000, 0.9f, 4, 1.0f), second(3, 3, 9000, 0.6f, 2, 3.0f);
    const auto firstAlone = alone(first), secondAlone = alone(second);
    ASSERT_NE(firstAlone, secondAlone);

    Jumper a = first, b = second;
    for (int s = 0; s < kSteps; ++s) {
        ASSERT_EQ(a.advance(), firstAlone[s]) << "first jumper, step " << s;
        ASSERT_EQ(b.advance(), secondAlone[s]) << "second jumper, step " << s;
    }
    // Both really jumped: out of the gate, through the air, measured and judged.
    for (const Jumper* j : {&a, &b}) {
        EXPECT_EQ(j->jump.takeoffDone, 1);
        EXPECT_GT(j->jump.jumpDistance, 0);
        EXPECT_GT(j->jump.styleMarks[0], 0);
    }
}

} // namespace
