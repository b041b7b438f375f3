// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure/placement.h"

#include "core/settings.h"
#include "figure/jumper.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "render/gl.h"
#include "render/textures.h"

namespace {

void sphereMappedWindow() {
    glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, textures.window);
}

} // namespace

void placeFigure(float x, float y, float z) {
    const HillMotion* m = hillMotion(hillNumber);
    glTranslatef(x, y + (m ? m->figureLift : 0), z);
    glScalef(0.1f, 0.1f, 0.1f);
    sphereMappedWindow();
    glPushMatrix();
    drawJumper();
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void placeShadow(float x, float y, float z) {
    const HillMotion* m = hillMotion(hillNumber);
    glTranslatef(x, y + (m ? m->figureLift : 0), z);
    glScalef(0.1f, 0.1f, 0.1f);
    sphereMappedWindow();
    glPushMatrix();
    glScalef(1, 0.1f, 1);
    glRotatef(jumperY != groundY ? -40.0f : 50.0f, 1, 0, 0);
    drawJumperShadow();
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void drawGateFigure() {
    if (!knownHill(hillNumber)) return;
    glTranslatef(gateFigureX, gateFigureY + (hillNumber == 3 ? 0.25f : 0.2f), gateFigureZ);
    glColor4f(255, 0, 0, 0);
    glScalef(0.1f, 0.1f, 0.1f);
    if (hillNumber == 3) glRotatef(-10, 1, 0, 0);
    drawJumper();
}

void drawJumperInPlace() {
    if (!hillMotion(hillNumber)) return;
    if (shadowShown()) {
        glPushMatrix();
        placeFigure(jumperX, jumperY + 0.15f, jumperZ);
        glPopMatrix();
        glPushMatrix();
        glRotatef(180, 0, 0, 1);
        placeShadow(-jumperX - 0.03f, -groundY - 0.7f, jumperZ);
        glPopMatrix();
    } else {
        glPushMatrix();
        placeFigure(jumperX, jumperY, jumperZ);
        glPopMatrix();
    }
}
