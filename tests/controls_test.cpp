// The player's controls: messages delivered between frames as the main loop does.
#include <gtest/gtest.h>

#include "camera/views.h"
#include "game/app.h"
#include "game/random.h"
#include "game/settings.h"
#include "jump/jump_state.h"
#include "support/harness.h"

namespace {

class Controls : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.writeDefaults();
        dir.configure(1, 1, 0, 6);
        startGame();
        leaveStartScreen();
        ASSERT_EQ(startScreenActive, 0);
    }
    TempGameDir dir{false};
};

// A seed whose first draw from (low, high) gives `want`, worked out from the draw rule.
unsigned seedDrawing(float low, float high, int want) {
    for (unsigned seed = 1; seed < 100000; ++seed) {
        seedRandom(seed);
        int r = nextRandom();
        if (static_cast<int>(low + r * (high - low) / 32768.0f) == want) return seed;
    }
    return 0;
}

} // namespace

TEST_F(Controls, StartNeedsTheCountdownNotNegative) {
    startCountdown = 0;
    handleJumpLeftClick(); // the left click's first step is the start command
    EXPECT_EQ(atGate, 0);
    EXPECT_EQ(runStarted, 1);
    EXPECT_EQ(awaitingStart, 0);

    resetJump();
    startCountdown = -7;
    handleJumpKey(VK_SPACE);
    EXPECT_EQ(atGate, 1) << "a run-out countdown refuses the start";

    // Through the main loop: the frame drawn before the click lowers the count by 8.
    resetJump();
    startCountdown = 8;
    passLeftClick();
    EXPECT_EQ(atGate, 0);
    resetJump();
    startCountdown = 0; // 0 - 7.5 truncates to -7: the light is red by the click
    passLeftClick();
    EXPECT_EQ(atGate, 1);
}

TEST_F(Controls, ConfirmKeyResetsOnlyWhenExactlyOneConditionHolds) {
    // Countdown still running, jumper not standing: nothing.
    startCountdown = 800;
    windSpeed = 3;
    jumperZ = -4; // a moved jumper shows whether a reset happened
    passKey(VK_RETURN);
    EXPECT_FLOAT_EQ(jumperZ, -4);
    // Countdown run out: a reset with a fresh countdown.
    startCountdown = -14;
    passKey(VK_SHIFT);
    EXPECT_EQ(startCountdown, 1600);
    EXPECT_FLOAT_EQ(jumperZ, -10);
    // Both at once: no reset.
    startCountdown = -14;
    groundY = jumperY;
    jumperZ = -4;
    passKey(VK_CONTROL);
    EXPECT_FLOAT_EQ(jumperZ, -4);
    EXPECT_LT(startCountdown, 0);
    // Standing after a jump, countdown not negative: reset.
    startCountdown = 100;
    passKey(VK_MENU);
    EXPECT_EQ(atGate, 1);
    EXPECT_FLOAT_EQ(jumperZ, -10);
}

TEST_F(Controls, TakeoffAndLandingWindowsExcludeTheirBounds) {
    struct Hill {
        int hill;
        float takeoff[2], landing[2];
    } hills[] = {{1, {-7, 0}, {0.5f, 21}}, {2, {-15, -4}, {-4, 41}}, {3, {-60, -29}, {-25, 41}}};
    for (const Hill& h : hills) {
        hillNumber = h.hill;
        for (float z : {h.takeoff[0], h.takeoff[1]}) {
            resetJump();
            takeoffArmed = 1;
            jumperZ = z;
            handleJumpLeftClick();
            EXPECT_EQ(inFlight, 0) << "hill " << h.hill << " take-off at the bound " << z;
        }
        resetJump();
        takeoffArmed = 1;
        jumperZ = (h.takeoff[0] + h.takeoff[1]) / 2;
        runSpeed = 12;
        handleJumpLeftClick();
        EXPECT_EQ(inFlight, 1);
        EXPECT_EQ(landingArmed, 1);
        EXPECT_FLOAT_EQ(takeoffSpeed, 12);
        float firstZ = takeoffZ;
        jumperZ += 1;
        handleJumpLeftClick();
        EXPECT_FLOAT_EQ(takeoffZ, firstZ) << "a second take-off click does nothing";

        for (float z : {h.landing[0], h.landing[1]}) {
            jumperZ = z;
            handleJumpRightClick();
            EXPECT_EQ(landingStance, 0) << "hill " << h.hill << " landing at the bound " << z;
        }
        fallen = 1;
        jumperZ = (h.landing[0] + h.landing[1]) / 2;
        handleJumpRightClick();
        EXPECT_EQ(landingStance, 0) << "no landing after a fall";
        fallen = 0;
        handleJumpRightClick();
        EXPECT_EQ(landingStance, 1);
    }
    // Hill 2 in flight: -4.5 refused, -3.5 accepted.
    hillNumber = 2;
    resetJump();
    landingArmed = 1;
    jumperZ = -4.5f;
    passRightClick();
    EXPECT_EQ(landingStance, 0);
}

TEST_F(Controls, RightClickBeforeTakeoffDoesNothing) {
    hillNumber = 2;
    jumperZ = -3.5f;
    handleJumpRightClick();
    EXPECT_EQ(landingStance, 0);
    landingArmed = 1;
    handleJumpRightClick();
    EXPECT_EQ(landingStance, 1);
}

TEST_F(Controls, LeanClimbsAndFallsInStepsWithinItsLimits) {
    auto flying = [] {
        resetJump();
        inFlight = 1;
        extendStep = 0;
        jumperY = 5;
        groundY = 0;
        cursorY = 100;
    };
    flying();
    int y = 100;
    const float up[] = {4.5f, 9, 13.5f, 18, 22.5f, 22.5f, 22.5f};
    for (float want : up) {
        passMouseMove(10, ++y);
        EXPECT_FLOAT_EQ(flightLean, want);
    }
    flying();
    y = 100;
    const float down[] = {-1.5f, -3, -4.5f, -6, -6};
    for (float want : down) {
        passMouseMove(10, --y);
        EXPECT_FLOAT_EQ(flightLean, want);
    }
    // A step set to 0 is restored by the next move that finds the lean back inside.
    passMouseMove(10, y + 5); // up by 4.5 -> -1.5
    EXPECT_FLOAT_EQ(flightLean, -1.5f);
    passMouseMove(10, y); // back: the step was 0, so nothing is taken, step restored
    EXPECT_FLOAT_EQ(flightLean, -1.5f);
    EXPECT_FLOAT_EQ(leanStepDown, 1.5f);

    // No lean while the take-off extension runs, in the stance, or on the ground.
    flying();
    extendStep = 5;
    passMouseMove(10, 300);
    EXPECT_FLOAT_EQ(flightLean, 0);
    EXPECT_EQ(cursorY, 300) << "the cursor is recorded anyway";
    flying();
    landingStance = 1;
    passMouseMove(10, 300);
    EXPECT_FLOAT_EQ(flightLean, 0);
    flying();
    groundY = jumperY;
    passMouseMove(10, 300);
    EXPECT_FLOAT_EQ(flightLean, 0);
}

TEST_F(Controls, WindChangeStaysNearItsBounds) {
    unsigned plusOne = seedDrawing(-2, 2, 1);
    unsigned minusTwo = seedDrawing(-2, 2, -2);
    unsigned none = seedDrawing(-2, 2, 0);
    ASSERT_NE(none, 0u);
    ASSERT_NE(plusOne, 0u);
    ASSERT_NE(minusTwo, 0u);
    windSpeed = 7;
    seedRandom(plusOne);
    resetJump();
    EXPECT_EQ(windChange, 1);
    EXPECT_EQ(windSpeed, 7);
    windSpeed = -6;
    seedRandom(minusTwo);
    resetJump();
    EXPECT_EQ(windSpeed, -7);
    // Already beyond: pulled back by one per reset.
    seedRandom(none);
    resetJump();
    EXPECT_EQ(windSpeed, -6);
    EXPECT_FLOAT_EQ(windStartRange[0], -7);
    EXPECT_FLOAT_EQ(windStartRange[1], 7);
    EXPECT_FLOAT_EQ(fallMarkRange[0], 9);
}

TEST_F(Controls, StartWindComesFromTheHiddenRangeWith587) {
    dir.writeData("kopytko.cfg", "0587");
    for (int i = 0; i < 5; ++i) {
        passKey(VK_ESCAPE); // to the start screen, quit highlighted
        passKey(VK_UP);
        passKey(VK_RETURN); // leave again: a new set-up draws a new start wind
        EXPECT_GE(windSpeed, 15);
        EXPECT_LE(windSpeed, 64);
    }
    dir.removeData("kopytko.cfg");
    passKey(VK_ESCAPE);
    passKey(VK_UP);
    passKey(VK_RETURN);
    EXPECT_GE(windSpeed, -7);
    EXPECT_LE(windSpeed, 6);
}

TEST_F(Controls, CameraKeysAndNudgeLimits) {
    for (int i = 0; i < 11; ++i)
        passChar('+');
    EXPECT_FLOAT_EQ(cameraNudge, 10);
    for (int i = 0; i < 25; ++i)
        passChar('-');
    EXPECT_FLOAT_EQ(cameraNudge, -10);
    passChar('4');
    EXPECT_EQ(selectedCameraView(), 3);
    passChar('4');
    int set = 0;
    for (int i = 0; i < 8; ++i)
        set += cameraViewFlags[i];
    EXPECT_EQ(set, 1);
    passChar('9');
    EXPECT_EQ(selectedCameraView(), 3);
}

TEST_F(Controls, EscTwiceAndQEndTheProgram) {
    passKey(VK_ESCAPE);
    EXPECT_EQ(startScreenActive, 1);
    EXPECT_EQ(quitButtonSelected, 1);
    EXPECT_EQ(startButtonSelected, 0);
    EXPECT_EQ(quitRequested, 0);
    passKey(VK_ESCAPE);
    EXPECT_EQ(quitRequested, 1);

    quitRequested = 0;
    passKey(VK_UP);
    passKey(VK_RETURN);
    ASSERT_EQ(startScreenActive, 0);
    passKey(VK_SPACE);
    frames(5);
    passChar('q'); // arrives upper-cased by the window procedure
    EXPECT_EQ(quitRequested, 1);
}

TEST_F(Controls, EscOnTheStartScreenWithStartHighlightedSetsUpAndHighlightsQuit) {
    passKey(VK_ESCAPE);
    passKey(VK_UP);
    hillNumber = 0; // the set-up re-reads it
    passKey(VK_ESCAPE);
    EXPECT_EQ(hillNumber, 1) << "the scene set-up ran";
    EXPECT_EQ(startScreenActive, 1);
    EXPECT_EQ(quitButtonSelected, 1);
    EXPECT_EQ(quitRequested, 0);
}

TEST_F(Controls, LeftClickOnTheGroundResetsAtOnce) {
    passKey(VK_SPACE);
    jumperY = groundY = -3;
    jumperZ = 12;
    int wind = windSpeed;
    handleJumpLeftClick();
    EXPECT_EQ(atGate, 1);
    EXPECT_EQ(startCountdown, 1600);
    EXPECT_FLOAT_EQ(jumperZ, -10);
    EXPECT_NEAR(windSpeed, wind, 2);
}
