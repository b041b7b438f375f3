// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Mountains, forests and the airship: the airship's drift over whole frames, where the
// forest trees stand, and in which frames the backdrop groups are drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "venue/animation.h"
#include "game/app.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/settings.h"
#include "render/gl.h"
#include "venue_probes.h"
#include "support/harness.h"
#include "game/game.h"
#include "venue/backdrop.h"
#include "venue/town.h"

namespace {

void startScene(TempGameDir& dir, int hill, int detail, int seasonValue = 0, int lighting = 6) {
    dir.writeDefaults();
    dir.configure(hill, detail, seasonValue, lighting);
    startGame();
    leaveStartScreen();
    frames(1); // every sphere list compiled, before any feedback capture
}

// Tree anchors: the corner (0, 0, 0) of every spruce's first billboard, which lies in
// its plane z = 0 from x 0 to 3.5 (the driver may split each billboard into triangles).
constexpr int kTrees = 100;
constexpr int kBillboardsPerSpruce = 4;

std::vector<Vertex3> spruceAnchors() {
    std::vector<Polygon3> polys = modelPolygons(drawForests);
    std::vector<Vertex3> anchors;
    if (polys.size() % (kTrees * kBillboardsPerSpruce) != 0) return anchors;
    size_t perTree = polys.size() / kTrees;
    for (size_t tree = 0; tree < kTrees; ++tree) {
        Vertex3 a = {1e9f, 1e9f, 0};
        for (size_t k = 0; k < perTree / kBillboardsPerSpruce; ++k)
            for (const Vertex3& v : polys[tree * perTree + k]) {
                a[0] = std::min(a[0], v[0]);
                a[1] = std::min(a[1], v[1]);
                a[2] = v[2];
            }
        anchors.push_back(a);
    }
    return anchors;
}

const float kForestOrigins[2][3] = {{30, -10.5f, -125}, {-110, -10.5f, -125}};

} // namespace

TEST(Airship, DriftsAFifthOfAUnitEverySceneFrameAndIsNeverBroughtBack) {
    TempGameDir dir;
    startScene(dir, 1, 1);
    float expected = game().venue.airshipTravel;
    frames(40);
    for (int i = 0; i < 40; ++i)
        expected += 0.2f;
    EXPECT_FLOAT_EQ(game().venue.airshipTravel, expected);

    // Esc resets the jump and shows the start screen: neither moves the airship back,
    // and start-screen frames do not move it on.
    passKey(VK_ESCAPE);
    EXPECT_FLOAT_EQ(game().venue.airshipTravel, expected + 0.2f)
        << "the Esc pass draws one scene frame";
    expected += 0.2f;
    frames(5);
    EXPECT_FLOAT_EQ(game().venue.airshipTravel, expected);

    // Leaving the start screen again runs the whole scene set-up.
    passKey(VK_UP);
    leaveStartScreen();
    EXPECT_FLOAT_EQ(game().venue.airshipTravel, expected);
    frames(10);
    for (int i = 0; i < 10; ++i)
        expected += 0.2f;
    EXPECT_FLOAT_EQ(game().venue.airshipTravel, expected);
}

TEST(Airship, IsDrawnFurtherAlongZByItsTravel) {
    TempGameDir dir;
    startScene(dir, 1, 1);
    FeedbackSafeSpheres spheres;
    ASSERT_TRUE(spheres.coversCache());
    auto tailEnd = [] {
        float minZ = 1e9f;
        for (const Polygon3& p : modelPolygons([] { drawAirship(game().venue); }))
            for (const Vertex3& v : p)
                minZ = std::min(minZ, v[2]);
        return minZ;
    };
    float before = game().venue.airshipTravel;
    float z1 = tailEnd();
    EXPECT_EQ(tailEnd(), z1) << "drawing leaves the airship where it is";
    advanceAirship(game().venue);
    float z2 = tailEnd();
    // Fin and tailplane, 10 deep from z -165, are the rearmost parts; each step moves on.
    EXPECT_NEAR(z1, -165 - 10 + before, 0.05);
    EXPECT_NEAR(z2 - z1, 0.2, 0.01);
}

TEST(Forests, EveryTreeStandsWithinItsJitterOfItsGridPoint) {
    TempGameDir dir;
    startScene(dir, 1, 2);
    std::vector<Vertex3> anchors = spruceAnchors();
    ASSERT_EQ(anchors.size(), 100u) << "two forests of 5 x 10 spruces, four billboards each";
    for (int f = 0; f < 2; ++f)
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 10; ++j) {
                const Vertex3& a = anchors[f * 50 + i * 10 + j];
                float jx = a[0] - (kForestOrigins[f][0] + 20 * i);
                float jz = a[2] - (kForestOrigins[f][2] + 20 * j);
                SCOPED_TRACE("forest " + std::to_string(f) + " tree " + std::to_string(i) + "," +
                             std::to_string(j));
                EXPECT_NEAR(a[1], kForestOrigins[f][1], 0.01);
                EXPECT_NEAR(jx, jz, 0.01) << "one offset moves a tree in x and z alike";
                EXPECT_GE(jx, -10 - 0.01);
                EXPECT_LT(jx, 10 + 0.01);
            }
}

TEST(Forests, TreesPastTheClassicTableUseTheirOwnEntries) {
    TempGameDir dir;
    startScene(dir, 1, 2);
    // Recognisable offsets for the first 30 entries, and values far out of range after
    // them: no tree may take one of those.
    for (int k = 0; k < kForestJitterCount; ++k)
        forestJitter[k] = k < 30 ? -9.5f + 0.6f * k : 1000.0f;
    std::vector<Vertex3> anchors = spruceAnchors();
    ASSERT_EQ(anchors.size(), 100u);
    for (int f = 0; f < 2; ++f)
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 10; ++j) {
                const Vertex3& a = anchors[f * 50 + i * 10 + j];
                float expected = forestJitter[i * 5 + j];
                EXPECT_NEAR(a[0], kForestOrigins[f][0] + 20 * i + expected, 0.01)
                    << "tree " << i << "," << j;
                EXPECT_NEAR(a[2], kForestOrigins[f][2] + 20 * j + expected, 0.01)
                    << "tree " << i << "," << j;
            }
    // Trees (i, j) and (i + 1, j - 5) share their offset.
    EXPECT_NEAR(anchors[1 * 10 + 2][0] - 20, anchors[0 * 10 + 7][0], 0.01);
}

TEST(Mountains, TheMiddleOneStandsNearerOnHillThree) {
    // The middle mountain is the only one near x 0; the foot of its cone (radius 90)
    // reaches z -160 + 90 on hills 1 and 2 and z -120 + 90 on hill 3.
    auto middleFootFrontZ = [] {
        FeedbackSafeSpheres spheres;
        EXPECT_TRUE(spheres.coversCache());
        float maxZ = -1e9f;
        for (const Polygon3& p : modelPolygons([] { drawMountains(game().settings); }))
            for (const Vertex3& v : p)
                if (std::fabs(v[0]) < 91 && v[1] < -10.5f) maxZ = std::max(maxZ, v[2]);
        return maxZ;
    };
    for (int hill = 1; hill <= 3; ++hill) {
        TempGameDir dir;
        startScene(dir, hill, 1);
        EXPECT_NEAR(middleFootFrontZ(), (hill == 3 ? -120 : -160) + 90, 0.1) << "hill " << hill;
    }
}

TEST(FrameGroups, MountainsAndAirshipInEveryFrameForestsFromDetailTwo) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int detail = 1; detail <= 4; ++detail) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " detail " + std::to_string(detail));
            TempGameDir dir;
            // The free camera looks up the whole venue, so every group is in view.
            dir.writeData("kopytko.cfg", "846");
            startScene(dir, hill, detail);
            passChar('7');
            frames(1);

            GroupInFrame mountains = groupInFrame([] { drawMountains(game().settings); });
            EXPECT_GT(mountains.polygons, 0u);
            EXPECT_EQ(mountains.timesInFrame, 1);
            GroupInFrame airship = groupInFrame([] { drawAirship(game().venue); });
            EXPECT_GT(airship.polygons, 0u);
            EXPECT_EQ(airship.timesInFrame, 1);

            GroupInFrame forests = groupInFrame(drawForests);
            EXPECT_GT(forests.polygons, 0u);
            EXPECT_EQ(forests.timesInFrame, detail == 1 ? 0 : 1);
        }
}

TEST(Forests, SeenFromDetailTwoAndAbsentAtDetailOne) {
    // The spruce picture is painted a green no other texture has; every other texture
    // gets its own bluish colour. The camera is view 1 beside the take-off of hill 1,
    // looking back up the in-run, where the forests stand behind the tower.
    auto sprucePixels = [](int detail) {
        TempGameDir dir;
        startScene(dir, 1, detail);
        SolidColourTextures colours;
        SolidColourTextures::paint(textures.swierk, 20, 230, 20);
        frames(1);
        Picture pic = lastFrame();
        savePng(pic, "forests_detail" + std::to_string(detail));
        return pic.count(0, 0, pic.width, pic.height,
                         [](int r, int g, int b) { return g > 200 && r < 70 && b < 70; });
    };
    EXPECT_EQ(sprucePixels(1), 0);
    EXPECT_GT(sprucePixels(2), 500);
}

TEST(Mountains, ConeWithAFlattenedCapInTheSeasonsPicture) {
    for (int seasonValue : {0, 1}) {
        SCOPED_TRACE(seasonValue ? "summer" : "winter");
        TempGameDir dir;
        startScene(dir, 1, 1, seasonValue);
        SolidColourTextures colours;
        const int own =
            SolidColourTextures::indexOf(seasonValue ? textures.trawa : textures.window);

        // One mountain seen from the side, unlit, through an orthographic box 200 units wide
        // whose bottom row lies at y -60 of the mountain's frame.
        int w, h;
        platformClientSize(&w, &h);
        const float unitsPerPixel = 200.0f / w, bottom = -60;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-100, 100, bottom, bottom + h * unitsPerPixel, -500, 500);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_FOG);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        mountain(game().settings);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
        std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        resizeViewport(w, h);

        // Half-width of the mountain at a height, and the highest row it covers.
        auto halfWidth = [&](float y) {
            int row = static_cast<int>((y - bottom) / unitsPerPixel), n = 0;
            for (int x = 0; x < w; ++x)
                if (rgb[(static_cast<size_t>(row) * w + x) * 3] != 0) ++n;
            return n * unitsPerPixel / 2;
        };
        int top = -1, foreign = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int red = rgb[(static_cast<size_t>(y) * w + x) * 3];
                if (red == 0) continue;
                top = y;
                if (SolidColourTextures::handleOfRed(red) != own) ++foreign;
            }
        EXPECT_EQ(foreign, 0) << "cone and cap show the season's picture only";
        // The cone narrows from radius 90 at its foot to 20 at height 40; the cap, a sphere of
        // radius 20 at height 26 widened 1.4 times, meets that rim and rises to 46.
        EXPECT_NEAR(bottom + (top + 1) * unitsPerPixel, 46, 0.6);
        EXPECT_NEAR(halfWidth(1), 90 - 70 * 1 / 40.0f, 0.6);
        EXPECT_NEAR(halfWidth(20), 90 - 70 * 20 / 40.0f, 0.6);
        EXPECT_NEAR(halfWidth(39), 90 - 70 * 39 / 40.0f, 0.6);
        // The sphere's 16 slices and stacks cut its outline in by up to a unit here.
        EXPECT_NEAR(halfWidth(43), 1.4f * std::sqrt(20 * 20 - 17 * 17), 1.5);
        EXPECT_NEAR(halfWidth(-1), 0, 0.01) << "nothing below the foot";
    }
}
