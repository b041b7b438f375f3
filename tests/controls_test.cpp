// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's controls: messages delivered between frames as the main loop does.
#include <gtest/gtest.h>

#include <map>
#include <type_traits>
#include <string>

#include "game/input.h"
#include "camera/views.h"
#include "game/app.h"
#include "game/game_step.h"
#include "core/random.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.writeDefaults();
        dir.configure(1, 1, 0, 6);
        startGame();
        leaveStartScreen();
        ASSERT_EQ(game().mode.screen, Screen::Scene);
    }
    TempGameDir dir{false};
};

// A seed whose first draw from (low, high) gives `want`, worked out from the draw rule.
unsigned seedDrawing(float low, float high, int want) {
    for (unsigned seed = 1; seed < 100000; ++seed) {
        game().random.seed(seed);
        int r = game().random.next();
        if (static_cast<int>(low + r * (high - low) / 32768.0f) == want) return seed;
    }
    return 0;
}

// Every value of the jump by name, array elements as name[i], from the jump's own field list.
using Values = std::map<std::string, double>;
Values jumpValues() {
    Values out;
    game().jump.eachField([&out](const char* name, const auto& v) {
        using T = std::remove_cv_t<std::remove_reference_t<decltype(v)>>;
        if constexpr (std::is_array_v<T>) {
            for (size_t i = 0; i < std::extent_v<T>; ++i)
                out[std::string(name) + "[" + std::to_string(i) + "]"] = v[i];
        } else {
            out[name] = v;
        }
    });
    return out;
}

// The "at program load" column of the jump-state tables.
const Values kLoadColumn = {
    {"jumperX", 1.1f},
    {"jumperY", 0},
    {"jumperZ", 0},
    {"groundY", 0},
    {"jumpClock", 0},
    {"runSpeed", 0},
    {"runAccel", 1},
    {"gravity", -9.81f},
    {"segmentSlope", -0.65f},
    {"segmentIntercept", 9},
    {"inrunProfileZ[0]", 0},
    {"inrunProfileY[4]", 0},
    {"brakeOffset", 0},
    {"brakeRate", 0},
    {"takeoffSpeed", 0},
    {"takeoffZ", 0},
    {"takeoffY", 0},
    {"landingSink", 0},
    {"flightLean", 0},
    {"leanLift", 0},
    {"leanStepUp", 4.5},
    {"leanStepDown", 1.5},
    {"windFactor", 0},
    {"rawRange", 0},
    {"jumpDistance", 0},
    {"jumpPoints", 0},
    {"inrunPitch", 0},
    {"atGate", 1},
    {"awaitingStart", 1},
    {"startCountdown", 1600},
    {"runStarted", 0},
    {"takeoffArmed", 0},
    {"inFlight", 0},
    {"takeoffDone", 0},
    {"landingArmed", 0},
    {"landingStance", 0},
    {"landingStanceTaken", 0},
    {"fallen", 0},
    {"windSpeed", 0},
    {"windChange", 0},
    {"windChangeRange[0]", -2},
    {"windChangeRange[1]", 2},
    {"windStartRange[0]", -5},
    {"windStartRange[1]", 5},
    {"windStartRangeAlt[0]", 15},
    {"windStartRangeAlt[1]", 65},
    {"trunkBend", 0},
    {"kneeBend", 90},
    {"hipPitch", -55},
    {"anklePitch", 0},
    {"leftLegRoll", 0},
    {"rightLegRoll", 0},
    {"leftSkiYaw", 0},
    {"rightSkiYaw", 0},
    {"slopePitch", 0},
    {"bodyPitch", 0},
    {"crouchStep", 5},
    {"extendStep", 5},
    {"fallProgress", 60},
    {"goodMarkRange[0]", 18},
    {"goodMarkRange[1]", 20},
    {"fallMarkRange[0]", 5},
    {"fallMarkRange[1]", 10},
    {"gateFigureX", 1.1f},
    {"gateFigureY", 0},
    {"gateFigureZ", 0},
    {"cursorX", 0},
    {"cursorY", 0},
};

void expectLoadColumn(const Values& values, const char* when) {
    for (const auto& [name, value] : kLoadColumn) {
        ASSERT_EQ(values.count(name), 1u) << name << " is no value of the jump";
        EXPECT_EQ(values.at(name), value) << name << " " << when;
    }
}

} // namespace

TEST(JumpState, TheProgramStartsWithTheLoadValues) {
    // What the game calls first, after a jump has moved everything on.
    resetJump(game().jump, liveCourse(game()));
    game().jump.flightLean = 7;
    game().jump.windSpeed = 3;
    resetToProgramStart(game());
    expectLoadColumn(jumpValues(), "after resetToProgramStart");
    resetJump(game().jump, liveCourse(game()));
    game().jump.flightLean = 7;
    game().jump.windSpeed = 3;
    game().jump = Jump{};
    expectLoadColumn(jumpValues(), "after loadJumpState");
}

TEST_F(Controls, ResetRestoresItsColumnAndLeavesTheRestAlone) {
    game().camera = Camera{};
    const float riseAtLoad = game().camera.cameraRise, trailAtLoad = game().camera.trailOffset;
    game().settings.hillNumber = 2; // the profile stays hill 1's: the reset does not write it
    // Every value away from both columns.
    game().jump.jumperX = game().jump.jumperY = game().jump.jumperZ = game().jump.groundY =
        game().jump.jumpClock = game().jump.runSpeed = game().jump.runAccel = game().jump.gravity =
            3;
    game().jump.segmentSlope = game().jump.segmentIntercept = game().jump.brakeOffset =
        game().jump.brakeRate = game().jump.takeoffSpeed = game().jump.takeoffZ = 3;
    game().jump.takeoffY = game().jump.landingSink = game().jump.flightLean = game().jump.leanLift =
        game().jump.leanStepUp = game().jump.leanStepDown = game().jump.windFactor = 3;
    game().jump.inrunPitch = 3;
    for (int i = 0; i < 5; ++i)
        game().jump.inrunProfileZ[i] = game().jump.inrunProfileY[i] = 3;
    game().jump.rawRange = game().jump.jumpDistance = game().jump.jumpPoints =
        game().jump.startCountdown = game().jump.windSpeed = game().jump.windChange = 3;
    game().jump.atGate = game().jump.awaitingStart = game().jump.runStarted =
        game().jump.takeoffArmed = game().jump.inFlight = game().jump.takeoffDone = 3;
    game().jump.landingArmed = game().jump.landingStance = game().jump.landingStanceTaken =
        game().jump.fallen = 3;
    // A range of one value makes the wind change certain: 3 + r * 0 / 32768.
    game().jump.windChangeRange[0] = game().jump.windChangeRange[1] =
        game().jump.windStartRange[0] = game().jump.windStartRange[1] = 3;
    game().jump.windStartRangeAlt[0] = game().jump.windStartRangeAlt[1] = 3;
    game().jump.trunkBend = game().jump.kneeBend = game().jump.hipPitch = game().jump.anklePitch =
        game().jump.leftLegRoll = game().jump.rightLegRoll = 3;
    game().jump.leftSkiYaw = game().jump.rightSkiYaw = game().jump.slopePitch =
        game().jump.bodyPitch = game().jump.crouchStep = game().jump.extendStep = 3;
    game().jump.fallProgress = 3;
    game().jump.goodMarkRange[0] = game().jump.goodMarkRange[1] = game().jump.fallMarkRange[0] =
        game().jump.fallMarkRange[1] = 3;
    game().jump.gateFigureX = game().jump.gateFigureY = game().jump.gateFigureZ = 3;
    game().jump.cursorX = game().jump.cursorY = 3;
    game().camera.cameraNudge = 4;
    selectCameraView(game().camera, 6);
    game().camera.cameraRise = game().camera.trailOffset = 5;

    resetJumpAndCamera(game());

    Values want = kLoadColumn;
    // The reset column where it differs from the load column.
    want["jumperY"] = want["gateFigureY"] = 12.7f;
    want["jumperZ"] = want["gateFigureZ"] = -20.3f;
    want["windStartRange[0]"] = -7;
    want["windStartRange[1]"] = 7;
    want["fallMarkRange[0]"] = 9;
    want["fallMarkRange[1]"] = 12;
    want["windChange"] = 3;
    want["windSpeed"] = 3 + 3;
    // Not touched by the reset.
    for (const char* kept : {"groundY", "inrunProfileZ[0]", "inrunProfileY[4]", "windFactor",
                             "rawRange", "windChangeRange[0]", "windChangeRange[1]",
                             "windStartRangeAlt[0]", "windStartRangeAlt[1]", "cursorX", "cursorY"})
        want[kept] = 3;
    const Values got = jumpValues();
    for (const auto& [name, value] : want)
        EXPECT_EQ(got.at(name), value) << name;
    EXPECT_EQ(game().camera.cameraNudge, 4);
    EXPECT_EQ(selectedCameraView(game().camera), 5);
    EXPECT_EQ(game().camera.cameraRise, riseAtLoad);
    EXPECT_EQ(game().camera.trailOffset, trailAtLoad);

    // Outside 1..3 the start position is left where it was.
    game().settings.hillNumber = 4;
    game().jump.jumperY = game().jump.jumperZ = game().jump.gateFigureY = game().jump.gateFigureZ =
        3;
    resetJump(game().jump, liveCourse(game()));
    EXPECT_EQ(game().jump.jumperZ, 3);
    EXPECT_EQ(game().jump.gateFigureY, 3);
    EXPECT_EQ(game().jump.atGate, 1);
}

TEST_F(Controls, RandomDrawsTruncateTowardZero) {
    // Checked against the rule for many generator values: below zero the fraction is cut
    // towards zero, so -2 comes only from r = 0.
    int seen[4] = {};
    for (unsigned k = 1; k <= 3000; ++k) {
        // Spread seeds: the first value of neighbouring seeds lies close together.
        const unsigned seed = k * 2654435761u;
        game().random.seed(seed);
        const int r = game().random.next();
        game().random.seed(seed);
        drawWindChange(game().jump, liveCourse(game()));
        const int want = static_cast<int>(-2.0 + r * 4.0 / 32768);
        ASSERT_EQ(game().jump.windChange, want) << "r " << r;
        ASSERT_TRUE(game().jump.windChange >= -2 && game().jump.windChange <= 1);
        ++seen[game().jump.windChange + 2];
        if (game().jump.windChange == -2) {
            EXPECT_EQ(r, 0);
        }

        game().settings.hiddenSwitch = 0;
        game().random.seed(seed);
        drawStartWind(game().jump, liveCourse(game()));
        EXPECT_EQ(
            game().jump.windSpeed,
            static_cast<int>(game().jump.windStartRange[0] +
                             r * (game().jump.windStartRange[1] - game().jump.windStartRange[0]) /
                                 32768.0));
    }
    // Away from r = 0, -1 and 1 take a quarter of the generator's values each, 0 half.
    EXPECT_GT(seen[1], 0);
    EXPECT_GT(seen[2], seen[1]);
    EXPECT_GT(seen[2], seen[3]);
    EXPECT_GT(seen[3], 0);
}

TEST_F(Controls, StartNeedsTheCountdownNotNegative) {
    game().jump.startCountdown = 0;
    handleJumpLeftClick(game()); // the left click's first step is the start command
    EXPECT_EQ(game().jump.atGate, 0);
    EXPECT_EQ(game().jump.runStarted, 1);
    EXPECT_EQ(game().jump.awaitingStart, 0);

    resetJump(game().jump, liveCourse(game()));
    game().jump.startCountdown = -7;
    handleJumpKey(game(), VK_SPACE);
    EXPECT_EQ(game().jump.atGate, 1) << "a run-out countdown refuses the start";

    // Through the main loop: the frame drawn before the click lowers the count by 8.
    resetJump(game().jump, liveCourse(game()));
    game().jump.startCountdown = 8;
    passLeftClick();
    EXPECT_EQ(game().jump.atGate, 0);
    resetJump(game().jump, liveCourse(game()));
    game().jump.startCountdown = 0; // 0 - 7.5 truncates to -7: the light is red by the click
    passLeftClick();
    EXPECT_EQ(game().jump.atGate, 1);
}

TEST_F(Controls, ConfirmKeyResetsOnlyWhenExactlyOneConditionHolds) {
    // Countdown still running, jumper not standing: nothing.
    game().jump.startCountdown = 800;
    game().jump.windSpeed = 3;
    game().jump.jumperZ = -4; // a moved jumper shows whether a reset happened
    passKey(VK_RETURN);
    EXPECT_FLOAT_EQ(game().jump.jumperZ, -4);
    // Countdown run out: a reset with a fresh countdown.
    game().jump.startCountdown = -14;
    passKey(VK_SHIFT);
    EXPECT_EQ(game().jump.startCountdown, 1600);
    EXPECT_FLOAT_EQ(game().jump.jumperZ, -10);
    // Both at once: no reset.
    game().jump.startCountdown = -14;
    game().jump.groundY = game().jump.jumperY;
    game().jump.jumperZ = -4;
    passKey(VK_CONTROL);
    EXPECT_FLOAT_EQ(game().jump.jumperZ, -4);
    EXPECT_LT(game().jump.startCountdown, 0);
    // Standing after a jump, countdown not negative: reset.
    game().jump.startCountdown = 100;
    passKey(VK_MENU);
    EXPECT_EQ(game().jump.atGate, 1);
    EXPECT_FLOAT_EQ(game().jump.jumperZ, -10);
}

TEST_F(Controls, TakeoffAndLandingWindowsExcludeTheirBounds) {
    struct Hill {
        int hill;
        float takeoff[2], landing[2];
    } hills[] = {{1, {-7, 0}, {0.5f, 21}}, {2, {-15, -4}, {-4, 41}}, {3, {-60, -29}, {-25, 41}}};
    for (const Hill& h : hills) {
        game().settings.hillNumber = h.hill;
        for (float z : {h.takeoff[0], h.takeoff[1]}) {
            resetJump(game().jump, liveCourse(game()));
            game().jump.takeoffArmed = 1;
            game().jump.jumperZ = z;
            handleJumpLeftClick(game());
            EXPECT_EQ(game().jump.inFlight, 0)
                << "hill " << h.hill << " take-off at the bound " << z;
        }
        resetJump(game().jump, liveCourse(game()));
        game().jump.takeoffArmed = 1;
        game().jump.jumperZ = (h.takeoff[0] + h.takeoff[1]) / 2;
        game().jump.runSpeed = 12;
        handleJumpLeftClick(game());
        EXPECT_EQ(game().jump.inFlight, 1);
        EXPECT_EQ(game().jump.landingArmed, 1);
        EXPECT_FLOAT_EQ(game().jump.takeoffSpeed, 12);
        float firstZ = game().jump.takeoffZ;
        game().jump.jumperZ += 1;
        handleJumpLeftClick(game());
        EXPECT_FLOAT_EQ(game().jump.takeoffZ, firstZ) << "a second take-off click does nothing";

        for (float z : {h.landing[0], h.landing[1]}) {
            game().jump.jumperZ = z;
            handleJumpRightClick(game());
            EXPECT_EQ(game().jump.landingStance, 0)
                << "hill " << h.hill << " landing at the bound " << z;
        }
        game().jump.fallen = 1;
        game().jump.jumperZ = (h.landing[0] + h.landing[1]) / 2;
        handleJumpRightClick(game());
        EXPECT_EQ(game().jump.landingStance, 0) << "no landing after a fall";
        game().jump.fallen = 0;
        handleJumpRightClick(game());
        EXPECT_EQ(game().jump.landingStance, 1);
    }
    // Hill 2 in flight: -4.5 refused, -3.5 accepted.
    game().settings.hillNumber = 2;
    resetJump(game().jump, liveCourse(game()));
    game().jump.landingArmed = 1;
    game().jump.jumperZ = -4.5f;
    passRightClick();
    EXPECT_EQ(game().jump.landingStance, 0);
}

TEST_F(Controls, RightClickBeforeTakeoffDoesNothing) {
    game().settings.hillNumber = 2;
    game().jump.jumperZ = -3.5f;
    handleJumpRightClick(game());
    EXPECT_EQ(game().jump.landingStance, 0);
    game().jump.landingArmed = 1;
    handleJumpRightClick(game());
    EXPECT_EQ(game().jump.landingStance, 1);
}

TEST_F(Controls, LeanClimbsAndFallsInStepsWithinItsLimits) {
    auto flying = [] {
        resetJump(game().jump, liveCourse(game()));
        game().jump.inFlight = 1;
        game().jump.extendStep = 0;
        game().jump.jumperY = 5;
        game().jump.groundY = 0;
        game().jump.cursorY = 100;
    };
    flying();
    int y = 100;
    const float up[] = {4.5f, 9, 13.5f, 18, 22.5f, 22.5f, 22.5f};
    for (float want : up) {
        passMouseMove(10, ++y);
        EXPECT_FLOAT_EQ(game().jump.flightLean, want);
    }
    flying();
    y = 100;
    const float down[] = {-1.5f, -3, -4.5f, -6, -6};
    for (float want : down) {
        passMouseMove(10, --y);
        EXPECT_FLOAT_EQ(game().jump.flightLean, want);
    }
    // A step set to 0 is restored by the next move that finds the lean back inside.
    passMouseMove(10, y + 5); // up by 4.5 -> -1.5
    EXPECT_FLOAT_EQ(game().jump.flightLean, -1.5f);
    passMouseMove(10, y); // back: the step was 0, so nothing is taken, step restored
    EXPECT_FLOAT_EQ(game().jump.flightLean, -1.5f);
    EXPECT_FLOAT_EQ(game().jump.leanStepDown, 1.5f);

    // No lean while the take-off extension runs, in the stance, or on the ground.
    flying();
    game().jump.extendStep = 5;
    passMouseMove(10, 300);
    EXPECT_FLOAT_EQ(game().jump.flightLean, 0);
    EXPECT_EQ(game().jump.cursorY, 300) << "the cursor is recorded anyway";
    flying();
    game().jump.landingStance = 1;
    passMouseMove(10, 300);
    EXPECT_FLOAT_EQ(game().jump.flightLean, 0);
    flying();
    game().jump.groundY = game().jump.jumperY;
    passMouseMove(10, 300);
    EXPECT_FLOAT_EQ(game().jump.flightLean, 0);
}

TEST_F(Controls, WindChangeStaysNearItsBounds) {
    unsigned plusOne = seedDrawing(-2, 2, 1);
    unsigned minusTwo = seedDrawing(-2, 2, -2);
    unsigned none = seedDrawing(-2, 2, 0);
    ASSERT_NE(none, 0u);
    ASSERT_NE(plusOne, 0u);
    ASSERT_NE(minusTwo, 0u);
    game().jump.windSpeed = 7;
    game().random.seed(plusOne);
    resetJump(game().jump, liveCourse(game()));
    EXPECT_EQ(game().jump.windChange, 1);
    EXPECT_EQ(game().jump.windSpeed, 7);
    game().jump.windSpeed = -6;
    game().random.seed(minusTwo);
    resetJump(game().jump, liveCourse(game()));
    EXPECT_EQ(game().jump.windSpeed, -7);
    // Already beyond: pulled back by one per reset.
    game().random.seed(none);
    resetJump(game().jump, liveCourse(game()));
    EXPECT_EQ(game().jump.windSpeed, -6);
    EXPECT_FLOAT_EQ(game().jump.windStartRange[0], -7);
    EXPECT_FLOAT_EQ(game().jump.windStartRange[1], 7);
    EXPECT_FLOAT_EQ(game().jump.fallMarkRange[0], 9);
}

TEST_F(Controls, StartWindComesFromTheHiddenRangeWith587) {
    dir.writeData("kopytko.cfg", "0587");
    for (int i = 0; i < 5; ++i) {
        passKey(VK_ESCAPE); // to the start screen, quit highlighted
        passKey(VK_UP);
        passKey(VK_RETURN); // leave again: a new set-up draws a new start wind
        EXPECT_GE(game().jump.windSpeed, 15);
        EXPECT_LE(game().jump.windSpeed, 64);
    }
    dir.removeData("kopytko.cfg");
    passKey(VK_ESCAPE);
    passKey(VK_UP);
    passKey(VK_RETURN);
    EXPECT_GE(game().jump.windSpeed, -7);
    EXPECT_LE(game().jump.windSpeed, 6);
}

TEST_F(Controls, CameraKeysAndNudgeLimits) {
    for (int i = 0; i < 11; ++i)
        passChar('+');
    EXPECT_FLOAT_EQ(game().camera.cameraNudge, 10);
    for (int i = 0; i < 25; ++i)
        passChar('-');
    EXPECT_FLOAT_EQ(game().camera.cameraNudge, -10);
    passChar('4');
    EXPECT_EQ(selectedCameraView(game().camera), 3);
    passChar('4');
    int set = 0;
    for (int i = 0; i < 8; ++i)
        set += game().camera.cameraViewFlags[i];
    EXPECT_EQ(set, 1);
    passChar('9');
    EXPECT_EQ(selectedCameraView(game().camera), 3);
}

TEST_F(Controls, EscTwiceAndQEndTheProgram) {
    passKey(VK_ESCAPE);
    EXPECT_EQ(game().mode.screen, Screen::Start);
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_FALSE(game().mode.quit);
    passKey(VK_ESCAPE);
    EXPECT_TRUE(game().mode.quit);

    game().mode.quit = false;
    passKey(VK_UP);
    passKey(VK_RETURN);
    ASSERT_EQ(game().mode.screen, Screen::Scene);
    passKey(VK_SPACE);
    frames(5);
    passChar('q'); // arrives upper-cased by the window procedure
    EXPECT_TRUE(game().mode.quit);
}

TEST_F(Controls, EscOnTheStartScreenWithStartHighlightedSetsUpAndHighlightsQuit) {
    passKey(VK_ESCAPE);
    passKey(VK_UP);
    game().settings.hillNumber = 0; // the set-up re-reads it
    passKey(VK_ESCAPE);
    EXPECT_EQ(game().settings.hillNumber, 1) << "the scene set-up ran";
    EXPECT_EQ(game().mode.screen, Screen::Start);
    EXPECT_TRUE(game().mode.quitChosen);
    EXPECT_FALSE(game().mode.quit);
}

TEST_F(Controls, LeftClickOnTheGroundResetsAtOnce) {
    passKey(VK_SPACE);
    game().jump.jumperY = game().jump.groundY = -3;
    game().jump.jumperZ = 12;
    int wind = game().jump.windSpeed;
    handleJumpLeftClick(game());
    EXPECT_EQ(game().jump.atGate, 1);
    EXPECT_EQ(game().jump.startCountdown, 1600);
    EXPECT_FLOAT_EQ(game().jump.jumperZ, -10);
    EXPECT_NEAR(game().jump.windSpeed, wind, 2);
}
