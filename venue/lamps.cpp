// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Street lamps: the ones along the landing hill and the ones lining the town's roads.
#include "core/settings.h"
#include "render/gl.h"
#include "render/batch.h"
#include "render/view_volume.h"
#include "venue/stands.h"
#include "venue/town.h"

namespace {

struct LampRun {
    float x, z;   // first lamp
    float dx, dz; // step to the next
    int count;
    float turn; // about y, degrees
};

// The runs along the cross streets come twice: at z 75 and again at z 180.
constexpr LampRun kTownLampRuns[] = {
    {20, 20, 0, 5, 11, 0},      {40, 75, 0, 5, 5, 0},       {40, 105, 0, 7, 7, 0},
    {40, 152, 0, 5, 5, 0},      {5, 125, 0, 10, 6, 0},      {5, 85, 0, -5, 3, 0},
    {-30, 75, 0, 10, 5, 0},     {-15, 75, 0, 10, 5, 180},   {0, 75, 0, 10, 5, 180},
    {-65, 75, 0, 10, 6, 180},   {140, 75, -5, 0, 20, -90},  {35, 75, -5, 0, 6, -90},
    {-5, 75, -5, 0, 2, -90},    {-20, 75, -5, 0, 2, -90},   {-35, 75, -5, 0, 6, -90},
    {-70, 75, -10, 0, 7, -90},  {140, 180, -5, 0, 20, -90}, {35, 180, -5, 0, 6, -90},
    {-5, 180, -5, 0, 2, -90},   {-20, 180, -5, 0, 2, -90},  {-35, 180, -5, 0, 6, -90},
    {-70, 180, -10, 0, 7, -90},
};

constexpr float kTownLampY = -9.8f;

// Landing-hill lamps, x, y, z, for hills 1 and 2.
constexpr float kSlopeLamps[2][9][3] = {
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

// Post and arm pieces are the same four boxes for every lamp: gathered once, drawn as one
// batch under each lamp's placement.
constexpr int kLampVertices = 4 * kBoxVertices;
BatchVertex lampVertices[kLampVertices];
Batch lampBody = {lampVertices, kLampVertices, 0, true, {}, {}, {}};

// One piece hung from the lamp's arm: turned to face the road and tilted up by 30 degrees.
void armPiece(float x, float y, float z, float sx, float sy, float sz, const float rgb[3]) {
    Transform where = identityTransform();
    rotateBy(where, 180, 0, 1, 0);
    translateBy(where, x, y, z);
    rotateBy(where, 30, 0, 0, 1);
    scaleBy(where, sx, sy, sz);
    appendBox(lampBody, where, 0, 0, rgb);
}

void buildLampBody() {
    static const float darkGrey[3] = {0.25f, 0.25f, 0.25f};
    static const float lampWhite[3] = {255, 255, 255};
    Transform post = identityTransform();
    translateBy(post, 0, -1, 0);
    scaleBy(post, 0.04f, 3.1f, 0.04f);
    appendBox(lampBody, post, 0, 0, darkGrey);
    armPiece(0, 2.05f, 0.05f, 0.7f, 0.04f, 0.04f, darkGrey);
    armPiece(0.61f, 2.38f, 0.15f, 0.3f, 0.04f, 0.3f, darkGrey);
    armPiece(0.66f, 2.4f, 0.15f, 0.2f, 0.03f, 0.3f, lampWhite);
}

} // namespace

void streetLamp(const Settings& s) {
    glPushMatrix();
    if (lampBody.count == 0) buildLampBody();
    // Post and first two arm pieces dark grey, the lamp itself white.
    drawBatch(lampBody);

    if (s.lightingMode == kLightingNight) {
        glPushMatrix();
        glTranslatef(-0.5f, 2.35f, -0.2f);
        glRotatef(-90, 0, 1, 0);
        glRotatef(60, 1, 0, 0);
        glScalef(0.1f, 0.1f, 0.1f);
        lightBeam();
        glPopMatrix();
    }
    glPopMatrix();
}

// Post, arm and lamp, and the beam at night, with room to spare.
const ViewBox kStreetLampBox = {{-3, -1.5f, -3}, {3, 5, 3}};

void streetLampLeftovers(const Settings& s) {
    if (lampBody.count == 0) buildLampBody();
    // All four components, as the drawn batch leaves them: after an array draw the
    // shorter calls set them all, where Mesa can otherwise keep an older alpha.
    const float* c = lampBody.lastColour;
    glNormal3fv(lampBody.lastNormal);
    glTexCoord4f(lampBody.lastTexCoord[0], lampBody.lastTexCoord[1], 0, 1);
    glColor4f(c[0], c[1], c[2], 1);
    if (s.lightingMode == kLightingNight) lightBeamLeftovers();
}

void drawSlopeLamps(const Settings& s) {
    if (s.hillNumber != 1 && s.hillNumber != 2) return;
    const ViewVolume view = currentViewVolume();
    for (const auto& p : kSlopeLamps[s.hillNumber - 1]) {
        Transform where = identityTransform();
        translateBy(where, p[0], p[1], p[2]);
        if (outsideView(view, where, kStreetLampBox)) {
            streetLampLeftovers(s);
            continue;
        }
        glPushMatrix();
        glTranslatef(p[0], p[1], p[2]);
        streetLamp(s);
        glPopMatrix();
    }
}

void drawTownLamps(const Settings& s) {
    const ViewVolume view = currentViewVolume();
    for (const LampRun& run : kTownLampRuns) {
        for (int k = 0; k < run.count; ++k) {
            Transform where = identityTransform();
            translateBy(where, run.x + k * run.dx, kTownLampY, run.z + k * run.dz);
            if (run.turn != 0) rotateBy(where, run.turn, 0, 1, 0);
            if (outsideView(view, where, kStreetLampBox)) {
                streetLampLeftovers(s);
                continue;
            }
            glPushMatrix();
            glTranslatef(run.x + k * run.dx, kTownLampY, run.z + k * run.dz);
            if (run.turn != 0) glRotatef(run.turn, 0, 1, 0);
            streetLamp(s);
            glPopMatrix();
        }
    }
}
