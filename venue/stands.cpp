// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Spectator stands of crowd pictures and the empty stepped seating blocks.
#include "venue/stands.h"

#include <initializer_list>

#include "core/settings.h"
#include "render/batch.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "render/view_volume.h"
#include "venue/group_marks.h"

namespace {

// Translate, then turn about y (degrees).
struct Placement {
    float x, y, z, turn;
};

const Placement kHill1Stands[] = {
    {-1.4f, -10.3f, 25, 0},  {-1.4f, -10.3f, 14, 0}, {3.4f, -10.3f, 39, 180},
    {3.4f, -10.3f, 28, 180}, {10, -10.3f, 29, -90},
};

const Placement kHill3Stands[] = {
    {9.8f, -7.7f, 75, 0},     {4.8f, -10.3f, 75, 0},    {9.8f, -7.7f, 65, 0},
    {4.8f, -10.3f, 65, 0},    {9.8f, -7.7f, 55, 0},     {4.8f, -10.3f, 55, 0},
    {9.8f, -7.7f, 45, 0},     {4.8f, -10.3f, 45, 0},    {-8.6f, -7.7f, 89, 180},
    {-3.6f, -10.3f, 89, 180}, {-8.6f, -7.7f, 79, 180},  {-3.6f, -10.3f, 79, 180},
    {-8.6f, -7.7f, 69, 180},  {-3.6f, -10.3f, 69, 180}, {-8.6f, -7.7f, 59, 180},
    {-3.6f, -10.3f, 59, 180}, {13, -10.3f, 80.6f, -90}, {13, -7.7f, 85.6f, -90},
    {13, -5, 90.6f, -90},     {3, -10.3f, 80.6f, -90},  {3, -7.7f, 85.6f, -90},
    {3, -5, 90.6f, -90},
};

const Placement kHill1Blocks[] = {
    {12, -10.6f, 32, 90},   {12, -10.6f, 21, 90},  {-10, -10.6f, 32, -90},
    {-10, -10.6f, 21, -90}, {3, -10.6f, 42.4f, 0},
};

const Placement kHill3BlocksRight[] = {
    {18, -10.6f, 82, 90}, {23, -8, 82, 90},     {23, -8, 72, 90}, {18, -10.6f, 72, 90},
    {23, -8, 62, 90},     {18, -10.6f, 62, 90}, {23, -8, 52, 90}, {18, -10.6f, 52, 90},
};

const float kHill3Cubes[4][3] = {
    {19, -10.6f, 50.2f}, {19, -10.6f, 86.2f}, {-21, -10.6f, 50.2f}, {-21, -10.6f, 86.2f}};

const Placement kHill3BlocksRest[] = {
    {-22, -8, 82, -90},  {-17, -10.6f, 82, -90}, {-22, -8, 72, -90}, {-17, -10.6f, 72, -90},
    {-22, -8, 62, -90},  {-17, -10.6f, 62, -90}, {-22, -8, 52, -90}, {-17, -10.6f, 52, -90},
    {6, -5.55f, 104, 0}, {6, -8.1f, 99, 0},      {6, -10.6f, 94, 0}, {-4, -5.55f, 104, 0},
    {-4, -8.1f, 99, 0},  {-4, -10.6f, 94, 0},
};

// Hill 2 reuses hill 1's layout further down the outrun.
float hillShift(const Settings& s) {
    return s.hillNumber == 2 ? 10.0f : 0.0f;
}

// An object wholly outside the view is not drawn; it leaves current what drawing it would
// have left, so the next one draws the same.
void placed(const ViewVolume& view, const Placement& p, float dz, void (*draw)(),
            const ViewBox& box, void (*leftovers)()) {
    Transform where = identityTransform();
    translateBy(where, p.x, p.y, p.z + dz);
    if (p.turn != 0) rotateBy(where, p.turn, 0, 1, 0);
    if (outsideView(view, where, box)) {
        leftovers();
        return;
    }
    glPushMatrix();
    glTranslatef(p.x, p.y, p.z + dz);
    if (p.turn != 0) glRotatef(p.turn, 0, 1, 0);
    draw();
    glPopMatrix();
}

} // namespace

// Each kind's extent in its own frame, with room to spare: ten crowd rows climbing along
// x, a half-size seating block, a cube three units on a side.
const ViewBox kCrowdStandBox = {{8, -0.5f, 1.5f}, {13.5f, 3.25f, 12.5f}};
const ViewBox kScaledBlockBox = {{-5.5f, -0.5f, -5.5f}, {5.5f, 3, 0.5f}};
const ViewBox kBigCubeBox = {{-0.5f, -0.5f, -3.5f}, {3.5f, 3.5f, 0.5f}};

void scaledBlock() {
    glScalef(0.5f, 0.5f, 0.5f);
    seatingBlock();
}

void bigCube() {
    glScalef(3, 3, 3);
    texturedBox(0, 0, 0, 0, 0);
}

// The box's last face: its normal, and texture coordinates all 0.
void bigCubeLeftovers() {
    glNormal3fv(kBoxFaces[5].normal);
    glTexCoord2f(0, 0);
}

// Ten rows, the last in the third crowd picture; a row's last corner has (0, 0.9).
void crowdStandLeftovers() {
    glBindTexture(GL_TEXTURE_2D, textures.audience3);
    glTexCoord2f(0, 0.9f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// The last step's top: white, facing up.
void scaledBlockLeftovers() {
    glNormal3f(0, 1, 0);
    glColor3f(1, 1, 1);
}

void crowdRow() {
    static const float coords[4][2] = {{0, 0}, {3, 0}, {3, 0.9f}, {0, 0.9f}};
    static const float front[4][3] = {{0, 0, 0}, {10, 0, 0}, {10, 0.5f, 0}, {0, 0.5f, 0}};
    static const float back[4][3] = {{10, 0, 0}, {0, 0, 0}, {0, 0.5f, 0}, {10, 0.5f, 0}};

    glPushMatrix();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glBegin(GL_QUADS);
    for (const auto* side : {front, back})
        for (int i = 0; i < 4; ++i) {
            glTexCoord2fv(coords[i]);
            glVertex3fv(side[i]);
        }
    glEnd();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopMatrix();
}

void crowdStand() {
    const GLuint rowTextures[10] = {
        textures.audience,  textures.audience2, textures.audience3, textures.audience2,
        textures.audience,  textures.audience3, textures.audience2, textures.audience,
        textures.audience2, textures.audience3,
    };
    for (int k = 0; k < 10; ++k) {
        glBindTexture(GL_TEXTURE_2D, rowTextures[k]);
        glPushMatrix();
        glTranslatef(8.5f + 0.5f * k, 0.25f * k, 12);
        glRotatef(90, 0, 1, 0);
        crowdRow();
        glPopMatrix();
    }
}

void drawStands(const Settings& s) {
    beginGroupMark(MARK_STANDS);
    const ViewVolume view = currentViewVolume();
    if (s.hillNumber == 1 || s.hillNumber == 2)
        for (const auto& p : kHill1Stands)
            placed(view, p, hillShift(s), crowdStand, kCrowdStandBox, crowdStandLeftovers);
    else if (s.hillNumber == 3)
        for (const auto& p : kHill3Stands)
            placed(view, p, 0, crowdStand, kCrowdStandBox, crowdStandLeftovers);
    endGroupMark();
}

void seatingBlock() {
    glPushMatrix();
    // Walls first, in the colour left current: no colour of their own.
    glBegin(GL_QUADS);
    glNormal3f(-1, 0, 0);
    for (int k = 0; k < 10; ++k) {
        float y0 = 0.5f * k, y1 = y0 + 0.5f, z0 = -10.0f + k;
        glVertex3f(-10, y0, z0);
        glVertex3f(-10, y0, 0);
        glVertex3f(-10, y1, 0);
        glVertex3f(-10, y1, z0);
    }
    glNormal3f(1, 0, 0);
    for (int k = 0; k < 10; ++k) {
        float y0 = 0.5f * k, y1 = y0 + 0.5f, z0 = -10.0f + k;
        glVertex3f(10, y0, 0);
        glVertex3f(10, y0, z0);
        glVertex3f(10, y1, z0);
        glVertex3f(10, y1, 0);
    }
    glNormal3f(0, 0, 1);
    glVertex3f(-10, 0, 0);
    glVertex3f(10, 0, 0);
    glVertex3f(10, 5, 0);
    glVertex3f(-10, 5, 0);

    for (int k = 0; k < 10; ++k) {
        float y0 = 0.5f * k, y1 = y0 + 0.5f, z0 = -10.0f + k, z1 = z0 + 1;
        glNormal3f(0, 0, -1);
        glColor3f(0.6f, 0.6f, 0.6f);
        glVertex3f(10, y0, z0);
        glVertex3f(-10, y0, z0);
        glVertex3f(-10, y1, z0);
        glVertex3f(10, y1, z0);
        glNormal3f(0, 1, 0);
        glColor3f(1, 1, 1);
        glVertex3f(-10, y1, z1);
        glVertex3f(10, y1, z1);
        glVertex3f(10, y1, z0);
        glVertex3f(-10, y1, z0);
    }
    glEnd();
    glPopMatrix();
}

void drawSeatingBlocks(const Settings& s) {
    beginGroupMark(MARK_SEATING_BLOCKS);
    const ViewVolume view = currentViewVolume();
    if (s.hillNumber == 1 || s.hillNumber == 2) {
        for (const auto& p : kHill1Blocks)
            placed(view, p, hillShift(s), scaledBlock, kScaledBlockBox, scaledBlockLeftovers);
    } else if (s.hillNumber == 3) {
        for (const auto& p : kHill3BlocksRight)
            placed(view, p, 0, scaledBlock, kScaledBlockBox, scaledBlockLeftovers);
        for (const auto& c : kHill3Cubes)
            placed(view, {c[0], c[1], c[2], 0}, 0, bigCube, kBigCubeBox, bigCubeLeftovers);
        for (const auto& p : kHill3BlocksRest)
            placed(view, p, 0, scaledBlock, kScaledBlockBox, scaledBlockLeftovers);
    }
    endGroupMark();
}
