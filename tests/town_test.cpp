// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The town: bus motion, night pictures, street lamps, and in which frames the town and
// the landing-hill lamps are drawn; plus screenshots of the whole venue.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "venue/animation.h"
#include "core/settings.h"
#include "render/gl.h"
#include "render/textures.h"
#include "venue_probes.h"
#include "support/harness.h"
#include "game/game.h"
#include "game/app.h"
#include "venue/stands.h"
#include "venue/town.h"

namespace {

const float kStartPositions[11] = {0, 15, 48, 62, 86, 121, 136, 186, 210, 221, 235};

void startScene(TempGameDir& dir, int hill, int detail, int seasonValue = 0, int lighting = 6) {
    dir.writeDefaults();
    dir.configure(hill, detail, seasonValue, lighting);
    startGame();
    leaveStartScreen();
    frames(1); // every sphere list compiled, before any feedback capture
}

// One step of the bus route: on by an eighth, back to the start once past 246.
float busStep(float p) {
    p += 0.125f;
    return p > 246 ? 0 : p;
}

struct Extent {
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f, minZ = 1e9f, maxZ = -1e9f;
    void add(const Vertex3& v) {
        minX = std::min(minX, v[0]);
        maxX = std::max(maxX, v[0]);
        minY = std::min(minY, v[1]);
        maxY = std::max(maxY, v[1]);
        minZ = std::min(minZ, v[2]);
        maxZ = std::max(maxZ, v[2]);
    }
};

// The extent of each of the eleven buses of one drawBusRow call.
std::vector<Extent> busRowExtents() {
    std::vector<Polygon3> polys =
        modelPolygons([] { drawBusRow(game().venue, -1, game().settings); });
    std::vector<Extent> buses;
    if (polys.empty() || polys.size() % 11 != 0) return buses;
    size_t perBus = polys.size() / 11;
    for (size_t b = 0; b < 11; ++b) {
        Extent e;
        for (size_t k = 0; k < perBus; ++k)
            for (const Vertex3& v : polys[b * perBus + k])
                e.add(v);
        buses.push_back(e);
    }
    return buses;
}

enum Side { FRONT, BACK, RIGHT, LEFT, TOP };

// Draws one object alone with back faces culled, under the projection and model-view
// that `camera` sets; returns the texture handle index seen at the centre of the view.
int textureAtCentre(void (*draw)(), const std::function<void()>& camera) {
    int w, h;
    platformClientSize(&w, &h);
    glViewport(0, 0, w, h);
    camera();
    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    unsigned char rgb[3];
    glReadBuffer(GL_BACK);
    glReadPixels(w / 2, h / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    resizeViewport(w, h);
    return SolidColourTextures::handleOfRed(rgb[0]);
}

// The building turned so that the given face looks at an orthographic camera; (x, y, z)
// in the building's own frame must lie on that face.
int textureSeenAt(void (*building)(), Side side, float x, float y, float z) {
    return textureAtCentre(building, [&] {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-40, 40, -30, 30, -500, 500);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        static const float turn[5][4] = {
            {0, 0, 1, 0}, {180, 0, 1, 0}, {-90, 0, 1, 0}, {90, 0, 1, 0}, {90, 1, 0, 0}};
        glRotatef(turn[side][0], turn[side][1], turn[side][2], turn[side][3]);
        glTranslatef(-x, -y, -z);
    });
}

// A point of the town seen as the game's free camera sees it: the game's projection,
// an eye at the free camera's height, the scene at 0.8 of its size.
int townTextureSeenFrom(float eyeX, float eyeZ, float x, float y, float z) {
    return textureAtCentre([] { drawTown(game().venue, game().settings); },
                           [&] {
                               int w, h;
                               platformClientSize(&w, &h);
                               glMatrixMode(GL_PROJECTION);
                               glLoadIdentity();
                               gluPerspective(55.0, static_cast<double>(w) / h, 6.0, 60000.0);
                               glMatrixMode(GL_MODELVIEW);
                               glLoadIdentity();
                               gluLookAt(0.8 * eyeX, -5, 0.8 * eyeZ, 0.8 * x, 0.8 * y, 0.8 * z, 0,
                                         1, 0);
                               glScalef(0.8f, 0.8f, 0.8f);
                           });
}

int idx(const GLuint& handle) {
    return SolidColourTextures::indexOf(handle);
}

} // namespace

TEST(BusRow, EachStepMovesEveryBusAnEighthAndTheRowDrawsItThereAlongX) {
    TempGameDir dir;
    startScene(dir, 1, 1);
    game().settings.lightingMode = 6;
    std::memcpy(game().venue.busPositions, kStartPositions, sizeof game().venue.busPositions);
    driveBusRow(game().venue);
    std::vector<Extent> buses = busRowExtents();
    ASSERT_EQ(buses.size(), 11u);
    for (int i = 0; i < 11; ++i) {
        float p = kStartPositions[i] + 0.125f;
        EXPECT_FLOAT_EQ(game().venue.busPositions[i], p);
        // 8 long along +x from its position, 2 wide along +z, 2 high.
        EXPECT_NEAR(buses[i].minX, p, 0.01) << "bus " << i;
        EXPECT_NEAR(buses[i].maxX, p + 8, 0.01) << "bus " << i;
        EXPECT_NEAR(buses[i].minZ, 0, 0.01);
        EXPECT_NEAR(buses[i].maxZ, 2, 0.01);
        EXPECT_NEAR(buses[i].minY, 0, 0.01);
        EXPECT_NEAR(buses[i].maxY, 2, 0.01);
    }
}

TEST(BusRow, ABusExactlyAtTheEndIsDrawnThereAndRestartsOnTheNextStep) {
    TempGameDir dir;
    startScene(dir, 1, 1);
    game().settings.lightingMode = 6;
    std::memcpy(game().venue.busPositions, kStartPositions, sizeof game().venue.busPositions);
    game().venue.busPositions[3] = 246 - 0.125f;
    driveBusRow(game().venue);
    std::vector<Extent> first = busRowExtents();
    ASSERT_EQ(first.size(), 11u);
    EXPECT_EQ(game().venue.busPositions[3], 246.0f);
    EXPECT_NEAR(first[3].minX, 246, 0.01);

    driveBusRow(game().venue);
    std::vector<Extent> second = busRowExtents();
    ASSERT_EQ(second.size(), 11u);
    EXPECT_EQ(game().venue.busPositions[3], 0.0f);
    EXPECT_NEAR(second[3].minX, 0, 0.01);
}

TEST(BusRow, TheTownMovesTheBusesHalfAUnitPerFrameOnlyWhereItIsDrawn) {
    {
        TempGameDir dir;
        startScene(dir, 1, 4);
        // Two buses just short of the end, so the restart happens within the frames.
        std::memcpy(game().venue.busPositions, kStartPositions, sizeof game().venue.busPositions);
        game().venue.busPositions[0] = 245;
        game().venue.busPositions[10] = 246;
        float expected[11];
        std::memcpy(expected, game().venue.busPositions, sizeof expected);
        frames(6);
        for (int step = 0; step < 6 * 4; ++step)
            for (float& p : expected)
                p = busStep(p);
        for (int i = 0; i < 11; ++i)
            EXPECT_FLOAT_EQ(game().venue.busPositions[i], expected[i]) << "bus " << i;
        EXPECT_FLOAT_EQ(game().venue.busPositions[1], kStartPositions[1] + 6 * 0.5f);
    }
    // Below detail 4 and on hill 3 the town is not drawn and the buses stand still.
    for (auto [hill, detail] : {std::pair{1, 3}, std::pair{3, 4}}) {
        TempGameDir dir;
        startScene(dir, hill, detail);
        float before[11];
        std::memcpy(before, game().venue.busPositions, sizeof before);
        frames(5);
        EXPECT_EQ(std::memcmp(before, game().venue.busPositions, sizeof before), 0)
            << "hill " << hill << " detail " << detail;
    }
}

TEST(Buildings, NightPicturesOnlyByNightEveryOtherModeKeepsTheDayOnes) {
    TempGameDir dir;
    startScene(dir, 1, 4);
    SolidColourTextures colours;
    struct Face {
        const char* what;
        void (*building)();
        Side side;
        float x, y, z;
        const GLuint& day;
        const GLuint& night;
    };
    const TextureSet& t = textures;
    // Centre points of the faces in each building's own frame (box scaled to its size).
    const Face faces[] = {
        {"house 1 front", [] { drawHouse1(game().settings); }, FRONT, 4, 1, 0, t.budynek1przod,
         t.budynek1przod},
        {"house 1 right", [] { drawHouse1(game().settings); }, RIGHT, 8, 1, -1.5f, t.budynek1bok,
         t.budynek1bok},
        {"house 1 left", [] { drawHouse1(game().settings); }, LEFT, 0, 1, -1.5f, t.budynek1bok,
         t.budynek1bok},
        {"house 1 back", [] { drawHouse1(game().settings); }, BACK, 4, 1, -3, t.budynek1tyl,
         t.budynek1tyl},
        {"house 2 front", [] { drawHouse2(game().settings); }, FRONT, 3, 1, 0, t.budynek2przod,
         t.budynek2przodnoc},
        {"house 2 right", [] { drawHouse2(game().settings); }, RIGHT, 6, 1, -2, t.budynek2bok,
         t.budynek2boknoc},
        {"house 2 left", [] { drawHouse2(game().settings); }, LEFT, 0, 1, -2, t.budynek2bok,
         t.budynek2boknoc},
        {"house 2 back", [] { drawHouse2(game().settings); }, BACK, 3, 1, -4, t.budynek2tyl,
         t.budynek2tylnoc},
        {"house 3 front", [] { drawHouse3(game().settings); }, FRONT, 3, 1, 0, t.budynek3przod,
         t.budynek3przodnoc},
        {"house 3 right", [] { drawHouse3(game().settings); }, RIGHT, 6, 1, -2, t.budynek2bok,
         t.budynek2boknoc},
        {"house 3 back", [] { drawHouse3(game().settings); }, BACK, 3, 1, -4, t.budynek2tyl,
         t.budynek2tylnoc},
        {"house 4 front", [] { drawHouse4(game().settings); }, FRONT, 4, 1.1f, 0, t.budynek4przod,
         t.budynek4przodnoc},
        {"house 4 left", [] { drawHouse4(game().settings); }, LEFT, 0, 1.1f, -2, t.budynek4bok,
         t.budynek4bok},
        {"house 4 back", [] { drawHouse4(game().settings); }, BACK, 4, 1.1f, -4, t.budynek4tyl,
         t.budynek4tyl},
        {"house 5 front", [] { drawHouse5(game().settings); }, FRONT, 7.5f, 1.5f, 0,
         t.budynek5przod, t.budynek5przod},
        {"house 5 right", [] { drawHouse5(game().settings); }, RIGHT, 15, 1.5f, -5, t.budynek5bok,
         t.budynek5bok},
        {"house 5 gable", [] { drawHouse5(game().settings); }, LEFT, 0, 4.5f, -5, t.budynek5bokgora,
         t.budynek5bokgora},
        {"house 5 back", [] { drawHouse5(game().settings); }, BACK, 7.5f, 1.5f, -10, t.budynek5tyl,
         t.budynek5tyl},
        {"house 5 roof", [] { drawHouse5(game().settings); }, TOP, 7.5f, 6, -5, t.dach, t.dach},
        {"flats front", [] { drawFlats(game().settings); }, FRONT, 15, -5.8f, 120, t.przod16,
         t.przod16noc},
        {"flats side", [] { drawFlats(game().settings); }, RIGHT, 30, -5.8f, 116, t.bokblok16,
         t.bokblok16},
        {"flats back", [] { drawFlats(game().settings); }, BACK, 15, -5.8f, 112, t.bloktyl16,
         t.bloktyl16noc},
        {"porch front", [] { drawFlats(game().settings); }, FRONT, 17.3f, -9.15f, 123,
         t.klatkaprzod16, t.klatkaprzod16},
        // A flat roof has no coordinates of its own: it keeps the back's picture.
        {"house 2 roof", [] { drawHouse2(game().settings); }, TOP, 3, 2, -2, t.budynek2tyl,
         t.budynek2tylnoc},
        {"flats roof", [] { drawFlats(game().settings); }, TOP, 15, -0.8f, 116, t.bloktyl16,
         t.bloktyl16noc},
    };
    for (int mode : {6, 8, 7}) {
        game().settings.lightingMode = mode;
        for (const Face& f : faces)
            EXPECT_EQ(textureSeenAt(f.building, f.side, f.x, f.y, f.z),
                      idx(mode == 8 ? f.night : f.day))
                << f.what << ", lighting mode " << mode;
    }
}

TEST(Buses, LiveriesOnTheirFacesAndTwoHeadlightBeamsByNight) {
    TempGameDir dir;
    startScene(dir, 1, 4);
    {
        SolidColourTextures colours;
        const TextureSet& t = textures;
        game().settings.lightingMode = 6;
        // The rear at z 0, the front at z -8, the sides at x 0 and 2, the roof at y 2.
        EXPECT_EQ(textureSeenAt([] { drawBus1(game().settings); }, FRONT, 1, 1, 0), idx(t.bustyl));
        EXPECT_EQ(textureSeenAt([] { drawBus1(game().settings); }, BACK, 1, 1, -8),
                  idx(t.busprzod));
        EXPECT_EQ(textureSeenAt([] { drawBus1(game().settings); }, RIGHT, 2, 1, -4), idx(t.busbok));
        EXPECT_EQ(textureSeenAt([] { drawBus2(game().settings); }, LEFT, 0, 1, -4), idx(t.busbok2));
        EXPECT_EQ(textureSeenAt([] { drawBus2(game().settings); }, BACK, 1, 1, -8),
                  idx(t.busprzod2));
        EXPECT_EQ(textureSeenAt([] { drawBus3(game().settings); }, FRONT, 1, 1, 0), idx(t.bustyl3));
        EXPECT_EQ(textureSeenAt([] { drawBus3(game().settings); }, TOP, 1, 2, -4), idx(t.dach));
    }
    game().settings.lightingMode = 6;
    size_t day = modelPolygons([] { drawBus2(game().settings); }).size();
    game().settings.lightingMode = 8;
    size_t night = modelPolygons([] { drawBus2(game().settings); }).size();
    size_t beam = modelPolygons(lightBeam).size();
    ASSERT_GT(beam, 0u);
    EXPECT_EQ(night, day + 2 * beam);
    // The beams leave the front of the bus, at z -7.85, and reach forward.
    Extent e;
    for (const Polygon3& p : modelPolygons([] { drawBus2(game().settings); }))
        for (const Vertex3& v : p)
            e.add(v);
    EXPECT_LT(e.minZ, -8.5f);
}

TEST(Roads, WhereTwoRoadsCrossTheRoadAlongTheHillIsSeenWhole) {
    TempGameDir dir;
    startScene(dir, 1, 4);
    SolidColourTextures colours;
    // Asphalt in two halves across the road, each half in the colour of another handle, so
    // the half seen tells which road's picture is on top: a road along z has its s
    // across x, a road along x has its s across z.
    const int across[2] = {idx(textures.budynek1przod), idx(textures.dach)};
    unsigned char halves[2][4];
    for (int k = 0; k < 2; ++k) {
        halves[k][0] = static_cast<unsigned char>(5 + 3 * across[k]);
        halves[k][1] = 90;
        halves[k][2] = 160;
        halves[k][3] = 255;
    }
    glBindTexture(GL_TEXTURE_2D, textures.asfalt);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, halves);
    // The crossings of the town's roads (x range of the road along z, z range of the
    // road along x), probed at the quarter points of the crossing square, seen low from
    // the road along z, so no building stands in the way.
    const float crossings[][2] = {{0, 120}, {-35, 120}, {-65, 120}, {0, 85}, {35, 85}};
    for (const auto& c : crossings)
        for (float u : {1.25f, 3.75f})
            for (float v : {1.25f, 3.75f}) {
                int seen = townTextureSeenFrom(c[0] + 2.5f, c[1] - 14, c[0] + u, -10.7f, c[1] + v);
                EXPECT_EQ(seen, across[u < 2.5f ? 0 : 1])
                    << "crossing at x " << c[0] << ", z " << c[1] << ", +" << u << ", +" << v;
            }
}

namespace {

// Where each lamp's pole stands: the middle of its foot (x, z) and its lowest y. A lamp by
// day is four boxes, the pole first.
struct Foot {
    float x, z, y;
};

std::vector<Foot> poleFeet(const std::vector<Polygon3>& polys, size_t perLamp) {
    std::vector<Foot> feet;
    for (size_t k = 0; k + perLamp <= polys.size(); k += perLamp) {
        Extent e;
        for (size_t i = 0; i < perLamp / 4; ++i)
            for (const Vertex3& v : polys[k + i])
                e.add(v);
        feet.push_back({(e.minX + e.maxX) / 2, (e.minZ + e.maxZ) / 2, e.minY});
    }
    return feet;
}

} // namespace

TEST(StreetLamps, OneHundredFortyFourInTownStandingOnTheGround) {
    TempGameDir dir;
    startScene(dir, 1, 4);
    for (int mode : {6, 8}) {
        game().settings.lightingMode = mode;
        std::vector<Polygon3> lamp = modelPolygons([] { streetLamp(game().settings); });
        std::vector<Polygon3> town = modelPolygons([] { drawTownLamps(game().settings); });
        ASSERT_FALSE(lamp.empty());
        ASSERT_EQ(town.size(), 144 * lamp.size()) << "lighting mode " << mode;
        // Each pole runs from 1 below the lamp's place at y -9.8, so every lamp's foot is
        // on the ground at y -10.8.
        for (size_t k = 0; k < 144; ++k) {
            Extent e;
            for (size_t i = 0; i < lamp.size(); ++i)
                for (const Vertex3& v : town[k * lamp.size() + i])
                    e.add(v);
            EXPECT_NEAR(e.minY, -10.8, 0.01) << "lamp " << k;
        }
    }
    game().settings.lightingMode = 6;
    size_t day = modelPolygons([] { streetLamp(game().settings); }).size();
    game().settings.lightingMode = 8;
    EXPECT_EQ(modelPolygons([] { streetLamp(game().settings); }).size(),
              day + modelPolygons(lightBeam).size())
        << "every lamp throws its beam by night";

    // The runs of lamps along the streets: first (x, z), step, count; the six runs across
    // the town at z 75 come again at z 180.
    struct Run {
        float x, z, dx, dz;
        int count;
    };
    std::vector<Run> runs = {
        {20, 20, 0, 5, 11}, {40, 75, 0, 5, 5},   {40, 105, 0, 7, 7},   {40, 152, 0, 5, 5},
        {5, 125, 0, 10, 6}, {5, 85, 0, -5, 3},   {-30, 75, 0, 10, 5},  {-15, 75, 0, 10, 5},
        {0, 75, 0, 10, 5},  {-65, 75, 0, 10, 6}, {140, 75, -5, 0, 20}, {35, 75, -5, 0, 6},
        {-5, 75, -5, 0, 2}, {-20, 75, -5, 0, 2}, {-35, 75, -5, 0, 6},  {-70, 75, -10, 0, 7}};
    for (int r = 10; r < 16; ++r) {
        Run again = runs[r];
        again.z = 180;
        runs.push_back(again);
    }
    game().settings.lightingMode = 6;
    std::vector<Foot> feet = poleFeet(modelPolygons([] { drawTownLamps(game().settings); }), day);
    ASSERT_EQ(feet.size(), 144u);
    size_t k = 0;
    for (const Run& run : runs)
        for (int i = 0; i < run.count; ++i, ++k) {
            // The pole is 0.04 thick, so its middle lies within 0.03 of the lamp's place.
            EXPECT_NEAR(feet[k].x, run.x + i * run.dx, 0.03) << "lamp " << k;
            EXPECT_NEAR(feet[k].z, run.z + i * run.dz, 0.03) << "lamp " << k;
        }
}

TEST(StreetLamps, NineAlongTheLandingHillOfHillsOneAndTwoNoneOnHillThree) {
    TempGameDir dir;
    startScene(dir, 1, 2);
    game().settings.lightingMode = 6;
    size_t lamp = modelPolygons([] { streetLamp(game().settings); }).size();
    const float places[2][9][3] = {
        {{2.95f, 2.1f, 1},
         {2.92f, 1.5f, 4},
         {3.2f, 0, 7},
         {3.3f, -2.2f, 10},
         {3.6f, -4.6f, 13},
         {3.9f, -6.5f, 16},
         {4.3f, -7.9f, 19},
         {4.6f, -10, 25},
         {5.6f, -10, 32}},
        {{2.95f, 3.1f, -4},
         {2.92f, 2.3f, 1},
         {3.2f, 0.7f, 6},
         {3.3f, -2.2f, 11},
         {3.6f, -4.6f, 16},
         {3.9f, -6.7f, 21},
         {4.3f, -8.1f, 26},
         {4.6f, -10, 31},
         {5.6f, -10, 46}},
    };
    for (int hill = 1; hill <= 3; ++hill) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        game().settings.hillNumber = hill;
        std::vector<Polygon3> polys = modelPolygons([] { drawSlopeLamps(game().settings); });
        EXPECT_EQ(polys.size(), hill == 3 ? 0 : 9 * lamp);
        if (hill == 3) continue;
        std::vector<Foot> feet = poleFeet(polys, lamp);
        ASSERT_EQ(feet.size(), 9u);
        for (int i = 0; i < 9; ++i) {
            const float* p = places[hill - 1][i];
            // Not turned: the pole reaches 0.04 along +x and -z from the place, and 1 down.
            EXPECT_NEAR(feet[i].x, p[0] + 0.02f, 0.01) << "lamp " << i + 1;
            EXPECT_NEAR(feet[i].z, p[2] - 0.02f, 0.01) << "lamp " << i + 1;
            EXPECT_NEAR(feet[i].y, p[1] - 1, 0.01) << "lamp " << i + 1;
        }
    }
}

TEST(FrameGroups, TownOnlyAtTheHighestDetailOnTheSmallHillsSlopeLampsFromDetailTwo) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int detail = 1; detail <= 4; ++detail) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " detail " + std::to_string(detail));
            TempGameDir dir;
            // The free camera looks up the whole venue, so every group is in view.
            dir.writeData("kopytko.cfg", "846");
            startScene(dir, hill, detail);
            passChar('7');
            frames(1);

            GroupInFrame town = groupInFrame([] { drawTown(game().venue, game().settings); });
            EXPECT_GT(town.polygons, 0u);
            EXPECT_EQ(town.timesInFrame, detail == 4 && hill != 3 ? 1 : 0);

            GroupInFrame lamps = groupInFrame([] { drawSlopeLamps(game().settings); });
            if (hill == 3) {
                EXPECT_EQ(lamps.polygons, 0u) << "no landing-hill lamps on the big hill";
            } else {
                EXPECT_GT(lamps.polygons, 0u);
                EXPECT_EQ(lamps.timesInFrame, detail == 1 ? 0 : 1);
            }
        }
}
