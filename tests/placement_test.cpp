// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the jumper is drawn: at the gate, on the in-run, and beyond the edge with his
// shadow, read back in feedback mode after the motion step has moved him.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "feedback.h"
#include "figure/jumper.h"
#include "figure/placement.h"
#include "game/app.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

// World-space bounds of the vertices of items[from, to), under the test's own matrices.
struct Bounds {
    double lo[3] = {1e30, 1e30, 1e30}, hi[3] = {-1e30, -1e30, -1e30};
};
Bounds boundsOf(const std::vector<FeedbackItem>& items, size_t from, size_t to) {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    Bounds b;
    for (size_t i = from; i < to; ++i)
        for (const FeedbackVertex& v : items[i].vertices) {
            double p[3];
            gluUnProject(v.x, v.y, v.z, model, projection, viewport, &p[0], &p[1], &p[2]);
            for (int a = 0; a < 3; ++a) {
                b.lo[a] = std::min(b.lo[a], p[a]);
                b.hi[a] = std::max(b.hi[a], p[a]);
            }
        }
    return b;
}

// The figure's own bounds (b) carried to `at` by the scale 0.1; mirror: turned 180 degrees
// about z, which mirrors x and y.
void expectPlaced(const Bounds& got, const Bounds& b, const double at[3], bool mirror,
                  const char* what) {
    for (int a = 0; a < 3; ++a) {
        const bool flip = mirror && a < 2;
        const double lo = at[a] + 0.1 * (flip ? -b.hi[a] : b.lo[a]);
        const double hi = at[a] + 0.1 * (flip ? -b.lo[a] : b.hi[a]);
        EXPECT_NEAR(got.lo[a], lo, 2e-3) << what << " axis " << a;
        EXPECT_NEAR(got.hi[a], hi, 2e-3) << what << " axis " << a;
    }
}

void drawFigureAlone() {
    glPushMatrix();
    drawJumper(game().jump, game().settings);
    glPopMatrix();
}

// The figures where the motion step and the gate put them, seen through a plain
// orthographic view of the world; nothing is clipped or culled.
class Placement : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.writeDefaults();
        dir.configure(1, 1, 0, 6, 2);
        startGame();
        leaveStartScreen();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-100, 100, -100, 100, -200, 200);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_CULL_FACE);
        drawFigureAlone(); // every sphere of the figure in the cache before any capture
    }
    void TearDown() override {
        glEnable(GL_CULL_FACE);
        int w, h;
        platformClientSize(&w, &h);
        resizeViewport(w, h);
    }
    TempGameDir dir{false};
};

} // namespace

TEST_F(Placement, MovingJumperRaisedAndHisShadowFlatOnTheSnowBeyondTheEdge) {
    const float lift[3] = {0.4f, 0.4f, 0.45f};
    const float shadowStart[3] = {0, -5, -30};
    for (int hill = 1; hill <= 3; ++hill) {
        game().settings.hillNumber = hill;
        applyHillStartValues(game().jump, game().settings.hillNumber);
        resetJump(game().jump, liveCourse(game()));
        game().jump.atGate = 0;
        game().jump.inFlight = 1;
        game().jump.takeoffSpeed = 0; // the jumper stays on takeoffZ
        for (bool airborne : {true, false}) {
            game().jump.takeoffZ = game().jump.jumperZ = shadowStart[hill - 1] + 5;
            game().jump.takeoffY = airborne ? 20.0f : -20.0f;
            if (!airborne) {
                // A finished landing stance: the pose step leaves the figure as it is.
                game().jump.landingStance = 1;
                game().jump.trunkBend = 30;
            }
            stepJumper(game().jump, liveCourse(game()));
            const auto placed =
                captureFeedback([] { drawJumperInPlace(game().jump, game().settings); });
            ASSERT_EQ(game().jump.jumperY != game().jump.groundY, airborne);
            const auto figure = captureFeedback(drawFigureAlone);
            const auto shadow = captureFeedback([&] {
                glPushMatrix();
                glScalef(1, 0.1f, 1);
                glRotatef(airborne ? -40.0f : 50.0f, 1, 0, 0);
                drawJumperShadow(game().jump, game().settings);
                glPopMatrix();
            });
            ASSERT_GT(figure.size(), 0u);
            ASSERT_EQ(placed.size(), figure.size() + shadow.size()) << "figure, then shadow";
            const double figureAt[3] = {game().jump.jumperX,
                                        game().jump.jumperY + 0.15 + lift[hill - 1],
                                        game().jump.jumperZ};
            expectPlaced(boundsOf(placed, 0, figure.size()), boundsOf(figure, 0, figure.size()),
                         figureAt, false, "figure");
            const double shadowAt[3] = {game().jump.jumperX + 0.03,
                                        game().jump.groundY + 0.7 - lift[hill - 1],
                                        game().jump.jumperZ};
            const Bounds onSnow = boundsOf(placed, figure.size(), placed.size());
            expectPlaced(onSnow, boundsOf(shadow, 0, shadow.size()), shadowAt, true, "shadow");
            // A thin copy a little above the ground, under the jumper.
            EXPECT_LT(onSnow.hi[1] - onSnow.lo[1], 0.2) << "hill " << hill;
            EXPECT_GT(onSnow.lo[1], game().jump.groundY + 0.15) << "hill " << hill;
        }
    }
}

TEST_F(Placement, OnTheInrunOnlyTheFigureAndAtTheGateTheWaitingFigure) {
    const float lift[3] = {0.4f, 0.4f, 0.45f};
    for (int hill = 1; hill <= 3; ++hill) {
        game().settings.hillNumber = hill;
        applyHillStartValues(game().jump, game().settings.hillNumber);
        resetJump(game().jump, liveCourse(game()));
        game().jump.atGate = 0;
        game().jump.runSpeed = 2;
        stepJumper(game().jump, liveCourse(game()));
        const auto placed =
            captureFeedback([] { drawJumperInPlace(game().jump, game().settings); });
        const HillStart* start = hillStart(hill);
        ASSERT_LT(game().jump.jumperZ, start->profileZ[4]) << "still on the in-run";
        const auto figure = captureFeedback(drawFigureAlone);
        ASSERT_EQ(placed.size(), figure.size()) << "no shadow before the edge";
        const double at[3] = {game().jump.jumperX, game().jump.jumperY + lift[hill - 1],
                              game().jump.jumperZ};
        expectPlaced(boundsOf(placed, 0, placed.size()), boundsOf(figure, 0, figure.size()), at,
                     false, "in-run figure");

        resetJump(game().jump, liveCourse(game()));
        const auto gate = captureFeedback([] {
            glPushMatrix(); // as the frame calls it
            drawGateFigure(game().jump, game().settings);
            glPopMatrix();
        });
        const auto upright = captureFeedback([&] {
            glPushMatrix();
            if (hill == 3) glRotatef(-10, 1, 0, 0); // leaning into the steep in-run
            drawJumper(game().jump, game().settings);
            glPopMatrix();
        });
        ASSERT_EQ(gate.size(), upright.size());
        // The gate figure stands at the start position, raised a little above it.
        const double gateAt[3] = {1.1, start->startY + (hill == 3 ? 0.25 : 0.2), start->startZ};
        expectPlaced(boundsOf(gate, 0, gate.size()), boundsOf(upright, 0, upright.size()), gateAt,
                     false, "gate figure");
    }
}
