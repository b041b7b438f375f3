// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Objects left out of a frame because they lie wholly outside the view: the frame comes
// out pixel for pixel, and state for state, as if every one had been drawn.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/settings.h"
#include "game/frame.h"
#include "jump_play.h"
#include "render/gl.h"
#include "render/textures.h"
#include "render/view_volume.h"
#include "support/harness.h"
#include "game/game.h"
#include "venue/stands.h"
#include "venue/town.h"
#include "venue_probes.h"

namespace {

struct Kind {
    const char* name;
    void (*draw)();
    void (*leftovers)();
    const ViewBox* box;
};

const Kind kKinds[] = {
    {"house 1", [] { drawHouse1(game().settings); }, [] { house1Leftovers(game().settings); },
     &kHouse1Box},
    {"house 2", [] { drawHouse2(game().settings); }, [] { house2Leftovers(game().settings); },
     &kHouse2Box},
    {"house 3", [] { drawHouse3(game().settings); }, [] { house3Leftovers(game().settings); },
     &kHouse2Box},
    {"house 4", [] { drawHouse4(game().settings); }, [] { house4Leftovers(game().settings); },
     &kHouse4Box},
    {"house 5", [] { drawHouse5(game().settings); }, [] { house5Leftovers(game().settings); },
     &kHouse5Box},
    {"flats", [] { drawFlats(game().settings); }, [] { flatsLeftovers(game().settings); },
     &kFlatsBox},
    {"road", [] { drawRoad(game().settings); }, [] { roadLeftovers(game().settings); }, &kRoadBox},
    {"long road", [] { drawLongRoad(game().settings); }, [] { longRoadLeftovers(game().settings); },
     &kLongRoadBox},
    {"bus 1", [] { drawBus1(game().settings); }, [] { busLeftovers(game().settings); }, &kBusBox},
    {"bus 2", [] { drawBus2(game().settings); }, [] { busLeftovers(game().settings); }, &kBusBox},
    {"bus 3", [] { drawBus3(game().settings); }, [] { busLeftovers(game().settings); }, &kBusBox},
    {"street lamp", [] { streetLamp(game().settings); },
     [] { streetLampLeftovers(game().settings); }, &kStreetLampBox},
    {"crowd stand", crowdStand, crowdStandLeftovers, &kCrowdStandBox},
    {"seating block", scaledBlock, scaledBlockLeftovers, &kScaledBlockBox},
    {"big cube", bigCube, bigCubeLeftovers, &kBigCubeBox},
};

// What one drawing can leave for the next.
struct LeftState {
    GLint texture, envMode, blendSrc, blendDst, alphaFunc;
    GLfloat alphaRef, colour[4], normal[3], texCoord[4];
    GLboolean blend, alphaTest, edgeFlag;
};

LeftState leftState() {
    LeftState s;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &s.envMode);
    glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &s.alphaFunc);
    glGetFloatv(GL_ALPHA_TEST_REF, &s.alphaRef);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    glGetFloatv(GL_CURRENT_NORMAL, s.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texCoord);
    s.blend = glIsEnabled(GL_BLEND);
    s.alphaTest = glIsEnabled(GL_ALPHA_TEST);
    glGetBooleanv(GL_EDGE_FLAG, &s.edgeFlag);
    return s;
}

void expectSameState(const LeftState& a, const LeftState& b, const std::string& what) {
    EXPECT_EQ(a.texture, b.texture) << what << ": texture";
    EXPECT_EQ(a.envMode, b.envMode) << what << ": texture environment";
    EXPECT_EQ(a.blendSrc, b.blendSrc) << what << ": blend source";
    EXPECT_EQ(a.blendDst, b.blendDst) << what << ": blend destination";
    EXPECT_EQ(a.alphaFunc, b.alphaFunc) << what << ": alpha function";
    EXPECT_EQ(a.alphaRef, b.alphaRef) << what << ": alpha reference";
    EXPECT_EQ(a.blend, b.blend) << what << ": blending";
    EXPECT_EQ(a.alphaTest, b.alphaTest) << what << ": alpha test";
    EXPECT_EQ(a.edgeFlag, b.edgeFlag) << what << ": edge flag";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(a.colour[i], b.colour[i]) << what << ": colour [" << i << "]";
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(a.normal[i], b.normal[i]) << what << ": normal [" << i << "]";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(a.texCoord[i], b.texCoord[i]) << what << ": texture coordinate [" << i << "]";
}

// Unlike anything an object leaves.
void scramble() {
    glBindTexture(GL_TEXTURE_2D, textures.sheet);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBlendFunc(GL_ONE, GL_ZERO);
    glAlphaFunc(GL_LESS, 0.5f);
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
    glEdgeFlag(GL_FALSE);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glNormal3f(0.3f, 0.4f, 0.5f);
    glTexCoord4f(7, 8, 9, 2);
}

} // namespace

TEST(ViewCulling, AnObjectLeftOutLeavesWhatDrawingItLeaves) {
    for (int lighting : {kLightingDay, kLightingNight}) {
        TempGameDir dir;
        startDetailedScene(dir, 1, lighting);
        for (const Kind& kind : kKinds) {
            const std::string what =
                std::string(kind.name) + (lighting == kLightingNight ? " at night" : " by day");
            scramble();
            glPushMatrix();
            kind.draw();
            glPopMatrix();
            const LeftState drawnState = leftState();
            scramble();
            kind.leftovers();
            expectSameState(drawnState, leftState(), what);
        }
    }
}

TEST(ViewCulling, EveryCornerAnObjectDrawsLiesInItsBox) {
    TempGameDir dir;
    // By night lamps and buses carry their light beams.
    startDetailedScene(dir, 1, kLightingNight);
    for (const Kind& kind : kKinds) {
        const std::vector<Polygon3> polys = modelPolygons(kind.draw);
        EXPECT_FALSE(polys.empty()) << kind.name;
        for (const Polygon3& p : polys)
            for (const Vertex3& v : p)
                for (int axis = 0; axis < 3; ++axis) {
                    EXPECT_GE(v[axis], kind.box->lo[axis] - 1e-3f) << kind.name << " axis " << axis;
                    EXPECT_LE(v[axis], kind.box->hi[axis] + 1e-3f) << kind.name << " axis " << axis;
                }
    }
}

// From the fixed views and along a whole jump, on the hills with a town (1, 2) and with
// the big hill's stands (3), by day and by night.
TEST(ViewCulling, FramesComeOutAsWithEveryObjectDrawn) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int lighting : {kLightingDay, kLightingNight}) {
            TempGameDir dir;
            startDetailedScene(dir, hill, lighting);
            const unsigned long culledBefore = viewCulledCount;
            int compared = 0;
            auto compare = [&](const std::string& where) {
                viewCulling = false;
                frameNow();
                const Picture all = frameNow();
                const LeftState allLeft = leftState();
                viewCulling = true;
                const Picture culled = frameNow();
                const std::string what = "hill " + std::to_string(hill) +
                                         (lighting == kLightingNight ? " night " : " day ") + where;
                const int differing = differingPixels(all, culled);
                EXPECT_EQ(differing, 0) << what;
                if (differing != 0) {
                    savePng(all, "culling_all_" + std::to_string(compared));
                    savePng(culled, "culling_culled_" + std::to_string(compared));
                }
                expectSameState(allLeft, leftState(), what);
                ++compared;
            };
            walkAJump({{'1', '2', '3', '4', '5', '6', '7', '8'}, 4, 12, {}}, compare);
            EXPECT_GT(viewCulledCount, culledBefore) << "hill " << hill << ": something left out";
        }
    viewCulling = true;
}

TEST(IdleFog, TheFrameLeavesTheFogAsSetUp) {
    TempGameDir dir;
    startDetailedScene(dir, 1, kLightingNight);
    GLfloat density = -1;
    glGetFloatv(GL_FOG_DENSITY, &density);
    ASSERT_EQ(density, 0.0f);
    ASSERT_TRUE(glIsEnabled(GL_FOG));
    frames(2);
    EXPECT_TRUE(glIsEnabled(GL_FOG)) << "switched off only while the scene is drawn";
}

// Panels of pictures without cut-outs are drawn without blending: the pictures are known
// opaque, and an opaque picture under GL_REPLACE blends to itself.
TEST(OpaqueTextures, KnownOpaqueAndTheSamePixelsUnblended) {
    TempGameDir dir;
    ASSERT_TRUE(dir.hasTextures());
    startDetailedScene(dir, 1, kLightingDay);
    for (GLuint t : {textures.corner, textures.corner2, textures.windred, textures.window})
        EXPECT_TRUE(textureOpaque(t)) << t;
    for (GLuint t : {textures.swierk, textures.audience, textures.snow, textures.greenlight})
        EXPECT_FALSE(textureOpaque(t)) << t;

    // Each time from the state one scene leaves, and leaving it so: the on-screen texts take
    // the colour of the texture bound when they are drawn.
    drawScene(game());
    auto panelOverScene = [](bool blended) {
        drawScene(game());
        GLint texture = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        const GLboolean blend = glIsEnabled(GL_BLEND), alphaTest = glIsEnabled(GL_ALPHA_TEST);
        glPushMatrix();
        glLoadIdentity();
        gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        glBindTexture(GL_TEXTURE_2D, textures.corner2);
        if (blended) {
            glEnable(GL_BLEND);
            glEnable(GL_ALPHA_TEST);
        } else {
            glDisable(GL_BLEND);
            glDisable(GL_ALPHA_TEST);
        }
        glDisable(GL_DEPTH_TEST);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0);
        glVertex3f(-3, 2, 0);
        glTexCoord2f(1, 0);
        glVertex3f(3, 2, 0);
        glTexCoord2f(1, 1);
        glVertex3f(3, 7, -3);
        glTexCoord2f(0, 1);
        glVertex3f(-3, 7, -3);
        glEnd();
        glEnable(GL_DEPTH_TEST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
        if (blend)
            glEnable(GL_BLEND);
        else
            glDisable(GL_BLEND);
        if (alphaTest)
            glEnable(GL_ALPHA_TEST);
        else
            glDisable(GL_ALPHA_TEST);
        glPopMatrix();
        return backBufferPixels();
    };
    const std::vector<unsigned char> blended = panelOverScene(true);
    const std::vector<unsigned char> plain = panelOverScene(false);
    ASSERT_EQ(blended.size(), plain.size());
    int differing = 0;
    for (size_t i = 0; i < plain.size(); i += 3)
        if (std::memcmp(&blended[i], &plain[i], 3) != 0) {
            ++differing;
        }
    EXPECT_EQ(differing, 0);
}
