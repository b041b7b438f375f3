// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The town at the foot of hills 1 and 2: its roads and where every object stands.
#include "venue/town.h"

#include "venue/animation.h"

#include "render/batch.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "render/view_volume.h"

namespace {

constexpr float kHouseY = -10.7f;
constexpr float kRoadY = -10.8f;

struct Placement {
    float x, y, z;
};

// One town object in its own frame: moved, turned about y, drawn.
void placed(void (*draw)(const Settings&), const Settings& s, float angle, Placement p) {
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    if (angle != 0) glRotatef(angle, 0, 1, 0);
    draw(s);
    glPopMatrix();
}

// Where an object of the town stands: moved, then turned about y.
Transform placement(float angle, Placement p) {
    Transform t = identityTransform();
    translateBy(t, p.x, p.y, p.z);
    if (angle != 0) rotateBy(t, angle, 0, 1, 0);
    return t;
}

struct TownRow {
    void (*draw)(const Settings&);
    void (*leftovers)(const Settings&);
    const ViewBox* box;
    float angle;
    float y;
    int count;
    float xz[8][2];
    // Where roads cross, their tops lie in one plane; this row's roads are kept in front
    // so the crossing shows one road's markings instead of a flicker of both.
    bool onTopAtCrossings = false;
};

// Houses, flats and roads, in drawing order; the lamps follow the roads because they
// take their colour from the asphalt texture the roads leave bound.
const TownRow kBuildingsAndRoads[] = {
    {drawHouse5, house5Leftovers, &kHouse5Box, 180, kHouseY, 2, {{27, 94}, {-2, 126}}},
    {drawHouse2, house2Leftovers, &kHouse2Box, 180, kHouseY, 1, {{-15, 76}}},
    {drawHouse3, house3Leftovers, &kHouse2Box, 180, kHouseY, 1, {{12, 76}}},
    {drawHouse4, house4Leftovers, &kHouse4Box, 180, kHouseY, 1, {{-22, 76}}},
    {drawHouse3, house3Leftovers, &kHouse2Box, 180, kHouseY, 1, {{-45, 76}}},
    {drawHouse2, house2Leftovers, &kHouse2Box, 180, kHouseY, 1, {{12, 126}}},
    {drawHouse2, house2Leftovers, &kHouse2Box, 90, kHouseY, 1, {{-36, 85}}},
    {drawHouse2, house2Leftovers, &kHouse2Box, -90, kHouseY, 1, {{21, 35}}},
    {drawHouse4, house4Leftovers, &kHouse4Box, -90, kHouseY, 1, {{21, 55}}},
    {drawHouse3, house3Leftovers, &kHouse2Box, 90, kHouseY, 1, {{34, 83}}},
    {drawHouse2, house2Leftovers, &kHouse2Box, 90, kHouseY, 1, {{34, 115}}},
    {drawHouse4, house4Leftovers, &kHouse4Box, 90, kHouseY, 1, {{34, 102}}},
    {drawHouse3, house3Leftovers, &kHouse2Box, -90, kHouseY, 1, {{21, 45}}},
    {drawHouse1,
     house1Leftovers,
     &kHouse1Box,
     90,
     kHouseY,
     4,
     {{-1, 85}, {-1, 95}, {-1, 105}, {-1, 115}}},
    {drawHouse1,
     house1Leftovers,
     &kHouse1Box,
     -90,
     kHouseY,
     5,
     {{-9, 77}, {-9, 87}, {-9, 97}, {-9, 107}, {21, 20}}},
    {drawHouse1,
     house1Leftovers,
     &kHouse1Box,
     90,
     kHouseY,
     4,
     {{29, 140}, {29, 150}, {29, 160}, {29, 170}}},
    {drawHouse1,
     house1Leftovers,
     &kHouse1Box,
     -90,
     kHouseY,
     5,
     {{19, 120}, {19, 130}, {19, 140}, {19, 150}, {19, 160}}},
    {drawHouse1, house1Leftovers, &kHouse1Box, -180, kHouseY, 1, {{23, 76}}},
    {drawFlats, flatsLeftovers, &kFlatsBox, -90, 0, 2, {{165, 120}, {165, 90}}},
    {drawRoad,
     roadLeftovers,
     &kRoadBox,
     0,
     kRoadY,
     8,
     {{15, 70}, {0, 125}, {0, 175}, {35, 125}, {35, 175}, {-15, 125}, {-35, 125}, {-65, 125}},
     true},
    {drawRoad, roadLeftovers, &kRoadBox, 90, kRoadY, 3, {{50, 90}, {35, 125}, {-15, 125}}},
    {drawLongRoad, longRoadLeftovers, &kLongRoadBox, 90, kRoadY, 2, {{180, 75}, {180, 180}}},
};

// The four bus rows share one set of positions; every row moves them on a step.
const struct {
    float angle;
    float x, z;
} kBusRows[4] = {{0, -120, 70}, {180, 120, 75}, {0, -100, 175}, {180, 110, 180}};

// What asphalt(length, repeatAlong) leaves current: its texture and the last face's normal
// and texture coordinate.
void asphaltLeftovers(float repeatAlong) {
    glBindTexture(GL_TEXTURE_2D, textures.asfalt);
    const BoxFace& last = kBoxFaces[5];
    glNormal3fv(last.normal);
    glTexCoord2f(last.corners[3].sRepeats, last.corners[3].tRepeats * repeatAlong);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void asphalt(float length, float repeatAlong) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, textures.asfalt);
    glPushMatrix();
    glScalef(5, 0.1f, length);
    texturedBox(0, 0, 0, 1, repeatAlong);
    glPopMatrix();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

} // namespace

void drawRoad(const Settings&) {
    asphalt(50, 15);
}

void drawLongRoad(const Settings&) {
    asphalt(550, 120);
}

void roadLeftovers(const Settings&) {
    asphaltLeftovers(15);
}

void longRoadLeftovers(const Settings&) {
    asphaltLeftovers(120);
}

// Boxes with half a unit of room on every side.
const ViewBox kHouse1Box = {{-0.5f, -0.5f, -3.5f}, {8.5f, 2.5f, 0.5f}};
const ViewBox kHouse2Box = {{-0.5f, -0.5f, -4.5f}, {6.5f, 2.5f, 0.5f}};
const ViewBox kHouse4Box = {{-0.5f, -0.5f, -4.5f}, {8.5f, 2.7f, 0.5f}};
// Gables and roof reach twice the wall height, the roof's eaves a unit past front and back.
const ViewBox kHouse5Box = {{-0.5f, -0.5f, -11.5f}, {15.5f, 6.5f, 1.5f}};
const ViewBox kFlatsBox = {{-0.5f, -11.3f, 111.5f}, {30.5f, -0.3f, 123.5f}};
const ViewBox kRoadBox = {{-0.5f, -0.5f, -50.5f}, {5.5f, 0.6f, 0.5f}};
const ViewBox kLongRoadBox = {{-0.5f, -0.5f, -550.5f}, {5.5f, 0.6f, 0.5f}};

void drawTown(const VenueAnimation& v, const Settings& s) {
    const ViewVolume view = currentViewVolume();
    // Shown or not, an object leaves what it would leave: the next one sees the same state.
    auto place = [&](void (*draw)(const Settings&), void (*leftovers)(const Settings&),
                     const ViewBox& box, float angle, Placement p) {
        if (outsideView(view, placement(angle, p), box))
            leftovers(s);
        else
            placed(draw, s, angle, p);
    };
    for (const TownRow& row : kBuildingsAndRoads) {
        if (row.onTopAtCrossings) {
            glEnable(GL_POLYGON_OFFSET_FILL);
            glPolygonOffset(-1, -2);
        }
        for (int k = 0; k < row.count; ++k)
            place(row.draw, row.leftovers, *row.box, row.angle,
                  {row.xz[k][0], row.y, row.xz[k][1]});
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
    drawTownLamps(s);
    place(drawBus1, busLeftovers, kBusBox, 0, {15, kHouseY, 30});
    place(drawBus2, busLeftovers, kBusBox, 0, {15, kHouseY, 50});
    for (int r = 0; r < kBusRowCount; ++r) {
        const auto& row = kBusRows[r];
        glPushMatrix();
        glTranslatef(row.x, kHouseY, row.z);
        if (row.angle != 0) glRotatef(row.angle, 0, 1, 0);
        drawBusRow(v, r, s);
        glPopMatrix();
    }
}
