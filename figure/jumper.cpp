// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure/jumper.h"

#include <algorithm>

#include "render/quadrics.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/pose.h"
#include "render/gl.h"
#include "render/primitives.h"

namespace {

// The shadow shares the skeleton but keeps the one grey its caller set.
bool drawingShadow = false;

void colour(GLubyte r, GLubyte g, GLubyte b) {
    if (!drawingShadow) glColor3ub(r, g, b);
}

// A colour file's value outside 0..255 is held at the nearest end, not wrapped round.
GLubyte channel(int32_t value) {
    return static_cast<GLubyte>(std::clamp<int32_t>(value, 0, 255));
}

void colour(const int32_t rgb[3]) {
    colour(channel(rgb[0]), channel(rgb[1]), channel(rgb[2]));
}

void cylinder(double base, double top, double height) {
    // Without the scene's quadric there is no cylinder, as before.
    if (figureQuadric) solidCylinder(base, top, height, false);
}

void box() {
    texturedBox(0, 0, 0, 0, 0);
}

void head(const Settings& s) {
    colour(s.helmetColor);
    glPushMatrix(); // helmet shell
    glScalef(1.3f, 1.1f, 1);
    glTranslatef(0, 3.1f, 0);
    solidSphere(0.5);
    glPopMatrix();

    glPushMatrix(); // helmet peak
    glTranslatef(0, 3.45f, 0.35f);
    glScalef(0.6f, 0.5f, 0.6f);
    solidSphere(0.5);
    glPopMatrix();

    colour(100, 100, 100);
    glPushMatrix(); // goggle band
    glScalef(0.9f, 0.3f, 1);
    glTranslatef(0, 10.2f, 0.23f);
    glRotatef(-90, 1, 0, 0);
    cylinder(0.4, 0.4, 1.1);
    glPopMatrix();

    colour(255, 215, 189);
    glPushMatrix(); // face
    glScalef(0.8f, 1.1f, 1);
    glTranslatef(0, 2.9f, 0.1f);
    solidSphere(0.5);
    glPopMatrix();

    colour(245, 205, 179);
    glPushMatrix(); // nose
    glTranslatef(0, 3.1f, 0.6f);
    glScalef(0.1f, 0.3f, 0.3f);
    solidSphere(0.5);
    glPopMatrix();

    colour(255, 45, 48);
    glPushMatrix(); // lips
    glTranslatef(0, 2.9f, 0.5f);
    glScalef(0.2f, 0.07f, 0.2f);
    solidSphere(0.5);
    glPopMatrix();
}

// Shoulder, upper arm hanging down, elbow, forearm, hand.
void armChain() {
    solidSphere(0.3);
    glRotatef(90, 1, 0, 0);
    cylinder(0.3, 0.2, 1.1);
    glRotatef(-90, 1, 0, 0);
    glTranslatef(0, -1.1f, 0);
    solidSphere(0.2);
    glRotatef(90, 1, 0, 0);
    cylinder(0.2, 0.2, 1);
    glRotatef(-90, 1, 0, 0);
    glTranslatef(0, -1.1f, 0);
    glScalef(0.8f, 1, 0.4f);
    colour(245, 220, 187);
    solidSphere(0.3);
}

void upperBody(const Jump& j, const Settings& s) {
    glPushMatrix();
    glRotatef(j.trunkBend, 1, 0, 0);
    glRotatef(j.flightLean, 1, 0, 0);

    head(s);

    colour(255, 255, 255);
    glPushMatrix(); // torso (bib)
    glScalef(1, 1, 0.7f);
    glTranslatef(0, 0.5f, 0);
    glRotatef(-90, 1, 0, 0);
    cylinder(0.75, 1, 1.6);
    glPopMatrix();

    glPushMatrix(); // shoulders (bib)
    glTranslatef(0, 2.1f, 0);
    glScalef(1, 0.35f, 0.7f);
    glRotatef(-90, 1, 0, 0);
    solidSphere(1);
    glPopMatrix();

    colour(s.suitColor);
    glPushMatrix(); // neck
    glTranslatef(0, 2.4f, 0);
    glRotatef(-90, 1, 0, 0);
    cylinder(0.3, 0.25, 0.5);
    glPopMatrix();

    colour(s.suitColor);
    glPushMatrix(); // left arm
    glTranslatef(-1, -0.2f, 0);
    glRotatef(-30, 0, 0, 1);
    glRotatef(j.armSwing, 0, 1, 0);
    glTranslatef(0, 0, j.armSwing);
    glTranslatef(-1, 1.9f, 0);
    armChain();
    glPopMatrix();

    colour(s.suitColor);
    glPushMatrix(); // right arm
    glTranslatef(1, -0.2f, 0);
    glRotatef(30, 0, 0, 1);
    glRotatef(-j.armSwing, 0, 1, 1);
    glTranslatef(0, 0, -j.armSwing);
    glTranslatef(1, 1.9f, 0);
    armChain();
    glPopMatrix();

    colour(s.suitColor);
    glPushMatrix(); // pelvis
    glTranslatef(0, 0.5f, 0);
    glScalef(0.75f, 1, 0.6f);
    solidSphere(1);
    glPopMatrix();

    glPopMatrix();
}

// Hip, thigh, knee, shin, then the boot with its ski.
void legChain(const Jump& j, const Settings& s, float skiYaw) {
    colour(s.suitColor);
    glScalef(0.4f, 0.4f, 0.4f);
    solidSphere(1);
    glScalef(1.4f, 1.4f, 1.4f);
    glTranslatef(0, 0.2f, 0);

    glRotatef(90, 1, 0, 0);
    cylinder(0.7, 0.6, 4);
    glRotatef(-90, 1, 0, 0);
    glTranslatef(0, -4, 0);
    solidSphere(0.6);

    glRotatef(j.kneeBend, 1, 0, 0);
    glRotatef(90, 1, 0, 0);
    cylinder(0.6, 0.45, 4);
    glRotatef(-90, 1, 0, 0);

    colour(0, 0, 0);
    // The box runs x 0..1: -0.4 centres the boot on either leg.
    glTranslatef(-0.4f, -4.4f, 1.4f);
    glRotatef(j.anklePitch, 1, 0, 0);
    glRotatef(skiYaw, 0, 1, 0);
    // The shadow lies on the snow: it does not follow the landing slope.
    glRotatef(drawingShadow ? j.inrunPitch : j.inrunPitch + j.slopePitch, 1, 0, 0);
    glRotatef(-j.flightLean / 2, 1, 0, 0);
    glScalef(0.8f, 0.6f, 1.8f);
    box();

    colour(s.skiColor);
    glTranslatef(0, -0.2f, 8);
    glScalef(0.8f, 0.3f, 13);
    box();
}

void leg(const Jump& j, const Settings& s, float roll, float side, float skiYaw) {
    glPushMatrix();
    glRotatef(j.hipPitch, 1, 0, 0);
    glRotatef(roll, 0, 0, 1);
    glTranslatef(side, 0, 0);
    legChain(j, s, skiYaw);
    glPopMatrix();
}

void skeleton(const Jump& j, const Settings& s) {
    glPushMatrix();
    glRotatef(drawingShadow ? j.flightLean / 2 : j.flightLean / 2 + j.bodyPitch, 1, 0, 0);
    upperBody(j, s);
    leg(j, s, j.leftLegRoll, -0.4f, j.leftSkiYaw);
    leg(j, s, j.rightLegRoll, 0.4f, j.rightSkiYaw);
    glPopMatrix();
}

} // namespace

float shadowGrey(const Settings& s) {
    const bool summer = s.season == 1;
    if (s.lightingMode == kLightingNight) return summer ? 0.2f : 0.4f;
    return summer ? 0.3f : 0.6f; // day, and any other lighting mode
}

void drawJumper(const Jump& j, const Settings& s) {
    drawingShadow = false;
    skeleton(j, s);
}

void drawJumperShadow(const Jump& j, const Settings& s) {
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float grey = shadowGrey(s);
    glColor3f(grey, grey, grey);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    drawingShadow = true;
    skeleton(j, s);
    drawingShadow = false;
    glDisable(GL_BLEND);
    glPopMatrix();
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
}
