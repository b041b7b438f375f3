// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The jumper model in a real GL context: its pieces, colours, shadow and the pose step
// that every drawing runs first.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <set>

#include "feedback.h"
#include "figure/jumper.h"
#include "game/app.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "jump/pose.h"
#include "render/primitives.h"
#include "jump_play.h"
#include "support/harness.h"
#include "game/game.h"
#include "game/game_step.h"

namespace {

using Colour = std::array<int, 3>;

Colour colourOf(const FeedbackVertex& v) {
    return {static_cast<int>(std::lround(v.r * 255)), static_cast<int>(std::lround(v.g * 255)),
            static_cast<int>(std::lround(v.b * 255))};
}

int polygons(const std::vector<FeedbackItem>& items) {
    return countTokens(items, GL_POLYGON_TOKEN);
}

class Figure : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::make_unique<TempGameDir>(false);
        dir->writeDefaults();
        startGame();
        // A plain orthographic view of the figure's own frame; nothing is clipped.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-40, 40, -30, 30, -40, 40);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_CULL_FACE);
        glDisable(GL_LIGHTING);
        // Every sphere radius of the figure in the cache before any capture.
        drawJumper(game().jump, game().settings);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override {
        glEnable(GL_LIGHTING);
        glEnable(GL_CULL_FACE);
        int w, h;
        platformClientSize(&w, &h);
        resizeViewport(w, h);
        dir.reset();
    }
    // Figure-frame coordinates of a captured vertex.
    static std::array<double, 3> objectPoint(const FeedbackVertex& v) {
        GLdouble model[16], projection[16];
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        std::array<double, 3> p{};
        gluUnProject(v.x, v.y, v.z, model, projection, viewport, &p[0], &p[1], &p[2]);
        return p;
    }
    std::unique_ptr<TempGameDir> dir;
};

TEST_F(Figure, SeventeenSpheresElevenCylindersFourBoxes) {
    ASSERT_NE(figureQuadric, nullptr);
    int sphere = polygons(captureFeedback([] { solidSphere(0.5); }));
    int cylinder =
        polygons(captureFeedback([] { gluCylinder(figureQuadric, 0.7, 0.6, 4, 20, 2); }));
    int box = polygons(captureFeedback([] { texturedBox(0, 0, 0, 0, 0); }));
    ASSERT_GT(sphere, 0);
    ASSERT_GT(cylinder, 0);
    ASSERT_GT(box, 0);
    const int expected = 17 * sphere + 11 * cylinder + 4 * box;
    EXPECT_EQ(polygons(captureFeedback([] { drawJumper(game().jump, game().settings); })),
              expected);
    EXPECT_EQ(polygons(captureFeedback([] { drawJumperShadow(game().jump, game().settings); })),
              expected);
    EXPECT_EQ(feedback_detail::unknownLists, 0);
}

TEST_F(Figure, ColoursOfEveryPart) {
    // Defaults: suit 199,0,0; helmet 199,199,199; skis "0.0","0.0","199.0".
    std::set<Colour> seen;
    advanceScene(game(), 0); // the step that shows the waiting jumper reads his colours
    for (const auto& item : captureFeedback([] { drawJumper(game().jump, game().settings); }))
        for (const auto& v : item.vertices)
            seen.insert(colourOf(v));
    const std::set<Colour> expected = {
        {199, 199, 199}, // helmet
        {100, 100, 100}, // goggle band
        {255, 215, 189}, // face
        {245, 205, 179}, // nose
        {255, 45, 48},   // lips
        {255, 255, 255}, // bib
        {199, 0, 0},     // suit
        {245, 220, 187}, // hands
        {0, 0, 0},       // boots
        {0, 0, 199},     // skis
    };
    EXPECT_EQ(seen, expected);
}

// A colour file outside 0..255 is held at the nearest end, never wrapped round.
TEST_F(Figure, ColourValuesOutsideAByteAreHeldAtItsEnds) {
    dir->writeData("suitR.dat", "300");
    dir->writeData("suitG.dat", "-4"); // read as no digits: 0
    dir->writeData("suitB.dat", "70000");
    advanceScene(game(), 0);
    std::set<Colour> seen;
    for (const auto& item : captureFeedback([] { drawJumper(game().jump, game().settings); }))
        for (const auto& v : item.vertices)
            seen.insert(colourOf(v));
    EXPECT_EQ(seen.count({255, 0, 255}), 1u) << "the suit";
    EXPECT_EQ(seen.count({44, 0, 112}), 0u) << "not 300 and 70000 wrapped round";
}

TEST_F(Figure, ColourFilesAreReadAgainOnEveryStepThatShowsTheJumper) {
    auto countColour = [](const std::vector<FeedbackItem>& items, Colour c) {
        int n = 0;
        for (const auto& item : items)
            if (item.token == GL_POLYGON_TOKEN && colourOf(item.vertices[0]) == c) ++n;
        return n;
    };
    advanceScene(game(), 0);
    auto before = captureFeedback([] { drawJumper(game().jump, game().settings); });
    const int suitPolygons = countColour(before, {199, 0, 0});
    const int helmetPolygons = countColour(before, {199, 199, 199});
    const int skiPolygons = countColour(before, {0, 0, 199});
    ASSERT_GT(suitPolygons, 0);

    // The launcher changes the suit while the game runs.
    dir->writeData("suitR.dat", "0");
    dir->writeData("suitG.dat", "150");
    dir->writeData("suitB.dat", "0");
    EXPECT_EQ(
        countColour(captureFeedback([] { drawJumper(game().jump, game().settings); }), {0, 150, 0}),
        0)
        << "drawing reads nothing";
    advanceScene(game(), 0);
    auto after = captureFeedback([] { drawJumper(game().jump, game().settings); });
    EXPECT_EQ(countColour(after, {199, 0, 0}), 0);
    EXPECT_EQ(countColour(after, {0, 150, 0}), suitPolygons);
    EXPECT_EQ(countColour(after, {199, 199, 199}), helmetPolygons);
    EXPECT_EQ(countColour(after, {0, 0, 199}), skiPolygons);
    EXPECT_EQ(game().settings.suitColor[1], 150);

    dir->writeData("helmR.dat", "10");
    dir->writeData("helmG.dat", "20");
    dir->writeData("helmB.dat", "30");
    dir->writeData("skiR.dat", "40");
    dir->writeData("skiG.dat", "50");
    dir->writeData("skiB.dat", "60");
    stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
    readJumperColours(game().settings);
    auto third = captureFeedback([] { drawJumper(game().jump, game().settings); });
    EXPECT_EQ(countColour(third, {10, 20, 30}), helmetPolygons);
    EXPECT_EQ(countColour(third, {40, 50, 60}), skiPolygons);
}

TEST_F(Figure, ShadowGreyBySeasonAndLighting) {
    struct Case {
        int season, lighting;
        float grey;
    };
    // Any lighting other than night takes the season's day grey.
    const Case cases[] = {{0, 6, 0.6f}, {0, 8, 0.4f}, {1, 6, 0.3f},
                          {1, 8, 0.2f}, {0, 7, 0.6f}, {1, 0, 0.3f}};
    for (const Case& c : cases) {
        game().settings.season = c.season;
        game().settings.lightingMode = c.lighting;
        glEnable(GL_LIGHTING);
        glColor3f(1, 0, 1);
        auto items = captureFeedback([] { drawJumperShadow(game().jump, game().settings); });
        ASSERT_FALSE(items.empty());
        const int want = static_cast<int>(std::lround(c.grey * 255));
        for (const auto& item : items)
            for (const auto& v : item.vertices)
                ASSERT_EQ(colourOf(v), (Colour{want, want, want}))
                    << "season " << c.season << " lighting " << c.lighting;
        // Lighting and colour material come back on, blending goes off.
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
    }
}

TEST_F(Figure, ShadowIgnoresBodyAndSlopePitchButFollowsTheInrun) {
    auto same = [](const std::vector<FeedbackItem>& a, const std::vector<FeedbackItem>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].vertices.size() != b[i].vertices.size()) return false;
            for (size_t k = 0; k < a[i].vertices.size(); ++k) {
                const auto &p = a[i].vertices[k], &q = b[i].vertices[k];
                if (std::fabs(p.x - q.x) > 1e-3 || std::fabs(p.y - q.y) > 1e-3 ||
                    std::fabs(p.z - q.z) > 1e-5)
                    return false;
            }
        }
        return true;
    };
    const auto shadow = captureFeedback([] { drawJumperShadow(game().jump, game().settings); });
    const auto figure = captureFeedback([] { drawJumper(game().jump, game().settings); });

    game().jump.bodyPitch = 30;
    game().jump.slopePitch = -25;
    EXPECT_TRUE(
        same(shadow, captureFeedback([] { drawJumperShadow(game().jump, game().settings); })));
    EXPECT_FALSE(same(figure, captureFeedback([] { drawJumper(game().jump, game().settings); })));

    game().jump.bodyPitch = 0;
    EXPECT_FALSE(same(figure, captureFeedback([] { drawJumper(game().jump, game().settings); })))
        << "slope pitch tilts the skis";

    game().jump.slopePitch = 0;
    game().jump.inrunPitch = -20;
    EXPECT_FALSE(
        same(shadow, captureFeedback([] { drawJumperShadow(game().jump, game().settings); })));
}

TEST_F(Figure, FallenJumperOnTheMiddleHillSwingsHisArmsForwardAndBack) {
    // A finished fall on the ground: the pose step only sets the arm swing, on hill 2 alone.
    // The shadow is compared, since it does not tilt with the slope the hills differ in.
    auto fallenShadow = [](int hill) {
        game().jump = Jump{};
        game().settings.hillNumber = hill;
        game().jump.jumperY = game().jump.groundY = 0;
        game().jump.fallProgress = 110;
        stepFigureState(game().jump, liveCourse(game()), FIGURE_SHADOW);
        return captureFeedback([] { drawJumperShadow(game().jump, game().settings); });
    };
    const auto still = fallenShadow(1);
    const auto swinging = fallenShadow(2);
    ASSERT_EQ(still.size(), swinging.size());
    const int sphere = polygons(captureFeedback([] { solidSphere(0.3); }));
    const int cylinder =
        polygons(captureFeedback([] { gluCylinder(figureQuadric, 0.3, 0.2, 1.1, 20, 2); }));
    // Each arm (shoulder, upper arm, elbow, forearm, hand) moves 0.1 along z: the left one
    // forward, the right one back; its turn of 0.1 degrees adds next to nothing.
    int forward = 0, back = 0, unmoved = 0, other = 0;
    for (size_t i = 0; i < still.size(); ++i) {
        ASSERT_EQ(still[i].vertices.size(), swinging[i].vertices.size());
        double dz = 0, dxy = 0;
        for (size_t k = 0; k < still[i].vertices.size(); ++k) {
            const auto a = objectPoint(still[i].vertices[k]),
                       b = objectPoint(swinging[i].vertices[k]);
            dz += (b[2] - a[2]) / still[i].vertices.size();
            dxy = std::max({dxy, std::fabs(b[0] - a[0]), std::fabs(b[1] - a[1])});
        }
        if (std::fabs(dz) < 1e-3 && dxy < 1e-3)
            ++unmoved;
        else if (std::fabs(dz - 0.1) < 0.01 && dxy < 0.01)
            ++forward;
        else if (std::fabs(dz + 0.1) < 0.01 && dxy < 0.01)
            ++back;
        else
            ++other;
    }
    EXPECT_EQ(forward, 3 * sphere + 2 * cylinder) << "left arm";
    EXPECT_EQ(back, 3 * sphere + 2 * cylinder) << "right arm";
    EXPECT_EQ(other, 0);
    EXPECT_EQ(unmoved + forward + back, static_cast<int>(still.size()));
}

TEST_F(Figure, ResetPoseStandsUprightAndCrouchBendsForward) {
    // The helmet shell: scale 1.1 in y over translate 3.1 and radius 0.5.
    const double top = 1.1 * (3.1 + 0.5);
    auto highest = [&](const std::vector<FeedbackItem>& items) {
        std::array<double, 3> best{0, -1e9, 0};
        for (const auto& item : items)
            for (const auto& v : item.vertices) {
                auto p = objectPoint(v);
                if (p[1] > best[1]) best = p;
            }
        return best;
    };
    auto helmetFront = [&](const std::vector<FeedbackItem>& items) {
        double best = -1e9;
        for (const auto& item : items)
            for (const auto& v : item.vertices)
                if (colourOf(v) == Colour{199, 199, 199}) best = std::max(best, objectPoint(v)[2]);
        return best;
    };
    readJumperColours(game().settings);
    auto upright = highest(captureFeedback([] { drawJumper(game().jump, game().settings); }));
    EXPECT_NEAR(upright[1], top, 0.02);
    EXPECT_NEAR(upright[0], 0, 0.02);
    EXPECT_NEAR(upright[2], 0, 0.02);

    game().jump.trunkBend = 90;
    auto crouched = captureFeedback([] { drawJumper(game().jump, game().settings); });
    EXPECT_LT(highest(crouched)[1], top - 1);
    // Turned 90 degrees about x, the top of the helmet points downhill (+z).
    EXPECT_NEAR(helmetFront(crouched), top, 0.02);
}

// Starts the run, lets `inrunFrames` frames pass, calls `look`, then takes off.
bool runAndTakeOffAfter(int inrunFrames, const std::function<void()>& look) {
    passKey(VK_SPACE);
    frames(inrunFrames);
    look();
    return runAndTakeOff();
}

// Two pose steps per step (figure, then shadow), as beyond the edge both are drawn.
void poseStepsBeyondTheEdge() {
    stepFigureState(game().jump, liveCourse(game()), FIGURE_JUMPER);
    readJumperColours(game().settings);
    stepFigureState(game().jump, liveCourse(game()), FIGURE_SHADOW);
}

TEST_F(Figure, LandingSinkOnHillOneAtZThreeReachesSixTenthsInSixFrames) {
    game().jump.trunkBend = 60;
    game().jump.jumperZ = 3;
    game().jump.jumperY = 2;
    game().jump.groundY = 0.4f;
    game().jump.landingStance = 1;
    float expected = 0;
    for (int frame = 1; frame <= 6; ++frame) {
        poseStepsBeyondTheEdge();
        expected += 0.05f;
        expected += 0.05f;
        EXPECT_FLOAT_EQ(game().jump.landingSink, expected) << "frame " << frame;
    }
    EXPECT_NEAR(game().jump.landingSink, 0.6f, 1e-5);
    EXPECT_EQ(game().jump.trunkBend, 30.0f);
    poseStepsBeyondTheEdge();
    EXPECT_FLOAT_EQ(game().jump.landingSink, expected) << "the stance is complete";
}

TEST_F(Figure, LandingSinkPerRunOnEachHill) {
    struct Case {
        int hill;
        float z, perRun;
    };
    const Case cases[] = {{1, 1, 0.001f}, {2, 1, 0.001f + 0.05f}, {3, 30, -0.00004f}};
    for (const Case& c : cases) {
        game().jump = Jump{};
        game().settings.hillNumber = c.hill;
        applyHillStartValues(game().jump, game().settings.hillNumber);
        game().jump.trunkBend = 60;
        game().jump.jumperZ = c.z;
        game().jump.jumperY = 2;
        game().jump.groundY = 0;
        game().jump.landingStance = 1;
        for (int frame = 1; frame <= 3; ++frame) {
            const float before = game().jump.landingSink;
            poseStepsBeyondTheEdge();
            EXPECT_NEAR(game().jump.landingSink - before, 2 * c.perRun, 1e-6)
                << "hill " << c.hill << " frame " << frame;
        }
    }
}

TEST_F(Figure, CloseUpInViewFiveInTwoSuitColours) {
    // Screenshots of the figure as the game shows it, on the in-run and in the air.
    struct Suit {
        const char *r, *g, *b, *name;
        int want[3];
    };
    const Suit suits[] = {{"199", "0", "0", "red", {199, 0, 0}},
                          {"0", "0", "199", "blue", {0, 0, 199}}};
    for (const Suit& s : suits) {
        dir.reset();
        dir = std::make_unique<TempGameDir>();
        dir->writeDefaults();
        dir->writeData("suitR.dat", s.r);
        dir->writeData("suitG.dat", s.g);
        dir->writeData("suitB.dat", s.b);
        startGame();
        leaveStartScreen();
        passChar('5');
        ASSERT_TRUE(runAndTakeOffAfter(
            40, [&] { savePng(lastFrame(), std::string("figure_view5_inrun_") + s.name); }));
        frames(8);
        savePng(lastFrame(), std::string("figure_view5_flight_") + s.name);
        EXPECT_EQ(game().settings.suitColor[0], s.want[0]);
        EXPECT_EQ(game().settings.suitColor[2], s.want[2]);
    }
}

} // namespace
