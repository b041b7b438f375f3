// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Stands, seating blocks, floodlight masts and their beams: the groups drawn per detail
// level, the shapes alone under a fixed camera, and the night picture through whole frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "venue/animation.h"
#include "camera/views.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/settings.h"
#include "group_feedback.h"
#include "render/textures.h"
#include "support/harness.h"
#include "game/game.h"
#include "venue/backdrop.h"
#include "venue/stands.h"

namespace {

void startScene(TempGameDir& dir, int hill, int detail, int seasonValue = 0, int lighting = 6,
                bool freeCamera = false) {
    dir.writeDefaults();
    if (freeCamera) dir.writeData("kopytko.cfg", "846");
    dir.configure(hill, detail, seasonValue, lighting);
    startGame();
    leaveStartScreen();
}

struct FrameDraws {
    unsigned long count[MARK_COUNT] = {};
    unsigned long operator[](GroupMark m) const { return count[m]; }
};

FrameDraws drawOneFrame() {
    FrameDraws before, after;
    std::copy(groupDrawCount, groupDrawCount + MARK_COUNT, before.count);
    pass();
    for (int m = 0; m < MARK_COUNT; ++m)
        after.count[m] = groupDrawCount[m] - before.count[m];
    return after;
}

// A 1 x 1 opaque texture of one colour, so a GL_REPLACE surface shows exactly that colour.
GLuint solidTexture(unsigned char r, unsigned char g, unsigned char b) {
    const unsigned char texel[4] = {r, g, b, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    return name;
}

Picture readBack() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    Picture pic;
    pic.width = vp[2];
    pic.height = vp[3];
    pic.rgb.resize(static_cast<size_t>(pic.width) * pic.height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pic.width, pic.height, GL_RGB, GL_UNSIGNED_BYTE, pic.rgb.data());
    return pic;
}

// Unlit, untextured-by-default drawing state for the single-object pictures.
void plainState() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void objectBounds(const IsolatedView& view, const std::vector<FedPrimitive>& polys, double lo[3],
                  double hi[3]) {
    for (int k = 0; k < 3; ++k)
        lo[k] = 1e9, hi[k] = -1e9;
    for (const auto& p : polys)
        for (int v = 0; v < p.vertexCount; ++v) {
            double o[3];
            view.toObject(&p.data[v * 3], o);
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], o[k]);
                hi[k] = std::max(hi[k], o[k]);
            }
        }
}

} // namespace

// ---- The groups each detail level draws, counted through whole frames.

class StandGroupsPerFrame : public ::testing::Test {
  protected:
    TempGameDir dir;
};

TEST_F(StandGroupsPerFrame, Detail1LeavesOutStandsBlocksAndMasts) {
    for (int hill = 1; hill <= 3; ++hill) {
        startScene(dir, hill, 1);
        FrameDraws d = drawOneFrame();
        EXPECT_EQ(d[MARK_STANDS], 0u) << "hill " << hill;
        EXPECT_EQ(d[MARK_SEATING_BLOCKS], 0u) << "hill " << hill;
        EXPECT_EQ(d[MARK_FLOODLIGHT_MAST], 0u) << "hill " << hill;
    }
}

TEST_F(StandGroupsPerFrame, Detail2AddsStandsAndBlocksButNoMasts) {
    for (int hill = 1; hill <= 3; ++hill) {
        startScene(dir, hill, 2);
        FrameDraws d = drawOneFrame();
        EXPECT_EQ(d[MARK_STANDS], 1u) << "hill " << hill;
        EXPECT_EQ(d[MARK_SEATING_BLOCKS], 1u) << "hill " << hill;
        EXPECT_EQ(d[MARK_FLOODLIGHT_MAST], 0u) << "hill " << hill;
    }
}

TEST_F(StandGroupsPerFrame, Detail3And4AddTwoMastsOnEveryHill) {
    for (int detail : {3, 4})
        for (int hill = 1; hill <= 3; ++hill) {
            startScene(dir, hill, detail);
            FrameDraws d = drawOneFrame();
            EXPECT_EQ(d[MARK_STANDS], 1u) << "hill " << hill << " detail " << detail;
            EXPECT_EQ(d[MARK_SEATING_BLOCKS], 1u) << "hill " << hill << " detail " << detail;
            EXPECT_EQ(d[MARK_FLOODLIGHT_MAST], 2u) << "hill " << hill << " detail " << detail;
        }
}

// Stands painted in a colour nothing else uses: they are in the picture from detail 2 on.
TEST_F(StandGroupsPerFrame, StandsAreAbsentFromTheDetail1Picture) {
    auto magentaPixels = [&](int detail) {
        startScene(dir, 1, detail, 0, 6, true);
        passChar('7');
        GLuint magenta = solidTexture(255, 0, 255);
        textures.audience = textures.audience2 = textures.audience3 = magenta;
        game().camera.freeCamX = 0, game().camera.freeCamZ = 60, game().camera.freeCamYaw = -90,
        game().camera.freeCamPitch = 0;
        pass();
        Picture pic = lastFrame();
        glDeleteTextures(1, &magenta);
        int n = pic.count(0, 0, pic.width, pic.height,
                          [](int r, int g, int b) { return r > 240 && g < 15 && b > 240; });
        if (detail == 2 && n == 0) savePng(pic, "stands_missing_detail2");
        return n;
    };
    EXPECT_EQ(magentaPixels(1), 0);
    EXPECT_GT(magentaPixels(2), 1000);
}

// ---- Shapes alone.

class StandShapes : public ::testing::Test {
  protected:
    void SetUp() override { ensureGameWindow(); }
    void TearDown() override {
        game().settings.hillNumber = 0;
        game().settings.lightingMode = 0;
    }
};

TEST_F(StandShapes, EveryStandIsTenRowsOfTwoSidedPictures) {
    const double eye[3] = {0, 300, 40}, center[3] = {0, 0, 40};
    struct Case {
        int hill;
        size_t stands;
    };
    for (Case c : {Case{1, 5}, Case{2, 5}, Case{3, 22}}) {
        game().settings.hillNumber = c.hill;
        IsolatedView view(eye, center, 120);
        glDisable(GL_CULL_FACE);
        FeedbackResult fed = captureFeedback([] { drawStands(game().settings); });
        EXPECT_EQ(fed[MARK_STANDS].calls, 1);
        EXPECT_EQ(triangleCount(fed[MARK_STANDS].polygons), c.stands * 10 * 2 * 2)
            << "hill " << c.hill;
    }
}

TEST_F(StandShapes, Hill2StandsAndBlocksAreHill1sTenUnitsDownTheOutrun) {
    const double eye[3] = {30, 80, 90}, center[3] = {0, -10, 35};
    for (void (*draw)() :
         {+[] { drawStands(game().settings); }, +[] { drawSeatingBlocks(game().settings); }}) {
        IsolatedView view(eye, center, 60);
        glDisable(GL_CULL_FACE);
        game().settings.hillNumber = 1;
        FeedbackResult moved = captureFeedback([&] {
            glPushMatrix();
            glTranslatef(0, 0, 10);
            draw();
            glPopMatrix();
        });
        game().settings.hillNumber = 2;
        FeedbackResult hill2 = captureFeedback(draw);
        ASSERT_FALSE(moved.overflowed);
        const auto& a = moved.groups.rbegin()->second.polygons;
        const auto& b = hill2.groups.rbegin()->second.polygons;
        ASSERT_GT(a.size(), 0u);
        ASSERT_EQ(a.size(), b.size());
        double worst = 0;
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(a[i].data.size(), b[i].data.size());
            for (size_t k = 0; k < a[i].data.size(); ++k)
                worst = std::max(worst, std::fabs(double(a[i].data[k]) - b[i].data[k]));
        }
        EXPECT_LT(worst, 0.01) << "window units";
    }
}

TEST_F(StandShapes, CrowdRowShowsOneUnmirroredSideFromEitherSide) {
    GLuint picture = solidTexture(200, 200, 200);
    for (double side : {1.0, -1.0}) {
        SCOPED_TRACE(side > 0 ? "from the front" : "from behind");
        const double eye[3] = {5, 0.25, side * 20}, center[3] = {5, 0.25, 0};
        IsolatedView view(eye, center, 8);
        plainState();
        glBindTexture(GL_TEXTURE_2D, picture);
        FeedbackResult fed = captureFeedback(crowdRow, GL_3D_COLOR_TEXTURE);
        const auto& polys = fed[MARK_GROUP_END].polygons;
        // Culling keeps exactly the one side facing the viewer.
        ASSERT_EQ(triangleCount(polys), 2u);
        // Whichever side is seen, the picture starts (s = 0) at the viewer's left.
        float leftX = 1e9f, leftS = -1;
        for (const auto& p : polys)
            for (int v = 0; v < p.vertexCount; ++v) {
                const float* vert = &p.data[v * 11];
                if (vert[0] < leftX) leftX = vert[0], leftS = vert[7];
            }
        EXPECT_FLOAT_EQ(leftS, 0);
        // Cut-out state switched off again.
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        EXPECT_EQ(mode, GL_MODULATE);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    }
    glDeleteTextures(1, &picture);
}

TEST_F(StandShapes, SeatingBlocksPerHillWithTheHill3Cubes) {
    // A block: 10 + 10 wall strips, the back wall, 10 risers and 10 treads.
    const size_t blockQuads = 10 + 10 + 1 + 10 + 10;
    const double eye[3] = {0, 300, 60}, center[3] = {0, 0, 60};
    struct Case {
        int hill;
        size_t blocks, cubes;
    };
    for (Case c : {Case{1, 5, 0}, Case{3, 22, 4}}) {
        game().settings.hillNumber = c.hill;
        IsolatedView view(eye, center, 120);
        glDisable(GL_CULL_FACE);
        FeedbackResult fed = captureFeedback([] { drawSeatingBlocks(game().settings); });
        EXPECT_EQ(triangleCount(fed[MARK_SEATING_BLOCKS].polygons),
                  (c.blocks * blockQuads + c.cubes * 6) * 2)
            << "hill " << c.hill;
    }
}

namespace {

// Translate, then turn about y (degrees).
struct Placed {
    double x, y, z, turn;
};

// The extent of the local box lo..hi once turned and moved as `p` says.
void placedBounds(const Placed& p, const double lo[3], const double hi[3], double outLo[3],
                  double outHi[3]) {
    const double a = p.turn * M_PI / 180, c = std::cos(a), s = std::sin(a);
    for (int k = 0; k < 3; ++k)
        outLo[k] = 1e9, outHi[k] = -1e9;
    for (int corner = 0; corner < 8; ++corner) {
        double x = corner & 1 ? hi[0] : lo[0], y = corner & 2 ? hi[1] : lo[1],
               z = corner & 4 ? hi[2] : lo[2];
        const double w[3] = {p.x + x * c + z * s, p.y + y, p.z - x * s + z * c};
        for (int k = 0; k < 3; ++k) {
            outLo[k] = std::min(outLo[k], w[k]);
            outHi[k] = std::max(outHi[k], w[k]);
        }
    }
}

// Splits fed-back polygons into consecutive pieces of `triangles` triangles each and checks
// the extent of piece i against the local box placed by places[i].
void expectPlacedPieces(const IsolatedView& view, const std::vector<FedPrimitive>& polys,
                        const std::vector<std::pair<Placed, size_t>>& places, const double lo[][3],
                        const double hi[][3], const std::vector<int>& kind) {
    size_t next = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        std::vector<FedPrimitive> piece;
        size_t triangles = 0;
        while (next < polys.size() && triangles < places[i].second) {
            triangles += polys[next].vertexCount - 2;
            piece.push_back(polys[next++]);
        }
        ASSERT_EQ(triangles, places[i].second) << "piece " << i;
        double got[2][3], want[2][3];
        objectBounds(view, piece, got[0], got[1]);
        placedBounds(places[i].first, lo[kind[i]], hi[kind[i]], want[0], want[1]);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(got[0][k], want[0][k], 2e-2) << "piece " << i << ", axis " << k;
            EXPECT_NEAR(got[1][k], want[1][k], 2e-2) << "piece " << i << ", axis " << k;
        }
    }
    EXPECT_EQ(next, polys.size());
}

} // namespace

TEST_F(StandShapes, StandsAndBlocksStandWhereTheirTablesPlaceThem) {
    // A stand's ten rows fill x 8.5 to 13, y 0 to 2.75, z 2 to 12 of its own frame; a block,
    // scaled by a half, x -5 to 5, y 0 to 2.5, z -5 to 0; a hill-3 cube is 3 on a side.
    const double lo[3][3] = {{8.5, 0, 2}, {-5, 0, -5}, {0, 0, -3}};
    const double hi[3][3] = {{13, 2.75, 12}, {5, 2.5, 0}, {3, 3, 0}};
    const size_t standTriangles = 10 * 2 * 2, blockTriangles = 41 * 2, cubeTriangles = 6 * 2;
    const std::vector<Placed> stands1 = {{-1.4, -10.3, 25, 0},
                                         {-1.4, -10.3, 14, 0},
                                         {3.4, -10.3, 39, 180},
                                         {3.4, -10.3, 28, 180},
                                         {10, -10.3, 29, -90}};
    const std::vector<Placed> stands3 = {
        {9.8, -7.7, 75, 0},     {4.8, -10.3, 75, 0},    {9.8, -7.7, 65, 0},
        {4.8, -10.3, 65, 0},    {9.8, -7.7, 55, 0},     {4.8, -10.3, 55, 0},
        {9.8, -7.7, 45, 0},     {4.8, -10.3, 45, 0},    {-8.6, -7.7, 89, 180},
        {-3.6, -10.3, 89, 180}, {-8.6, -7.7, 79, 180},  {-3.6, -10.3, 79, 180},
        {-8.6, -7.7, 69, 180},  {-3.6, -10.3, 69, 180}, {-8.6, -7.7, 59, 180},
        {-3.6, -10.3, 59, 180}, {13, -10.3, 80.6, -90}, {13, -7.7, 85.6, -90},
        {13, -5, 90.6, -90},    {3, -10.3, 80.6, -90},  {3, -7.7, 85.6, -90},
        {3, -5, 90.6, -90}};
    const std::vector<Placed> blocks1 = {{12, -10.6, 32, 90},
                                         {12, -10.6, 21, 90},
                                         {-10, -10.6, 32, -90},
                                         {-10, -10.6, 21, -90},
                                         {3, -10.6, 42.4, 0}};
    const std::vector<Placed> blocks3 = {
        {18, -10.6, 82, 90},  {23, -8, 82, 90},      {23, -8, 72, 90},      {18, -10.6, 72, 90},
        {23, -8, 62, 90},     {18, -10.6, 62, 90},   {23, -8, 52, 90},      {18, -10.6, 52, 90},
        {19, -10.6, 50.2, 0}, {19, -10.6, 86.2, 0},  {-21, -10.6, 50.2, 0}, {-21, -10.6, 86.2, 0},
        {-22, -8, 82, -90},   {-17, -10.6, 82, -90}, {-22, -8, 72, -90},    {-17, -10.6, 72, -90},
        {-22, -8, 62, -90},   {-17, -10.6, 62, -90}, {-22, -8, 52, -90},    {-17, -10.6, 52, -90},
        {6, -5.55, 104, 0},   {6, -8.1, 99, 0},      {6, -10.6, 94, 0},     {-4, -5.55, 104, 0},
        {-4, -8.1, 99, 0},    {-4, -10.6, 94, 0}};

    const double eye[3] = {0, 300, 60}, center[3] = {0, 0, 60};
    for (int hill : {1, 3}) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        game().settings.hillNumber = hill;
        IsolatedView view(eye, center, 120);
        glDisable(GL_CULL_FACE);

        std::vector<std::pair<Placed, size_t>> places;
        std::vector<int> kind;
        for (const Placed& p : hill == 1 ? stands1 : stands3) {
            places.push_back({p, standTriangles});
            kind.push_back(0);
        }
        FeedbackResult fed = captureFeedback([] { drawStands(game().settings); });
        ASSERT_FALSE(fed.overflowed);
        expectPlacedPieces(view, fed[MARK_STANDS].polygons, places, lo, hi, kind);

        places.clear();
        kind.clear();
        const auto& blocks = hill == 1 ? blocks1 : blocks3;
        for (size_t i = 0; i < blocks.size(); ++i) {
            const bool cube = hill == 3 && i >= 8 && i < 12;
            places.push_back({blocks[i], cube ? cubeTriangles : blockTriangles});
            kind.push_back(cube ? 2 : 1);
        }
        fed = captureFeedback([] { drawSeatingBlocks(game().settings); });
        ASSERT_FALSE(fed.overflowed);
        expectPlacedPieces(view, fed[MARK_SEATING_BLOCKS].polygons, places, lo, hi, kind);
    }
}

TEST_F(StandShapes, SeatingBlockFacesPointOutwards) {
    // Unlit: risers grey 0.6, treads white, walls in the colour current before the block.
    auto look = [](const double eye[3], const double center[3]) {
        IsolatedView view(eye, center, 14);
        plainState();
        glDisable(GL_TEXTURE_2D);
        glColor3f(0, 0, 1);
        seatingBlock();
        Picture pic = readBack();
        glEnable(GL_TEXTURE_2D);
        return pic;
    };
    auto grey = [](int r, int g, int b) { return r == g && g == b && r > 140 && r < 165; };
    auto white = [](int r, int g, int b) { return r > 250 && g > 250 && b > 250; };
    auto blue = [](int r, int g, int b) { return b > 250 && r < 5 && g < 5; };

    const double front[3] = {0, 12, -30}, frontAt[3] = {0, 2.5, -5};
    Picture pic = look(front, frontAt);
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, grey), 1000) << "risers";
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, white), 1000) << "treads";
    EXPECT_EQ(pic.count(0, 0, pic.width, pic.height, blue), 0) << "no wall from the front";

    const double back[3] = {0, 2.5, 30}, backAt[3] = {0, 2.5, 0};
    pic = look(back, backAt);
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, blue), 10000) << "back wall";
    EXPECT_EQ(pic.count(0, 0, pic.width, pic.height, grey), 0) << "no riser through the wall";

    for (double side : {-1.0, 1.0}) {
        const double eye[3] = {side * 30, 2.5, -5}, at[3] = {0, 2.5, -5};
        pic = look(eye, at);
        EXPECT_GT(pic.count(0, 0, pic.width, pic.height, blue), 1000) << "side wall " << side;
    }
}

TEST_F(StandShapes, MastIsALatticeWithArmsPlateAndLamp) {
    const double eye[3] = {-30, 10, 20}, center[3] = {0, 8, 0};
    // Posts, four faces of 24 rungs, two arms and the lamp panel are boxes; the plate one quad.
    const size_t boxes = 4 + 4 * 24 + 2 + 1;
    for (int mode : {6, 8}) {
        game().settings.lightingMode = mode;
        IsolatedView view(eye, center, 20);
        glDisable(GL_CULL_FACE);
        FeedbackResult fed = captureFeedback([] { floodlightMast(game().settings); });
        const size_t beamQuads = mode == 8 ? 4 : 0;
        EXPECT_EQ(triangleCount(fed[MARK_FLOODLIGHT_MAST].polygons),
                  (boxes * 6 + 1 + beamQuads) * 2)
            << "lighting " << mode;
        double lo[3], hi[3];
        objectBounds(view, fed[MARK_FLOODLIGHT_MAST].polygons, lo, hi);
        if (mode == 6) {
            // Lattice from the ground to 12, lamp panel 4 high above it, tilted by 20 degrees.
            EXPECT_NEAR(lo[1], 0, 1e-3);
            EXPECT_NEAR(
                hi[1], 12 + 4 * std::cos(20 * M_PI / 180) + 0.11 * std::sin(20 * M_PI / 180), 2e-3);
        }
        GLint env = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
        EXPECT_EQ(env, GL_MODULATE);
    }
}

TEST_F(StandShapes, LampPanelShowsHalogenByDaySheetByNight) {
    const GLuint savedHalogen = textures.halogen, savedSheet = textures.sheet;
    textures.halogen = solidTexture(255, 0, 0);
    textures.sheet = solidTexture(0, 255, 0);
    // In front of the panel, which faces -x; the beam at night points towards the viewer.
    const double eye[3] = {-12, 14, 0}, center[3] = {-1, 14, 0};
    auto panelPixel = [&](int mode, int* r, int* g, int* b) {
        game().settings.lightingMode = mode;
        IsolatedView view(eye, center, 3);
        plainState();
        glEnable(GL_TEXTURE_2D); // not yet on when no scene was set up before this test
        floodlightMast(game().settings);
        Picture pic = readBack();
        pic.at(pic.width / 2, pic.height / 2, r, g, b);
    };
    int r, g, b;
    panelPixel(6, &r, &g, &b);
    EXPECT_TRUE(r > 240 && g < 15 && b < 15) << r << "," << g << "," << b;
    panelPixel(7, &r, &g, &b); // neither day nor night: the day picture
    EXPECT_TRUE(r > 240 && g < 15 && b < 15) << r << "," << g << "," << b;
    panelPixel(8, &r, &g, &b);
    EXPECT_TRUE(g > 240 && r < 15 && b < 15) << r << "," << g << "," << b;
    glDeleteTextures(1, &textures.halogen);
    glDeleteTextures(1, &textures.sheet);
    textures.halogen = savedHalogen;
    textures.sheet = savedSheet;
}

TEST_F(StandShapes, LightBeamFadesFromBeamOpacityToNothing) {
    const double eye[3] = {2, 30, 60}, center[3] = {2, -2, 9};
    IsolatedView view(eye, center, 30);
    plainState();
    glDisable(GL_CULL_FACE);
    for (float opacity : {0.9f, 0.8f}) {
        showBeamOpacity(opacity);
        FeedbackResult fed = captureFeedback(lightBeam, GL_3D_COLOR);
        const auto& polys = fed[MARK_GROUP_END].polygons;
        EXPECT_EQ(triangleCount(polys), 4u * 2u);
        int nearCount = 0, farCount = 0;
        for (const auto& p : polys)
            for (int v = 0; v < p.vertexCount; ++v) {
                const float* vert = &p.data[v * 7];
                double o[3];
                view.toObject(vert, o);
                // Near corners at z 0, far ones at z 14 or 18; colour 255 clamps to white.
                EXPECT_FLOAT_EQ(vert[3], 1);
                if (std::fabs(o[2]) < 1e-3) {
                    ++nearCount;
                    EXPECT_NEAR(vert[6], opacity, 1e-3);
                    EXPECT_NEAR(o[1], o[1] > 2 ? 4 : 0, 1e-3) << "near rectangle y 0..4";
                } else {
                    ++farCount;
                    EXPECT_NEAR(vert[6], 0, 1e-3);
                }
            }
        EXPECT_GT(nearCount, 0);
        EXPECT_GT(farCount, 0);
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
    }
    showBeamOpacity(0.9f);
}

// ---- State and pictures through whole frames.

TEST(BeamOpacity, StaysAt09UntilTheFirstMastIsDrawn) {
    TempGameDir dir;
    // A run that has drawn no mast yet.
    startScene(dir, 1, 2, 0, 8);
    frames(3);
    EXPECT_FLOAT_EQ(game().venue.beamOpacity, 0.9f) << "no masts at detail 2";
    startScene(dir, 1, 3, 0, 8);
    EXPECT_FLOAT_EQ(game().venue.beamOpacity, 0.9f) << "start screen only";
    frames(1);
    EXPECT_FLOAT_EQ(game().venue.beamOpacity, 0.8f);
    // It stays there, even back at a detail level without masts.
    passKey(VK_ESCAPE);
    dir.writeData("det.dat", "2");
    passKey(VK_UP);
    leaveStartScreen();
    frames(2);
    ASSERT_EQ(game().settings.detailLevel, 2);
    EXPECT_FLOAT_EQ(game().venue.beamOpacity, 0.8f);
}

namespace {

// One night or day frame of hill 2 from the free camera just behind the masts, looking up
// the outrun; the forests, the airship and the lamps' beams held still so two runs differ
// only in detail.
Picture outrunFrame(TempGameDir& dir, int detail, int lighting) {
    startScene(dir, 2, detail, 0, lighting, true);
    passChar('7');
    for (int i = 0; i < kForestJitterCount; ++i)
        forestJitter[i] = static_cast<float>((i * 7) % 20 - 10);
    game().venue.airshipTravel = 0;
    game().venue.beamOpacity = 0.8f;
    game().camera.freeCamX = 0, game().camera.freeCamZ = 60, game().camera.freeCamYaw = -90,
    game().camera.freeCamPitch = 20;
    pass();
    return lastFrame();
}

} // namespace

// Pixels of `brighter` that are clearly lighter than the same pixel of `base` in every channel.
std::vector<bool> brightenedMask(const Picture& brighter, const Picture& base) {
    std::vector<bool> mask(static_cast<size_t>(base.width) * base.height, false);
    for (int y = 0; y < base.height; ++y)
        for (int x = 0; x < base.width; ++x) {
            int r0, g0, b0, r1, g1, b1;
            base.at(x, y, &r0, &g0, &b0);
            brighter.at(x, y, &r1, &g1, &b1);
            mask[static_cast<size_t>(y) * base.width + x] =
                r1 > r0 + 30 && g1 > g0 + 30 && b1 > b0 + 30;
        }
    return mask;
}

TEST(FloodlightPicture, NightBeamsBrightenTheSkyAboveTheMastsAndDaySkyStaysPlain) {
    TempGameDir dir;
    Picture nightMasts = outrunFrame(dir, 3, 8);
    Picture nightPlain = outrunFrame(dir, 2, 8);
    ASSERT_EQ(nightMasts.rgb.size(), nightPlain.rgb.size());
    const int w = nightPlain.width, h = nightPlain.height;
    std::vector<bool> lit = brightenedMask(nightMasts, nightPlain);

    // The night sky is the clear colour (0, 0, 0.2).
    auto isSky = [](int r, int g, int b) { return r < 8 && g < 8 && std::abs(b - 51) < 8; };
    int skyPixels = 0, litSky = 0, litSkyLeft = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int r, g, b;
            nightPlain.at(x, y, &r, &g, &b);
            if (!isSky(r, g, b)) continue;
            ++skyPixels;
            if (lit[static_cast<size_t>(y) * w + x]) {
                ++litSky;
                if (x < w / 2) ++litSkyLeft;
            }
        }
    ASSERT_GT(skyPixels, w * h / 4) << "the view shows the sky";
    // The beams cover a good part of the sky the view shows, from both masts.
    EXPECT_GT(litSky, skyPixels / 50);
    EXPECT_GT(litSkyLeft, litSky / 4);
    EXPECT_GT(litSky - litSkyLeft, litSky / 4);

    // By day the masts stand there without beams: where the night beams shone, the
    // picture is the one without masts, but for the lamp heads themselves.
    Picture dayMasts = outrunFrame(dir, 3, 6);
    Picture dayPlain = outrunFrame(dir, 2, 6);
    int changed = 0, litCount = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!lit[static_cast<size_t>(y) * w + x]) continue;
            ++litCount;
            int r0, g0, b0, r1, g1, b1;
            dayPlain.at(x, y, &r0, &g0, &b0);
            dayMasts.at(x, y, &r1, &g1, &b1);
            if (std::abs(r1 - r0) + std::abs(g1 - g0) + std::abs(b1 - b0) > 30) ++changed;
        }
    EXPECT_LT(changed, litCount / 50);
    if (HasFailure()) {
        savePng(nightMasts, "beams_night_detail3");
        savePng(nightPlain, "beams_night_detail2");
        savePng(dayMasts, "beams_day_detail3");
        savePng(dayPlain, "beams_day_detail2");
    }
}
