// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "venue/backdrop.h"

#include <algorithm>

#include "core/environment.h"
#include "venue/animation.h"
#include "core/settings.h"
#include "render/batch.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/quadrics.h"
#include "render/textures.h"

namespace {

struct MountainPlacement {
    float x, y, z;
    float heightScale;
};

const MountainPlacement kRightMountains[] = {
    {270, -11, -190, 1}, {270, -11, -300, 1}, {230, -11, 0, 1},
    {360, -11, -80, 2},  {230, -11, 120, 1},  {230, -11, 320, 1},
};
const MountainPlacement kLeftMountains[] = {
    {-270, -11, -190, 1}, {-270, -11, -300, 1}, {-230, -11, 0, 1},
    {-360, -11, -80, 2},  {-230, -11, 120, 1},  {-230, -11, 320, 1},
};

void placeMountain(const MountainPlacement& m, const Settings& s) {
    glPushMatrix();
    glTranslatef(m.x, m.y, m.z);
    if (m.heightScale != 1) glScalef(1, m.heightScale, 1);
    mountain(s);
    glPopMatrix();
}

// Two forests of 5 x 10 spruces, four billboards each, all in the frame of the venue: one
// batch, rebuilt whenever the jitter table that places the trees has changed.
constexpr int kForestVertices = 2 * 50 * 4 * kPolygonVertices;
constexpr int kForestJitterUsed = 4 * 5 + 9 + 1; // tree (4, 9) reads the last entry
BatchVertex forestVertices[kForestVertices];
Batch forests = {forestVertices, kForestVertices, 0, false, {}, {}, {}};
float forestsBuiltFrom[kForestJitterUsed];

// The spruce picture on one side of a billboard, 3.5 wide and 6 high.
void billboard(Batch& into, const Transform& where, bool fromBehind) {
    static const float st[4][2] = {{0, 0}, {1, 0}, {1, 0.9f}, {0, 0.9f}};
    static const float front[4][3] = {{0, 0, 0}, {3.5f, 0, 0}, {3.5f, 6, 0}, {0, 6, 0}};
    static const float back[4][3] = {{3.5f, 0, 0}, {0, 0, 0}, {0, 6, 0}, {3.5f, 6, 0}};
    const float normal[3] = {0, 0, fromBehind ? -1.0f : 1.0f};
    appendPolygon(into, where, normal, fromBehind ? back : front, st, nullptr);
}

void forest(float x, float y, float z) {
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 10; ++j) {
            // The same offset moves a tree in x and in z; trees (i, j) and (i + 1, j - 5)
            // share their entry.
            float jitter = forestJitter[i * 5 + j];
            Transform where = identityTransform();
            translateBy(where, x + 20 * i + jitter, y, z + 20 * j + jitter);
            spruce(forests, where);
        }
    }
}

void box(float x, float y, float z, float sx, float sy, float sz) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(sx, sy, sz);
    texturedBox(0, 0, 0, 0, 0);
    glPopMatrix();
}

void airship() {
    glColor3f(0, 0, 255);
    glPushMatrix();
    glTranslatef(160, 20, -140);
    glScalef(10, 10, 25);
    solidSphere(1);
    glPopMatrix();
    glColor3ub(100, 100, 100);
    box(160, 7, -135, 5, 5, 10); // gondola
    glColor3f(255, 0, 0);
    box(160, 16, -165, 1, 10, 10);    // fin
    box(150, 19.5f, -165, 10, 1, 10); // tailplane
}

} // namespace

void mountain(const Settings& s) {
    glBindTexture(GL_TEXTURE_2D, s.season == 1 ? textures.trawa : textures.window);
    glColor3fv(backdropColor);
    // A scene set-up that could not make the quadric leaves only the cap to draw.
    if (sceneryQuadric) {
        glPushMatrix();
        glRotatef(-90, 1, 0, 0);
        solidCylinder(90, 20, 40, true);
        glPopMatrix();
    }
    // The flattened cap meets the cone's top rim exactly (radius 20 at height 40). The
    // cached sphere has no texture coordinates of its own: it shows the texel at the last
    // coordinate the cone gave.
    glPushMatrix();
    glTranslatef(0, 26, 0);
    glScalef(1.4f, 1, 1.4f);
    solidSphere(20);
    glPopMatrix();
}

void drawMountains(const Settings& s) {
    for (const MountainPlacement& m : kRightMountains)
        placeMountain(m, s);
    if (s.hillNumber == 1 || s.hillNumber == 2)
        placeMountain({0, -11, -160, 1}, s);
    else if (s.hillNumber == 3)
        placeMountain({0, -11, -120, 1}, s);
    for (const MountainPlacement& m : kLeftMountains)
        placeMountain(m, s);
}

void spruce(Batch& into, const Transform& where) {
    Transform t = where;
    billboard(into, t, false);
    translateBy(t, 3, 0, 0);
    rotateBy(t, 180, 0, 1, 0);
    billboard(into, t, false);

    // The second billboard crosses the first at right angles.
    t = where;
    translateBy(t, 1.5f, 0, 1.6f);
    rotateBy(t, 90, 0, 1, 0);
    billboard(into, t, false);
    billboard(into, t, true);
}

void drawForests() {
    if (forests.count == 0 ||
        !std::equal(forestsBuiltFrom, forestsBuiltFrom + kForestJitterUsed, forestJitter)) {
        forests.count = 0;
        forest(30, -10.5f, -125);
        forest(-110, -10.5f, -125);
        std::copy(forestJitter, forestJitter + kForestJitterUsed, forestsBuiltFrom);
    }
    // Every billboard is a cut-out seen with its picture's own colours.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glBindTexture(GL_TEXTURE_2D, textures.swierk);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    drawBatch(forests);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void drawAirship(const VenueAnimation& v) {
    glPushMatrix();
    glTranslatef(0, 0, v.airshipTravel);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    airship();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glPopMatrix();
    glFlush();
}
