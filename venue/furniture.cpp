// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Start bar, in-run marker cubes and the safety net of hill 3.
#include "venue/furniture.h"

#include <initializer_list>

#include "core/settings.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "venue/group_marks.h"

namespace {

// A repeat-0 box shows a single texel, so the colour alone decides its look.
void plainBox(float tx, float ty, float tz, float sx, float sy, float sz) {
    glPushMatrix();
    glTranslatef(tx, ty, tz);
    glScalef(sx, sy, sz);
    texturedBox(0, 0, 0, 0, 0);
    glPopMatrix();
}

struct StartBarPlacement {
    float barY, postY, z, postHeight;
};

const StartBarPlacement kStartBars[3] = {
    {6.5f, 6.3f, -9.8f, 0.2f},
    {12.5f, 12.3f, -20.1f, 0.2f},
    {19.1f, 18.7f, -70.0f, 0.4f},
};

// First cube's corner, then the steps between cubes in units of the cube edge.
struct MarkerRow {
    float x, y, z;
    float steps[7][2]; // (dy, dz)
};

const MarkerRow kMarkerRows[2] = {
    {1.9f,
     5.9f,
     -9.0f,
     {{-7.2f, 10}, {-7.1f, 10}, {-7.0f, 10}, {-6.9f, 10}, {-5.3f, 10}, {-4.6f, 10}, {-3.2f, 10}}},
    {1.9f,
     12.0f,
     -19.4f,
     {{-16.5f, 20},
      {-16.5f, 20},
      {-14.5f, 20},
      {-14.5f, 20},
      {-14.5f, 20},
      {-10.6f, 20},
      {-3.2f, 20}}},
};

// The net, once per side: the second vertex order faces the other way.
void netPanel() {
    static const float coords[4][2] = {{0, 0}, {2, 0}, {2, 3}, {0, 3}};
    static const float front[4][3] = {{0, 5, 0}, {0, 0, 15}, {0, 15, 15}, {0, 20, 0}};
    static const float back[4][3] = {{0, 0, 15}, {0, 5, 0}, {0, 20, 0}, {0, 15, 15}};

    glBindTexture(GL_TEXTURE_2D, textures.siatkaochronna);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    for (const auto* side : {front, back}) {
        glBegin(GL_QUADS);
        glNormal3f(0, 1, 0);
        for (int i = 0; i < 4; ++i) {
            glTexCoord2fv(coords[i]);
            glVertex3fv(side[i]);
        }
        glEnd();
    }
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

} // namespace

void drawStartBar(const Settings& s) {
    if (!knownHill(s.hillNumber)) return;
    const StartBarPlacement& p = kStartBars[s.hillNumber - 1];
    beginGroupMark(MARK_START_BAR);
    glPushMatrix();
    glTranslatef(0, 0.3f, -0.21f);
    glColor3ub(100, 100, 100);
    plainBox(0.62f, p.barY, p.z, 0.9f, 0.05f, 0.1f);
    glColor3ub(50, 50, 50);
    plainBox(0.67f, p.postY, p.z, 0.05f, p.postHeight, 0.1f);
    plainBox(1.4f, p.postY, p.z, 0.05f, p.postHeight, 0.1f);
    glPopMatrix();
    endGroupMark();
}

void drawInrunMarkers(const Settings& s) {
    if (s.hillNumber < 1 || s.hillNumber > 2) return;
    const MarkerRow& row = kMarkerRows[s.hillNumber - 1];
    beginGroupMark(MARK_INRUN_MARKERS);
    glPushMatrix();
    glColor3f(255, 255, 255);
    glTranslatef(row.x, row.y, row.z);
    glScalef(0.1f, 0.1f, 0.1f);
    texturedBox(0, 0, 0, 0, 0);
    for (const auto& step : row.steps) {
        glTranslatef(0, step[0], step[1]);
        texturedBox(0, 0, 0, 0, 0);
    }
    glPopMatrix();
    endGroupMark();
}

void drawSafetyNet() {
    static const float posts[4][3] = {{0, 0, 0}, {0, -5, 15}, {0, -9, 30}, {0, -14, 45}};
    beginGroupMark(MARK_SAFETY_NET);
    glPushMatrix();
    // The posts take whatever texture the stands left bound.
    glColor3f(0.6f, 0.6f, 0.6f);
    for (const auto& p : posts)
        plainBox(p[0], p[1], p[2], 0.2f, 20, 0.2f);
    for (int i = 0; i < 3; ++i) {
        glPushMatrix();
        glTranslatef(posts[i][0], posts[i][1], posts[i][2]);
        netPanel();
        glPopMatrix();
    }
    glPopMatrix();
    endGroupMark();
}
