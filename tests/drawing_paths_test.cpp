// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Cheaper ways of drawing the same thing, each against the plain way, pixel for pixel: the
// figure lit one-sided, a line of text drawn at once, opaque surfaces unblended.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "game/frame.h"
#include "jump_play.h"
#include "render/gl.h"
#include "render/lighting_scope.h"
#include "render/text.h"
#include "render/textures.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

Picture backBuffer() {
    Picture pic;
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    pic.width = vp[2];
    pic.height = vp[3];
    pic.rgb = backBufferPixels();
    return pic;
}

int inked(const Picture& pic) {
    return pic.count(0, 0, pic.width, pic.height,
                     [](int r, int g, int b) { return r + g + b > 0; });
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
            startDetailedScene(dir, hill, lighting);
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
            walkAJump({{'1', '3', '6'}, 3, 15, {'1', '2', '5'}}, compare);
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

// printText hands a whole line to glCallLists, which Mesa draws from one texture of the
// font's glyphs; called list by list, each glyph is a glBitmap of its own.
TEST(TextLines, ALineAtOnceLooksAsLetterByLetter) {
    for (int lighting : {kLightingDay, kLightingNight}) {
        TempGameDir dir;
        startDetailedScene(dir, 2, lighting);
        const std::string text = "rekord: 270 m. 18pkt 03m/s {~}";
        for (GLuint font : {smallFont, largeFont, helpFont})
            for (bool sceneState : {true, false}) {
                const std::string what = "font " + std::to_string(font) +
                                         (sceneState ? " lit, textured and fogged" : " plain") +
                                         (lighting == kLightingNight ? " at night" : " by day");
                auto line = [&](bool atOnce) {
                    // As the on-screen texts are drawn: in the state the last scene left
                    // (lighting, fog, the texture last bound), or with all of it off.
                    drawScene(game());
                    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                    glPushAttrib(GL_ALL_ATTRIB_BITS);
                    if (!sceneState)
                        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_FOG, GL_DEPTH_TEST})
                            glDisable(cap);
                    glPushMatrix();
                    glLoadIdentity();
                    gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
                    glColor3f(255, 0, 0);
                    glRasterPos2f(-10.3f, 6.1f);
                    if (atOnce) {
                        printText(font, text.c_str());
                    } else {
                        for (unsigned char c : text)
                            glCallList(font + c);
                    }
                    glPopMatrix();
                    glPopAttrib();
                    return backBuffer();
                };
                const Picture atOnce = line(true);
                const Picture byLetter = line(false);
                EXPECT_GT(inked(atOnce), 200) << what << ": the line shows";
                const int differing = differingPixels(atOnce, byLetter);
                EXPECT_EQ(differing, 0) << what;
                if (differing != 0) {
                    savePng(atOnce, "line_at_once");
                    savePng(byLetter, "line_by_letter");
                }
                EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << what;
            }
    }
}

// A lit, fogged quad of each of the hill's pictures in a colour of alpha 1, blended and in
// the unblended scope: the same pixels. A picture with cut-outs keeps its blending.
TEST(UnblendedSurfaces, AnOpaquePictureLooksTheSameUnblended) {
    TempGameDir dir;
    ASSERT_TRUE(dir.hasTextures());
    startDetailedScene(dir, 1, kLightingNight);
    auto quad = [](GLuint texture, bool scoped) {
        drawScene(game());
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glLoadIdentity();
        gluLookAt(0, 3, 10, 0, 0, -20, 0, 1, 0);
        glEnable(GL_BLEND);
        {
            std::optional<UnblendedIfOpaque> unblended;
            if (scoped) unblended.emplace(std::initializer_list<GLuint>{texture});
            glBindTexture(GL_TEXTURE_2D, texture);
            glColor3f(3, 3, 3);
            glBegin(GL_QUADS);
            glNormal3f(0, 1, 0);
            glTexCoord2f(0, 0);
            glVertex3f(-20, -2, 5);
            glTexCoord2f(6, 0);
            glVertex3f(20, -2, 5);
            glTexCoord2f(6, 9);
            glVertex3f(20, -2, -80);
            glTexCoord2f(0, 9);
            glVertex3f(-20, -2, -80);
            glEnd();
        }
        EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "blending back as it was";
        glPopMatrix();
        return backBuffer();
    };
    for (GLuint texture : {textures.rozbieg, textures.window, textures.window2, textures.spot1}) {
        ASSERT_TRUE(textureOpaque(texture)) << texture;
        const Picture blended = quad(texture, false);
        const Picture unblended = quad(texture, true);
        EXPECT_GT(inked(blended), 10000);
        EXPECT_EQ(differingPixels(blended, unblended), 0) << texture;
    }
    glEnable(GL_BLEND);
    {
        UnblendedIfOpaque unblended({textures.window, textures.swierk});
        EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "one picture has cut-outs";
    }
    {
        UnblendedIfOpaque unblended({});
        EXPECT_TRUE(glIsEnabled(GL_BLEND)) << "no picture named";
    }
    glDisable(GL_BLEND);
    {
        UnblendedIfOpaque unblended({textures.window});
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
    }
    EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "left off, as it was found";
}
