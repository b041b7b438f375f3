// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "venue/quads.h"

#include "render/gl.h"

namespace {

void quadWithCoords(const float st[4][2]) {
    static const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    glPushMatrix();
    glBegin(GL_POLYGON);
    glNormal3f(0, 0, 1);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3f(corners[i][0], corners[i][1], 0);
    }
    glEnd();
    glPopMatrix();
}

} // namespace

void unitQuad() {
    static const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    quadWithCoords(st);
}

// The HUD panels leave out the picture's right and top margins.
void croppedQuad() {
    static const float st[4][2] = {{0, 0}, {0.96f, 0}, {0.96f, 0.9f}, {0, 0.9f}};
    quadWithCoords(st);
}

void croppedQuadFlipped() {
    static const float st[4][2] = {{0, 0.9f}, {0.96f, 0.9f}, {0.96f, 0}, {0, 0}};
    quadWithCoords(st);
}

void croppedQuadMirrored() {
    static const float st[4][2] = {{0.96f, 0}, {0, 0}, {0, 0.9f}, {0.96f, 0.9f}};
    quadWithCoords(st);
}

void croppedQuadTurned() {
    static const float st[4][2] = {{0.96f, 0.9f}, {0, 0.9f}, {0, 0}, {0.96f, 0}};
    quadWithCoords(st);
}
