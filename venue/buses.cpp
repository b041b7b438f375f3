// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The town's buses: three liveries, and the rows of eleven that drive along the roads.
#include "core/settings.h"
#include "render/batch.h"
#include "render/gl.h"
#include "render/textures.h"
#include "render/view_volume.h"
#include "venue/buildings.h"
#include "venue/quads.h"
#include "venue/stands.h"
#include "venue/animation.h"
#include "venue/town.h"

namespace {

// 2 wide, 2 high, 8 long, the front towards -z.
void bus(const Settings& s, GLuint rear, GLuint side, GLuint front) {
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    glPushMatrix();
    glScalef(2, 2, 8);
    glBindTexture(GL_TEXTURE_2D, rear);
    unitQuad();
    glBindTexture(GL_TEXTURE_2D, side);
    sideFaces();
    glBindTexture(GL_TEXTURE_2D, front);
    backFace();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glBindTexture(GL_TEXTURE_2D, textures.dach);
    texturedRoof();
    glPopMatrix();

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    if (s.lightingMode == kLightingNight) {
        static const float headlightX[2] = {0.4f, 1.84f};
        for (float x : headlightX) {
            glPushMatrix();
            glTranslatef(x, 0.55f, -7.85f);
            glScalef(0.05f, 0.05f, 0.2f);
            glRotatef(180, 0, 1, 0);
            lightBeam();
            glPopMatrix();
        }
    }
    glPopMatrix();
}

} // namespace

void drawBus1(const Settings& s) {
    bus(s, textures.bustyl, textures.busbok, textures.busprzod);
}

void drawBus2(const Settings& s) {
    bus(s, textures.bustyl2, textures.busbok2, textures.busprzod2);
}

void drawBus3(const Settings& s) {
    bus(s, textures.bustyl3, textures.busbok3, textures.busprzod3);
}

// 2 x 2 x 8 with the headlight beams ahead of the front, and half a unit of room.
const ViewBox kBusBox = {{-0.6f, -0.5f, -12}, {2.6f, 2.5f, 0.5f}};

void busLeftovers(const Settings& s) {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, textures.dach);
    roofLeftovers();
    if (s.lightingMode == kLightingNight) lightBeamLeftovers();
}

void drawBusRow(const VenueAnimation& v, int row, const Settings& s) {
    static void (*const kinds[kBusCount])(const Settings&) = {
        drawBus1, drawBus2, drawBus3, drawBus1, drawBus3, drawBus1,
        drawBus2, drawBus2, drawBus3, drawBus1, drawBus1};
    const float* positions =
        row >= 0 && row < kBusRowCount ? v.busRowPositions[row] : v.busPositions;
    const ViewVolume view = currentViewVolume();
    for (int i = 0; i < kBusCount; ++i) {
        Transform where = identityTransform();
        translateBy(where, positions[i], 0, 0);
        rotateBy(where, -90, 0, 1, 0);
        if (outsideView(view, where, kBusBox)) {
            busLeftovers(s);
            continue;
        }
        glPushMatrix();
        glTranslatef(positions[i], 0, 0);
        glRotatef(-90, 0, 1, 0);
        kinds[i](s);
        glPopMatrix();
    }
}
