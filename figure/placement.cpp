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

void placeFigure(const Jump& j, const Settings& s, float x, float y, float z) {
    const HillMotion* m = hillMotion(s.hillNumber);
    glTranslatef(x, y + (m ? m->figureLift : 0), z);
    glScalef(0.1f, 0.1f, 0.1f);
    sphereMappedWindow();
    glPushMatrix();
    drawJumper(j, s);
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void placeShadow(const Jump& j, const Settings& s, float x, float y, float z) {
    const HillMotion* m = hillMotion(s.hillNumber);
    glTranslatef(x, y + (m ? m->figureLift : 0), z);
    glScalef(0.1f, 0.1f, 0.1f);
    sphereMappedWindow();
    glPushMatrix();
    glScalef(1, 0.1f, 1);
    glRotatef(j.jumperY != j.groundY ? -40.0f : 50.0f, 1, 0, 0);
    drawJumperShadow(j, s);
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

void drawGateFigure(const Jump& j, const Settings& s) {
    if (!knownHill(s.hillNumber)) return;
    glTranslatef(j.gateFigureX, j.gateFigureY + (s.hillNumber == 3 ? 0.25f : 0.2f), j.gateFigureZ);
    glColor4f(255, 0, 0, 0);
    glScalef(0.1f, 0.1f, 0.1f);
    if (s.hillNumber == 3) glRotatef(-10, 1, 0, 0);
    drawJumper(j, s);
}

void drawJumperInPlace(const Jump& j, const Settings& s) {
    if (!hillMotion(s.hillNumber)) return;
    if (shadowShown(j, s.hillNumber)) {
        glPushMatrix();
        placeFigure(j, s, j.jumperX, j.jumperY + 0.15f, j.jumperZ);
        glPopMatrix();
        glPushMatrix();
        glRotatef(180, 0, 0, 1);
        placeShadow(j, s, -j.jumperX - 0.03f, -j.groundY - 0.7f, j.jumperZ);
        glPopMatrix();
    } else {
        glPushMatrix();
        placeFigure(j, s, j.jumperX, j.jumperY, j.jumperZ);
        glPopMatrix();
    }
}
