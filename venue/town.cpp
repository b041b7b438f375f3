// The town at the foot of hills 1 and 2: its roads and where every object stands.
#include "venue/town.h"

#include "venue/animation.h"

#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"

namespace {

constexpr float kHouseY = -10.7f;
constexpr float kRoadY = -10.8f;

struct Placement {
    float x, y, z;
};

// One town object in its own frame: moved, turned about y, drawn.
void placed(void (*draw)(), float angle, Placement p) {
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z);
    if (angle != 0) glRotatef(angle, 0, 1, 0);
    draw();
    glPopMatrix();
}

struct TownRow {
    void (*draw)();
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
    {drawHouse5, 180, kHouseY, 2, {{27, 94}, {-2, 126}}},
    {drawHouse2, 180, kHouseY, 1, {{-15, 76}}},
    {drawHouse3, 180, kHouseY, 1, {{12, 76}}},
    {drawHouse4, 180, kHouseY, 1, {{-22, 76}}},
    {drawHouse3, 180, kHouseY, 1, {{-45, 76}}},
    {drawHouse2, 180, kHouseY, 1, {{12, 126}}},
    {drawHouse2, 90, kHouseY, 1, {{-36, 85}}},
    {drawHouse2, -90, kHouseY, 1, {{21, 35}}},
    {drawHouse4, -90, kHouseY, 1, {{21, 55}}},
    {drawHouse3, 90, kHouseY, 1, {{34, 83}}},
    {drawHouse2, 90, kHouseY, 1, {{34, 115}}},
    {drawHouse4, 90, kHouseY, 1, {{34, 102}}},
    {drawHouse3, -90, kHouseY, 1, {{21, 45}}},
    {drawHouse1, 90, kHouseY, 4, {{-1, 85}, {-1, 95}, {-1, 105}, {-1, 115}}},
    {drawHouse1, -90, kHouseY, 5, {{-9, 77}, {-9, 87}, {-9, 97}, {-9, 107}, {21, 20}}},
    {drawHouse1, 90, kHouseY, 4, {{29, 140}, {29, 150}, {29, 160}, {29, 170}}},
    {drawHouse1, -90, kHouseY, 5, {{19, 120}, {19, 130}, {19, 140}, {19, 150}, {19, 160}}},
    {drawHouse1, -180, kHouseY, 1, {{23, 76}}},
    {drawFlats, -90, 0, 2, {{165, 120}, {165, 90}}},
    {drawRoad,
     0,
     kRoadY,
     8,
     {{15, 70}, {0, 125}, {0, 175}, {35, 125}, {35, 175}, {-15, 125}, {-35, 125}, {-65, 125}},
     true},
    {drawRoad, 90, kRoadY, 3, {{50, 90}, {35, 125}, {-15, 125}}},
    {drawLongRoad, 90, kRoadY, 2, {{180, 75}, {180, 180}}},
};

// The four bus rows share one set of positions; every row moves them on a step.
const struct {
    float angle;
    float x, z;
} kBusRows[4] = {{0, -120, 70}, {180, 120, 75}, {0, -100, 175}, {180, 110, 180}};

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

void drawRoad() {
    asphalt(50, 15);
}

void drawLongRoad() {
    asphalt(550, 120);
}

void drawTown() {
    for (const TownRow& row : kBuildingsAndRoads) {
        if (row.onTopAtCrossings) {
            glEnable(GL_POLYGON_OFFSET_FILL);
            glPolygonOffset(-1, -2);
        }
        for (int k = 0; k < row.count; ++k)
            placed(row.draw, row.angle, {row.xz[k][0], row.y, row.xz[k][1]});
        glDisable(GL_POLYGON_OFFSET_FILL);
    }
    drawTownLamps();
    placed(drawBus1, 0, {15, kHouseY, 30});
    placed(drawBus2, 0, {15, kHouseY, 50});
    for (int r = 0; r < kBusRowCount; ++r) {
        const auto& row = kBusRows[r];
        glPushMatrix();
        glTranslatef(row.x, kHouseY, row.z);
        if (row.angle != 0) glRotatef(row.angle, 0, 1, 0);
        drawBusRow(r);
        glPopMatrix();
    }
}
