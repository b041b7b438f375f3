// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The chairlift beside hill 1: pylons, two cables and two seats riding them.
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "venue/animation.h"
#include "venue/furniture.h"
#include "venue/group_marks.h"

namespace {

// (y, z) of the cable where it crosses each pylon's arm.
const float kCablePoints[6][2] = {{6, -10}, {3, 0}, {-2, 10}, {-8, 20}, {-9, 35}, {-9, 45}};
const float kPylonOffsets[6][2] = {{-1, 0}, {-4, 10}, {-9, 20}, {-15, 30}, {-16, 45}, {-16, 55}};

void scaledBox(float sx, float sy, float sz) {
    glScalef(sx, sy, sz);
    texturedBox(0, 0, 0, 0, 0);
}

void seatModel() {
    glColor3f(0.5f, 0.5f, 0.5f);
    glPushMatrix();
    scaledBox(1, 0.1f, 0.5f);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, 0, -0.4f);
    scaledBox(1, 0.5f, 0.1f);
    glPopMatrix();
    glColor3f(0, 0, 0);
    glPushMatrix();
    glTranslatef(0.5f, 0.5f, -0.4f);
    scaledBox(0.05f, 0.6f, 0.05f);
    glPopMatrix();
}

void pylon(float dy, float dz) {
    glPushMatrix();
    glTranslatef(-8, dy, dz);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    glColor3f(0.5f, 0.5f, 0.5f);
    glPushMatrix();
    glTranslatef(4, -13, -10);
    scaledBox(0.1f, 20, 0.1f);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(5.3f, 7, -10);
    glRotatef(90, 0, 0, 1);
    scaledBox(0.1f, 2.5f, 0.1f);
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glPopMatrix();
}

void cable(float x) {
    glBegin(GL_LINES);
    for (int i = 0; i + 1 < 6; ++i) {
        glVertex3f(x, kCablePoints[i][0], kCablePoints[i][1]);
        glVertex3f(x, kCablePoints[i + 1][0], kCablePoints[i + 1][1]);
    }
    glEnd();
}

} // namespace

void drawChairlift(const VenueAnimation& v) {
    beginGroupMark(MARK_CHAIRLIFT);

    glPushMatrix();
    glTranslatef(v.downSeat.x - 0.5f, v.downSeat.y - 1, v.downSeat.z);
    seatModel();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(v.upSeat.x + 0.5f, v.upSeat.y - 1.3f, v.upSeat.z);
    glRotatef(180, 0, 1, 0);
    seatModel();
    glPopMatrix();

    for (const auto& p : kPylonOffsets)
        pylon(p[0], p[1]);

    // The cables keep the pylons' grey.
    glPushMatrix();
    cable(-5);
    cable(-2.8f);
    glPopMatrix();
    endGroupMark();
}
