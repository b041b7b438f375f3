// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The camera-fixed layers on real frames: start light, wind sign, display panels, snow
// and rain. Their textures are swapped for plain colours so each picture is recognisable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "venue/animation.h"
#include "feedback.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/settings.h"
#include "jump_play.h"
#include "render/gl.h"
#include "render/textures.h"
#include "venue/overlays.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

constexpr auto paint = paintTexture;

struct Rgb {
    int r, g, b;
};
const Rgb kGreen{0, 255, 0}, kMagenta{255, 0, 255}, kBlue{0, 0, 255}, kCyan{0, 255, 255},
    kYellow{255, 255, 0}, kOrange{255, 128, 0};

auto near(Rgb c) {
    return [c](int r, int g, int b) {
        return std::abs(r - c.r) < 12 && std::abs(g - c.g) < 12 && std::abs(b - c.b) < 12;
    };
}

// Window position (top-left origin) of a point seen through a layer's own eye.
void layerPoint(double eyeY, double x, double y, double z, int* px, int* py) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, eyeY, 10, 0, 5, 0, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx, wy, wz;
    gluProject(x, y, z, model, projection, viewport, &wx, &wy, &wz);
    *px = static_cast<int>(wx);
    *py = viewport[3] - 1 - static_cast<int>(wy);
}

// Pixels of a colour in the window rectangle spanned by two layer points.
template <class F>
int countIn(const Picture& pic, double eyeY, double x0, double y0, double x1, double y1, F pred,
            double z = 0) {
    int ax, ay, bx, by;
    layerPoint(eyeY, x0, y0, z, &ax, &ay);
    layerPoint(eyeY, x1, y1, z, &bx, &by);
    const int left = std::max(0, std::min(ax, bx)), right = std::min(pic.width, std::max(ax, bx));
    const int top = std::max(0, std::min(ay, by)), bottom = std::min(pic.height, std::max(ay, by));
    return pic.count(left, top, right, bottom, pred);
}

class Overlays : public ::testing::Test {
  protected:
    void SetUp() override { dir = std::make_unique<TempGameDir>(false); }
    void TearDown() override { dir.reset(); }
    // Into the scene; then the overlay pictures become plain colours.
    void enter(int hill = 1, int seasonValue = 0, int speed = 2, int precipitationValue = 1) {
        dir->writeDefaults();
        dir->configure(hill, 1, seasonValue, 6, speed, precipitationValue);
        startGame();
        leaveStartScreen();
        paint(&textures.greenlight, 0, 255, 0);
        paint(&textures.redlight, 255, 0, 255);
        paint(&textures.windred, 255, 0, 255);
        paint(&textures.windgreen, 0, 255, 0);
        paint(&textures.nowind, 0, 0, 255);
        paint(&textures.corner, 0, 255, 255);
        paint(&textures.corner2, 255, 255, 0);
        paint(&textures.snow, 255, 128, 0);
        paint(&textures.rain, 255, 128, 0);
    }
    std::unique_ptr<TempGameDir> dir;
};

// The light quad: translate (-0.5, 8.2), scale 2, seen from (0, 5, 10).
int lightPixels(const Picture& pic, Rgb c) {
    return countIn(pic, 5, -0.5, 8.2, 1.5, 10.2, near(c));
}

TEST_F(Overlays, StartLightGreenForTwoHundredFramesThenRed) {
    enter();
    ASSERT_EQ(game().jump.startCountdown, 1600);
    int count = 1600;
    for (int frame = 1; frame <= 230; ++frame) {
        pass();
        count = static_cast<int>(static_cast<float>(count) - 7.5f);
        ASSERT_EQ(game().jump.startCountdown, count) << "frame " << frame;
        Picture pic = lastFrame();
        const int green = lightPixels(pic, kGreen), red = lightPixels(pic, kMagenta);
        if (frame <= 200) {
            ASSERT_GT(green, 500) << "frame " << frame;
            ASSERT_EQ(red, 0) << "frame " << frame;
        } else {
            ASSERT_EQ(green, 0) << "frame " << frame;
            ASSERT_GT(red, 500) << "frame " << frame;
        }
    }
    EXPECT_EQ(game().jump.startCountdown, -7 - 29 * 7);
    // The start is refused now; the confirm key brings a fresh countdown.
    passKey(VK_SPACE);
    EXPECT_EQ(game().jump.atGate, 1);
    passKey(VK_RETURN);
    EXPECT_EQ(game().jump.startCountdown, 1600);
    pass();
    EXPECT_GT(lightPixels(lastFrame(), kGreen), 500);
}

TEST_F(Overlays, StartOnTheTwoHundredthFrameThenTheLightIsGone) {
    enter();
    frames(199);
    passKey(VK_SPACE); // drawn as the 200th frame, count 0: still allowed
    ASSERT_EQ(game().jump.startCountdown, 0);
    ASSERT_EQ(game().jump.atGate, 0);
    frames(5);
    EXPECT_EQ(game().jump.startCountdown, 0) << "the countdown only runs while the light is drawn";
    EXPECT_EQ(lightPixels(lastFrame(), kGreen) + lightPixels(lastFrame(), kMagenta), 0);
}

TEST_F(Overlays, WindSignFollowsTheSignOfTheWind) {
    enter();
    // The sign's centre: (1.15, 1) of the quad, turned 25 degrees about x.
    const double cx = -9.37 + 1.15, cy = 8.9 + std::cos(25 * M_PI / 180),
                 cz = std::sin(25 * M_PI / 180);
    auto colourAtSign = [&] {
        Picture pic = lastFrame();
        int x, y;
        layerPoint(0, cx, cy, cz, &x, &y);
        int n[3] = {pic.count(x - 3, y - 3, x + 4, y + 4, near(kMagenta)),
                    pic.count(x - 3, y - 3, x + 4, y + 4, near(kGreen)),
                    pic.count(x - 3, y - 3, x + 4, y + 4, near(kBlue))};
        return n[0] == 49 ? -1 : n[1] == 49 ? 1 : n[2] == 49 ? 0 : 99;
    };
    for (int wind : {-3, 0, 4, -1, 1, 0, -7, 7}) {
        game().jump.windSpeed = wind;
        pass();
        EXPECT_EQ(colourAtSign(), wind < 0 ? -1 : wind > 0 ? 1 : 0) << "wind " << wind;
    }
}

TEST_F(Overlays, LowerPanelsOnlyWhileTheJumperStandsOnTheGround) {
    enter();
    auto panels = [](const Picture& pic) {
        struct {
            int topLeft, topRight, bottomLeft, bottomRight, side;
        } c;
        c.topLeft = countIn(pic, 0, -14, 11.5, -7, 13.9, near(kCyan));
        c.topRight = countIn(pic, 0, 5, 12.3, 12, 14.7, near(kCyan), -0.5);
        c.bottomLeft = countIn(pic, 0, -7, -0.2, -3, 0.8, near(kCyan));
        c.bottomRight = countIn(pic, 0, 3, -0.18, 7, 0.82, near(kCyan), -0.5);
        c.side = pic.count(0, 0, pic.width, pic.height, near(kYellow));
        return c;
    };
    pass();
    auto gate = panels(lastFrame());
    EXPECT_GT(gate.topLeft, 1000) << "the top-left panel is always there";
    EXPECT_EQ(gate.bottomLeft + gate.bottomRight + gate.side, 0);

    ASSERT_TRUE(runAndTakeOff());
    frames(5);
    auto flying = panels(lastFrame());
    EXPECT_GT(flying.topLeft, 1000);
    EXPECT_EQ(flying.bottomLeft + flying.bottomRight + flying.side, 0);

    ASSERT_TRUE(takeLandingStance());
    ASSERT_TRUE(waitForLanding());
    pass();
    Picture landedPic = lastFrame();
    auto landed = panels(landedPic);
    EXPECT_GT(landed.topLeft, 1000);
    EXPECT_GT(landed.topRight, 1000);
    EXPECT_GT(landed.bottomLeft, 1000);
    EXPECT_GT(landed.bottomRight, 1000);
    EXPECT_GT(landed.side, 1000);
    savePng(landedPic, "panels_landed");

    // Reset: the jumper is back in the air at the gate, the panels go.
    resetOnTheGround();
    ASSERT_EQ(game().jump.atGate, 1);
    pass();
    auto again = panels(lastFrame());
    EXPECT_EQ(again.bottomLeft + again.bottomRight + again.side, 0);
}

// --- Snow and rain -------------------------------------------------------------------------

int flakes(const Picture& pic) {
    return pic.count(0, 0, pic.width, pic.height, near(kOrange));
}

// The fall after `frames` from `start` as the layer lowers it: by step, wrapping at -wrap.
float fallAfter(float start, float step, float wrap, int count) {
    float f = start;
    for (int i = 0; i < count; ++i) {
        f -= step;
        if (f <= -wrap) f = 0;
    }
    return f;
}

TEST_F(Overlays, SnowOnlyInWinterAndItsSpeedFollowsTheGameSpeed) {
    struct Case {
        int season, speed;
        float step;
    };
    const Case cases[] = {{0, 1, 0.025f}, {0, 2, 0.05f}, {0, 3, 0.1f}, {1, 2, 0}, {1, 3, 0}};
    for (const Case& c : cases) {
        dir.reset();
        dir = std::make_unique<TempGameDir>(false);
        enter(1, c.season, c.speed, 2);
        game().venue.precipitationFall = 0;
        frames(40);
        EXPECT_FLOAT_EQ(game().venue.precipitationFall, fallAfter(0, c.step, 50, 40))
            << "season " << c.season << " speed " << c.speed;
        if (c.step > 0)
            EXPECT_GT(flakes(lastFrame()), 200) << "speed " << c.speed;
        else
            EXPECT_EQ(flakes(lastFrame()), 0) << "no snow in summer";
    }
}

TEST_F(Overlays, RainInBothSeasonsWhateverTheSpeed) {
    for (int seasonValue : {0, 1}) {
        for (int speed : {1, 3}) {
            dir.reset();
            dir = std::make_unique<TempGameDir>(false);
            enter(2, seasonValue, speed, 3);
            game().venue.precipitationFall = 0;
            frames(40);
            EXPECT_FLOAT_EQ(game().venue.precipitationFall, fallAfter(0, 0.6f, 55, 40));
            EXPECT_GT(flakes(lastFrame()), 500) << "season " << seasonValue;
        }
    }
}

TEST_F(Overlays, NoPrecipitationDrawsNothingAndLeavesTheFall) {
    enter(1, 0, 2, 1);
    game().venue.precipitationFall = -3;
    frames(10);
    EXPECT_EQ(game().venue.precipitationFall, -3.0f);
    EXPECT_EQ(flakes(lastFrame()), 0);
}

TEST(PrecipitationFall, WrapsBackAtFiftyForSnowAndFiftyFiveForRain) {
    for (bool snow : {true, false}) {
        game().settings.gameSpeed = 3;
        const float step = snow ? 0.1f : 0.6f, wrap = snow ? 50.0f : 55.0f;
        game().venue.precipitationFall = 0;
        float expected = 0;
        int wraps = 0;
        for (int frame = 0; frame < 2000; ++frame) {
            expected -= step;
            const bool wrapsNow = expected <= -wrap;
            if (wrapsNow) expected = 0;
            ASSERT_EQ(lowerPrecipitationFall(game().venue, snow, game().settings.gameSpeed),
                      wrapsNow)
                << "frame " << frame;
            ASSERT_EQ(game().venue.precipitationFall, expected);
            ASSERT_GT(game().venue.precipitationFall, -wrap);
            wraps += wrapsNow;
        }
        EXPECT_GE(wraps, snow ? 3 : 20);
    }
    game().settings.gameSpeed = 7;
    game().venue.precipitationFall = -1;
    lowerPrecipitationFall(game().venue, true, game().settings.gameSpeed);
    EXPECT_EQ(game().venue.precipitationFall, -1.0f) << "an unknown speed lets no snow fall";
}

TEST_F(Overlays, FieldFollowsTheJitterTableAndJumpsBackUpOnTheWrap) {
    struct Case {
        int precipitationValue;
        float start, step, wrap;
    };
    // Snow (game speed 2) and rain, each in an ordinary frame and in its wrap frame.
    const Case cases[] = {
        {2, -10, 0.05f, 50}, {2, -49.97f, 0.05f, 50}, {3, -10, 0.6f, 55}, {3, -54.5f, 0.6f, 55}};
    enter(1, 0, 2, 2);
    // A table of our own: the set-up's draws may come close enough to -0.3 to shrink a
    // snowflake to nothing, and a flake of no size never reaches the rasteriser.
    std::mt19937 rng(2024);
    std::uniform_real_distribution<float> jitter(-0.25f, 0.3f);
    for (float& v : precipitationJitter)
        v = jitter(rng);
    // A wide parallel projection keeps all 756 flakes in the picture, in drawing order.
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-200, 200, -150, 150, -300, 300);
    glMatrixMode(GL_MODELVIEW);
    struct RestoreProjection {
        ~RestoreProjection() {
            glMatrixMode(GL_PROJECTION);
            glPopMatrix();
            glMatrixMode(GL_MODELVIEW);
        }
    } restore;
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (const Case& c : cases) {
        SCOPED_TRACE("precipitation " + std::to_string(c.precipitationValue) + " from " +
                     std::to_string(c.start));
        game().settings.precipitation = c.precipitationValue;
        game().venue.precipitationFall = c.start;
        game().venue.precipitationWrapped = lowerPrecipitationFall(
            game().venue, snowFalls(game().settings), game().settings.gameSpeed);
        const auto items =
            captureFeedback([] { drawPrecipitation(game().venue, game().settings); });
        float fall = c.start - c.step, lift = 0;
        if (fall <= -c.wrap) {
            fall = 0;
            lift = c.wrap;
        }
        EXPECT_EQ(game().venue.precipitationFall, fall);
        // Each quad reaches the rasteriser as two triangles.
        ASSERT_EQ(countTokens(items, GL_POLYGON_TOKEN), 2 * 756);

        // Each flake's corners are where its translation, the 25-degree tilt about x and its
        // flat scale put them; the rows add up.
        const bool snow = c.precipitationValue == 2;
        const double tilt = 25 * M_PI / 180;
        auto J = precipitationJitterAt;
        double rowX = 0, rowY = 0;
        size_t k = 0;
        for (int i = 0; i < 36; ++i) {
            for (int j = 0; j < 21; ++j, ++k) {
                const double Jij = J(i, j);
                const double x = -9 + rowX + j + 2 * J(j, j);
                const double y = lift + 65 + rowY + Jij / 2 + Jij / 4 + fall;
                const double z = -1 + 4 * Jij;
                const double sx = Jij / 3 + (snow ? 0.1 : 0.5);
                const double sy = Jij / 3 + (snow ? 0.1 : 0.6);
                for (int corner = 0; corner < 4; ++corner) {
                    const double u = (corner == 1 || corner == 2) ? sx : 0;
                    const double v = corner >= 2 ? sy : 0;
                    GLdouble wx, wy, wz;
                    gluProject(x + u, y + v * std::cos(tilt), z + v * std::sin(tilt), model,
                               projection, viewport, &wx, &wy, &wz);
                    // The corner is a vertex of one of the flake's two triangles.
                    double nearest = 1e9;
                    for (size_t t = 2 * k; t < 2 * k + 2; ++t)
                        for (const FeedbackVertex& fv : items[t].vertices)
                            nearest = std::min(nearest, std::hypot(fv.x - wx, fv.y - wy));
                    ASSERT_LT(nearest, 0.02)
                        << "row " << i << " column " << j << " corner " << corner;
                }
            }
            if (i < 35) {
                rowX += J(i + 1, 0);
                rowY += 3 * J(i, i) - 2;
            }
        }
    }
}

} // namespace
