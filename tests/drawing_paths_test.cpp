// Cheaper ways of drawing the same thing, each against the plain way, pixel for pixel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings.h"
#include "game/frame.h"
#include "jump_play.h"
#include "render/gl.h"
#include "render/lighting_scope.h"
#include "support/harness.h"

namespace {

void startScene(TempGameDir& dir, int hill, int lighting) {
    dir.writeDefaults();
    dir.configure(hill, 4, 0, lighting);
    startGame();
    leaveStartScreen();
    frames(1);
}

// The game's present state drawn again, without a step.
Picture frameNow() {
    drawFrame();
    return lastFrame();
}

GLint twoSided() {
    GLint twoSide = -1;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    return twoSide;
}

} // namespace

// At the gate, on the in-run, in the air and after the landing, from every view.
TEST(OneSidedFigure, FramesComeOutAsLitTwoSided) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int lighting : {kLightingDay, kLightingNight}) {
            TempGameDir dir;
            startScene(dir, hill, lighting);
            int compared = 0;
            auto compare = [&](const std::string& where) {
                const std::string what = "hill " + std::to_string(hill) +
                                         (lighting == kLightingNight ? " night " : " day ") + where;
                oneSidedWhenCulled = false;
                frameNow();
                const Picture twoSide = frameNow();
                oneSidedWhenCulled = true;
                const Picture oneSide = frameNow();
                const int differing = differingPixels(twoSide, oneSide);
                EXPECT_EQ(differing, 0) << what;
                if (differing != 0) {
                    savePng(twoSide, "two_sided_" + std::to_string(compared));
                    savePng(oneSide, "one_sided_" + std::to_string(compared));
                }
                EXPECT_EQ(twoSided(), 1) << what << ": the set-up's model is back";
                ++compared;
            };
            for (char view : {'1', '3', '6'}) {
                passChar(view);
                frames(2);
                compare(std::string("at the gate, view ") + view);
            }
            passChar('1');
            ASSERT_TRUE(runAndTakeOff());
            for (int k = 0; k < 3 && !onGround(); ++k) {
                frames(15);
                for (char view : {'1', '2', '5'}) {
                    passChar(view);
                    compare("in flight " + std::to_string(k) + ", view " + view);
                }
                passChar('1');
            }
            waitForLanding();
            frames(20);
            compare("landed");
        }
    oneSidedWhenCulled = true;
}

TEST(OneSidedFigure, TwoSidedStaysWhereBackFacesShow) {
    ensureGameWindow();
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    {
        OneSidedWhileCulled scope;
        EXPECT_EQ(twoSided(), 1) << "front faces culled: the back ones are drawn";
    }
    glDisable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    {
        OneSidedWhileCulled scope;
        EXPECT_EQ(twoSided(), 1) << "nothing culled";
    }
    glEnable(GL_CULL_FACE);
    {
        OneSidedWhileCulled scope;
        EXPECT_EQ(twoSided(), 0);
    }
    EXPECT_EQ(twoSided(), 1);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    { OneSidedWhileCulled scope; }
    EXPECT_EQ(twoSided(), 0) << "a one-sided model is left one-sided";
}
