// Style marks, the pose phases of whole jumps, and the red on-screen texts, played
// frame by frame through the game's own main-loop pass.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <memory>
#include <string>

#include "camera/scoring.h"
#include "game/random.h"
#include "game/settings.h"
#include "jump_play.h"
#include "render/gl.h"

namespace {

// --- The judges -------------------------------------------------------------------------

// Draws from a range as the game's rule says, from a generator seeded with `seed`.
void expectedMarks(unsigned seed, const float range[2], int out[5]) {
    seedRandom(seed);
    for (int i = 0; i < 5; ++i) {
        const float r = static_cast<float>(nextRandom());
        out[i] = static_cast<int>(range[0] + r * (range[1] - range[0]) / 32768.0f);
    }
}

TEST(StyleMarks, SeededFromTheClockInWholeSeconds) {
    loadJumpState();
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t before = std::time(nullptr);
        awardGoodMarks();
        int good[5];
        std::copy(styleMarks, styleMarks + 5, good);
        awardFallMarks();
        const std::time_t after = std::time(nullptr);
        if (before != after) continue; // the second turned over: try again
        int want[5];
        expectedMarks(static_cast<unsigned>(before), goodMarkRange, want);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(good[i], want[i]) << "judge " << i;
        expectedMarks(static_cast<unsigned>(before), fallMarkRange, want);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(styleMarks[i], want[i]) << "judge " << i;
        return;
    }
    FAIL() << "the clock kept turning over";
}

// --- Whole jumps --------------------------------------------------------------------------

class Jump : public ::testing::Test {
  protected:
    void SetUp() override { dir = std::make_unique<TempGameDir>(false); }
    void TearDown() override { dir.reset(); }
    std::unique_ptr<TempGameDir> dir;
};

// Runs per frame of the pose step: one, or two once the shadow is drawn as well.
int runsInLastFrame() {
    return jumperZ > hillMotion(hillNumber)->shadowStartZ ? 2 : 1;
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

TEST_F(Jump, CrouchExtensionAndStanceRunCounts) {
    enterHill(*dir, 1);
    ASSERT_EQ(trunkBend, 0.0f);
    passKey(VK_SPACE);
    ASSERT_EQ(atGate, 0);
    const int crouch = countRuns([] { return trunkBend; }, 5, [] { return crouchStep == 0; });
    EXPECT_EQ(crouch, 18);
    EXPECT_EQ(trunkBend, 90.0f);

    ASSERT_TRUE(runAndTakeOff());
    const int extension = countRuns([] { return -trunkBend; }, 5, [] { return extendStep == 0; });
    EXPECT_EQ(extension, 6);
    EXPECT_EQ(trunkBend, 60.0f);
    EXPECT_EQ(kneeBend, 90.0f - 6 * 16);
    EXPECT_EQ(hipPitch, -55.0f + 6 * 18);

    ASSERT_TRUE(takeLandingStance());
    const int stance =
        countRuns([] { return -trunkBend; }, 2.5f, [] { return trunkBend <= 30.0f; });
    EXPECT_EQ(stance, 12);
    EXPECT_EQ(landingStanceTaken, 1);
    ASSERT_TRUE(waitForLanding());
    frames(30);
    EXPECT_EQ(fallen, 0) << "a landing in stance never turns into a fall";
    for (int m : styleMarks) {
        EXPECT_GE(m, 18);
        EXPECT_LE(m, 19);
    }
}

TEST_F(Jump, LandingWithoutStanceFallsInTwentyRuns) {
    enterHill(*dir, 1);
    ASSERT_TRUE(runAndTakeOff());
    // Fly on without the landing click, one frame at a time until the ground.
    const int fall =
        countRuns([] { return fallProgress; }, 2.5f, [] { return fallProgress >= 110.0f; },
                  [] { return jumperY == groundY; });
    EXPECT_EQ(fall, 20);
    EXPECT_EQ(fallen, 1);
    EXPECT_EQ(landingStanceTaken, 0);
    for (int m : styleMarks) {
        EXPECT_GE(m, 5) << "first jump of the program";
        EXPECT_LE(m, 9);
    }
    // A landing click on the ground now is refused.
    passRightClick();
    EXPECT_EQ(landingStance, 0);

    // The left click on the ground resets; the next fall is judged from the higher range.
    passLeftClick();
    ASSERT_EQ(atGate, 1);
    ASSERT_TRUE(playJump(false));
    frames(15);
    EXPECT_EQ(fallen, 1);
    for (int m : styleMarks) {
        EXPECT_GE(m, 9);
        EXPECT_LE(m, 11);
    }
}

TEST_F(Jump, NeverTakingOffEndsInAFall) {
    enterHill(*dir, 1);
    passKey(VK_SPACE);
    ASSERT_GE(framesUntil(onGround), 0);
    frames(12);
    EXPECT_EQ(fallen, 1);
    EXPECT_EQ(trunkBend, 60.0f) << "rolling over the edge extends the jumper";
}

// --- On-screen texts ----------------------------------------------------------------------

// Window position (top-left origin) of a raster position of the HUD, given the translation
// the HUD has applied before it.
void hudPoint(float x, float y, float tx, float ty, int* px, int* py) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
    glTranslatef(tx, ty, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, 0, model, projection, viewport, &wx, &wy, &wz);
    *px = static_cast<int>(wx);
    *py = viewport[3] - 1 - static_cast<int>(wy);
}

bool red(int r, int g, int b) {
    return r > 180 && g < 90 && b < 90;
}

// Red pixels in the box a text printed at that raster position covers (right and up).
int redText(const Picture& pic, int px, int py, int width, int height) {
    const int x0 = std::max(0, px - 2), x1 = std::min(pic.width, px + width);
    const int y0 = std::max(0, py - height), y1 = std::min(pic.height, py + 4);
    return pic.count(x0, y0, x1, y1, red);
}

struct HudCounts {
    int distance, wind, record, marks, total;
};

HudCounts hudCounts(const Picture& pic) {
    int x, y;
    HudCounts c{};
    hudPoint(-5.5f, -5, 0, 5, &x, &y);
    c.distance = redText(pic, x, y, 110, 45);
    hudPoint(-10.8f, 7.6f, 1, 5, &x, &y);
    c.wind = redText(pic, x, y, 110, 28);
    hudPoint(4.3f, 7.7f, 1, 5, &x, &y);
    c.record = redText(pic, x, y, 180, 28);
    hudPoint(5.45f, 3.5f, 0, 0, &x, &y);
    int column = redText(pic, x, y, 90, 45);
    hudPoint(6.3f, 7.5f, 0, 0, &x, &y);
    column += redText(pic, x, y, 90, 45);
    c.marks = column;
    hudPoint(3.4f, 0, 0, 0, &x, &y);
    c.total = redText(pic, x, y, 200, 45);
    return c;
}

TEST_F(Jump, RedTextsAppearWhereThePlayerLooksAfterTheLanding) {
    enterHill(*dir, 1);
    ASSERT_TRUE(runAndTakeOff());
    frames(10);
    ASSERT_FALSE(onGround());
    Picture flying = lastFrame();
    HudCounts before = hudCounts(flying);
    EXPECT_GT(before.wind, 20) << "the wind is always shown";
    EXPECT_LT(before.distance, 5);
    EXPECT_LT(before.record, 5);
    EXPECT_LT(before.marks, 5);
    EXPECT_LT(before.total, 5);
    if (before.distance >= 5 || before.marks >= 5) savePng(flying, "hud_before_landing_failed");

    ASSERT_TRUE(takeLandingStance());
    ASSERT_TRUE(waitForLanding());
    frames(3);
    Picture landed = lastFrame();
    HudCounts after = hudCounts(landed);
    EXPECT_GT(after.distance, 50) << "distance at the bottom left";
    EXPECT_GT(after.wind, 20);
    EXPECT_GT(after.record, 50) << "record at the top right";
    EXPECT_GT(after.marks, 50) << "marks in a column on the right";
    EXPECT_GT(after.total, 50) << "points at the bottom";
    savePng(landed, "hud_landed_hill1");

    // The left half of the window holds the distance, the right the score column.
    int x, y;
    hudPoint(-5.5f, -5, 0, 5, &x, &y);
    EXPECT_LT(x, landed.width / 2);
    EXPECT_GT(y, landed.height * 2 / 3);
    hudPoint(5.62f, 4.4f, 0, 0, &x, &y);
    EXPECT_GT(x, landed.width / 2);

    // The reset clears all of it but the wind.
    passLeftClick();
    frames(2);
    HudCounts reset = hudCounts(lastFrame());
    EXPECT_LT(reset.distance, 5);
    EXPECT_LT(reset.marks, 5);
    EXPECT_GT(reset.wind, 20);
}

TEST_F(Jump, NothingOfTheHudOnTheStartScreen) {
    dir->writeDefaults();
    startGame();
    frames(2);
    Picture pic = lastFrame();
    HudCounts c = hudCounts(pic);
    EXPECT_EQ(c.wind + c.distance + c.record + c.marks + c.total, 0);
}

TEST_F(Jump, LandedJumpOnEachHillScreenshots) {
    for (int hill = 1; hill <= 3; ++hill) {
        dir.reset();
        dir = std::make_unique<TempGameDir>();
        dir->writeDefaults();
        dir->configure(hill, 3, hill == 2 ? 1 : 0, 6);
        startGame();
        leaveStartScreen();
        ASSERT_TRUE(runAndTakeOff());
        leanForward();
        EXPECT_EQ(flightLean, 22.5f);
        ASSERT_TRUE(takeLandingStance() && waitForLanding())
            << "hill " << hill << " z " << jumperZ << " y " << jumperY << " ground " << groundY
            << " wind " << windSpeed << " stance " << int(landingStance) << " flight "
            << int(inFlight);
        frames(20);
        Picture pic = lastFrame();
        savePng(pic, "landed_hill" + std::to_string(hill));
        HudCounts c = hudCounts(pic);
        EXPECT_GT(c.distance, 50) << "hill " << hill;
        EXPECT_GT(c.marks, 50) << "hill " << hill;
        EXPECT_GT(jumpDistance, 0);
        EXPECT_EQ(jumpPoints, static_cast<int>(jumpDistance * static_cast<double>(1.8f)));
    }
}

} // namespace
