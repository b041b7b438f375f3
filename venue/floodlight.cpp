// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Floodlight masts and the light beam they share with the street lamps.
#include <initializer_list>

#include "core/settings.h"
#include "render/gl.h"
#include "render/batch.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "venue/group_marks.h"
#include "venue/animation.h"
#include "venue/stands.h"

namespace {
// The opacity of the frame being drawn, handed in by the frame before it draws the venue.
float shownBeamOpacity = 0.9f;
} // namespace

void showBeamOpacity(float opacity) {
    shownBeamOpacity = opacity;
}

void lightBeam() {
    static const float nearCorners[4][3] = {{0, 0, 0}, {3, 0, 0}, {3, -4, 0}, {0, -4, 0}};
    static const float farCorners[4][3] = {{-6, 2, 18}, {10, 2, 18}, {10, -9, 14}, {-6, -9, 14}};
    // Each side joins two near corners (bright) and two far corners (transparent);
    // entries are corner indices, near ones 0..3, far ones 4..7.
    static const int sides[4][4] = {
        {1, 0, 4, 5}, // top
        {0, 3, 7, 4}, // left
        {7, 3, 2, 6}, // bottom
        {6, 2, 1, 5}, // right
    };

    glPushMatrix();
    glTranslatef(0, 4, 0);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Edges are off so an outline mode would not draw the seams between the sides.
    glEdgeFlag(GL_FALSE);
    glBegin(GL_QUADS);
    for (const auto& side : sides) {
        for (int corner : side) {
            if (corner < 4) {
                glColor4f(255, 255, 255, shownBeamOpacity);
                glVertex3fv(nearCorners[corner]);
            } else {
                glColor4f(255, 255, 255, 0);
                glVertex3fv(farCorners[corner - 4]);
            }
        }
    }
    glEnd();
    glEdgeFlag(GL_TRUE);
    glDisable(GL_BLEND);
    glPopMatrix();
}

void lightBeamLeftovers() {
    glBindTexture(GL_TEXTURE_2D, textures.window);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    glEdgeFlag(GL_TRUE);
    // The far corners' colour is the last one given.
    glColor4f(255, 255, 255, 0);
}

namespace {

// Posts, lattice and arms never move against each other: four posts, 24 rungs on each of
// the four faces, two arms, all the same box.
constexpr int kMastVertices = (4 + 4 * 24 + 2) * kBoxVertices;
BatchVertex mastVertices[kMastVertices];
Batch mastFrame = {mastVertices, kMastVertices, 0, true, {}, {}, {}};

void mastBox(float tx, float ty, float tz, float sx, float sy, float sz, const float* rgb) {
    Transform where = identityTransform();
    translateBy(where, tx, ty, tz);
    scaleBy(where, sx, sy, sz);
    appendBox(mastFrame, where, 0, 0, rgb);
}

void buildMastFrame() {
    static const float lattice[3] = {0.1f, 0.1f, 0.1f};
    static const float arms[3] = {0, 0, 0};
    static const float corners[4][2] = {{0, 0}, {0.5f, 0}, {0.5f, 0.5f}, {0, 0.5f}};
    for (const auto& c : corners)
        mastBox(c[0], 0, c[1], 0.05f, 12, 0.05f, lattice);
    // The lattice, one face at a time.
    for (int i = 1; i <= 24; ++i)
        mastBox(0, 0.5f * i, 0, 0.5f, 0.05f, 0.05f, lattice);
    for (int i = 1; i <= 24; ++i)
        mastBox(0, 0.5f * i, 0.5f, 0.5f, 0.05f, 0.05f, lattice);
    for (int i = 1; i <= 24; ++i)
        mastBox(0, 0.5f * i, 0.5f, 0.05f, 0.05f, 0.5f, lattice);
    for (int i = 1; i <= 24; ++i)
        mastBox(0.5f, 0.5f * i, 0.5f, 0.05f, 0.05f, 0.5f, lattice);
    for (float z : {0.0f, 0.5f}) {
        Transform where = identityTransform();
        translateBy(where, 0.5f, 12, z);
        rotateBy(where, 40, 0, 0, 1);
        scaleBy(where, 0.1f, 2, 0.1f);
        appendBox(mastFrame, where, 0, 0, arms);
    }
}

} // namespace

void floodlightMast(const Settings& s) {
    beginGroupMark(MARK_FLOODLIGHT_MAST);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, textures.bramka);
    if (mastFrame.count == 0) buildMastFrame();
    // Posts and lattice in (0.1, 0.1, 0.1), the two lamp arms in black.
    drawBatch(mastFrame);

    // Back plate: hides the lamp's rear from behind the mast.
    glPushMatrix();
    glTranslatef(-0.1f, 12, 2);
    glRotatef(20, 0, 0, 1);
    glScalef(0.05f, 4, 4);
    glBegin(GL_QUADS);
    glVertex3f(1, 0, 0);
    glVertex3f(1, 0, -1);
    glVertex3f(1, 1, -1);
    glVertex3f(1, 1, 0);
    glEnd();
    glPopMatrix();

    // Lamp panel: the lit picture at night, the day picture otherwise.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D,
                  s.lightingMode == kLightingNight ? textures.sheet : textures.halogen);
    glColor3f(1, 1, 1);
    glPushMatrix();
    glTranslatef(-0.3f, 12, 2);
    glRotatef(20, 0, 0, 1);
    glScalef(0.11f, 4, 4);
    texturedBox(0, 0, 0, 5, 5);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0, 12, -1.5f);
    glRotatef(-90, 0, 1, 0);
    glRotatef(20, 1, 0, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (s.lightingMode == kLightingNight) lightBeam();
    glPopMatrix();

    glPopMatrix();
    endGroupMark();
}
