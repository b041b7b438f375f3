// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "venue/overlays.h"

#include <cmath>

#include "core/environment.h"
#include "venue/animation.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "render/batch.h"
#include "render/gl.h"
#include "render/screen_anchor.h"
#include "render/textures.h"
#include "venue/quads.h"

namespace {

// Every layer forgets the venue camera and looks through its own fixed eye.
void beginLayer(double eyeY) {
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glLoadIdentity();
    glCullFace(GL_BACK);
    gluLookAt(0, eyeY, 10, 0, 5, 0, 0, 1, 0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

// Blending stays on for whatever is drawn next.
void endLayer() {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_ALPHA_TEST);
}

void placedQuad(float x, float y, float z, float angleX, float sx, float sy, void (*quad)()) {
    glPushMatrix();
    glTranslatef(x, y, z);
    if (angleX != 0) glRotatef(angleX, 1, 0, 0);
    glScalef(sx, sy, 0);
    quad();
    glPopMatrix();
}

// A panel of the layer in `texture`. A picture without cut-outs shows the same with
// blending and the alpha test off (under GL_REPLACE its alpha is 1 everywhere), and the
// rasteriser then fills it far faster: a panel covers much of the window.
void panel(ScreenEdge edge, GLuint texture, float x, float y, float z, float angleX, float sx,
           float sy, void (*quad)()) {
    ScreenAnchor anchor(edge);
    glBindTexture(GL_TEXTURE_2D, texture);
    const bool opaque = textureOpaque(texture);
    if (opaque) {
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    placedQuad(x, y, z, angleX, sx, sy, quad);
    if (opaque) {
        glEnable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
    }
}

} // namespace

void drawStatusPanels(const Jump& j) {
    beginLayer(0);
    const GLuint wind = j.windSpeed < 0   ? textures.windred
                        : j.windSpeed > 0 ? textures.windgreen
                                          : textures.nowind;
    // The wind's sign and box, and the distance's, at the left; record, marks and total at
    // the right.
    panel(ScreenEdge::Left, wind, -9.37f, 8.9f, 0, 25, 2.3f, 2, unitQuad);

    const bool onGround = j.jumperY == j.groundY;
    if (onGround) {
        panel(ScreenEdge::Left, textures.corner, -7, -0.2f, 0, 0, 4, 1, croppedQuad);
        panel(ScreenEdge::Right, textures.corner2, 5.5f, 3.5f, -2.5f, 27, 4, 6, unitQuad);
    }
    panel(ScreenEdge::Left, textures.corner, -14, 11.5f, 0, 0, 7, 2.4f, croppedQuadFlipped);
    if (onGround) {
        panel(ScreenEdge::Right, textures.corner, 3, -0.18f, -0.5f, 0, 4, 1, croppedQuadMirrored);
        panel(ScreenEdge::Right, textures.corner, 5, 12.3f, -0.5f, 0, 7, 2.4f, croppedQuadTurned);
    }
    endLayer();
}

void drawStartLight(const Jump& j) {
    if (j.awaitingStart != 1) return;
    beginLayer(5);
    glBindTexture(GL_TEXTURE_2D, j.startCountdown >= 0 ? textures.greenlight : textures.redlight);
    ScreenAnchor anchor(ScreenEdge::Middle);
    placedQuad(-0.5f, 8.2f, 0, 0, 2, 2, unitQuad);
    endLayer();
}

namespace {

// The field is 756 small quads in one frame. Each placed under its own matrix, as the
// layer's recipe reads, costs a software rasteriser a matrix change and a draw per flake;
// so the corners that the per-flake translate, 25-degree tilt and flat scale give are
// worked out here and the whole field goes out as one batch.
void drawFlakeField(const VenueAnimation& v, bool snow, float lift) {
    static const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const float tilt = 25 * static_cast<float>(M_PI) / 180;
    const float cosTilt = std::cos(tilt), sinTilt = std::sin(tilt);
    float rowX = -9, rowY = lift + 65, rowZ = -1;
    glNormal3f(0, 0, 1);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < kPrecipitationRows; ++i) {
        for (int j = 0; j < kPrecipitationColumns; ++j) {
            const float J = precipitationJitterAt(i, j);
            const float x = rowX + (static_cast<float>(j) + 2 * precipitationJitterAt(j, j));
            const float y = rowY + (J / 2 + J / 4 + v.precipitationFall);
            const float z = rowZ + 4 * J;
            const float sx = snow ? J / 3 + 0.1f : J / 3 + 0.5f;
            const float sy = snow ? J / 3 + 0.1f : J / 3 + 0.6f;
            for (int k : kPolygonTriangleCorners) {
                const float u = sx * corners[k][0], v = sy * corners[k][1];
                glTexCoord2f(corners[k][0], corners[k][1]);
                glVertex3f(x + u, y + cosTilt * v, z + sinTilt * v);
            }
        }
        // Each row about 2 units below the last; J(i, i) runs on into the next row.
        if (i + 1 < kPrecipitationRows) {
            rowX += precipitationJitterAt(i + 1, 0);
            rowY += 3 * precipitationJitterAt(i, i) - 2;
        }
    }
    glEnd();
    // What a last quad drawn corner by corner leaves current.
    glTexCoord2f(0, 1);
}

} // namespace

void drawPrecipitation(const VenueAnimation& v, const Settings& s) {
    const bool snow = snowFalls(s);
    if (!snow && !rainFalls(s)) return;
    beginLayer(0);
    glBindTexture(GL_TEXTURE_2D, snow ? textures.snow : textures.rain);
    drawFlakeField(v, snow, v.precipitationWrapped ? (snow ? 50.0f : 55.0f) : 0.0f);
    endLayer();
}
