// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The houses and blocks of flats of the town, built face by face from the unit box.
#include "venue/buildings.h"

#include "core/settings.h"
#include "render/gl.h"
#include "render/textures.h"
#include "venue/quads.h"
#include "venue/town.h"

namespace {

struct Corner {
    float x, y, z, s, t;
};

void face(const float normal[3], const Corner (&corners)[4], bool textured = true) {
    glPushMatrix();
    glBegin(GL_POLYGON);
    glNormal3fv(normal);
    for (const Corner& c : corners) {
        if (textured) glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
    glPopMatrix();
}

const float kUp[3] = {0, 1, 0};
const float kRight[3] = {1, 0, 0};
const float kLeft[3] = {-1, 0, 0};
const float kBack[3] = {0, 0, -1};

const Corner kRoofCorners[4] = {
    {0, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, 1, -1, 1, 1}, {0, 1, -1, 0, 1}};

const Corner kRoofSlope[4] = {
    {0, 0.8f, 0.1f, 0, 0}, {1, 0.8f, 0.1f, 5, 0}, {1, 2, -0.5f, 5, 1}, {0, 2, -0.5f, 0, 1}};

const Corner kBackCorners[4] = {
    {1, 0, -1, 0, 0}, {0, 0, -1, 1, 0}, {0, 1, -1, 1, 0.9f}, {1, 1, -1, 0, 0.9f}};

void roofSlope() {
    face(kUp, kRoofSlope);
}

// Night pictures only when it is night; any other mode keeps the day ones.
GLuint byTimeOfDay(const Settings& s, GLuint day, GLuint night) {
    return s.lightingMode == kLightingNight ? night : day;
}

// A box building with a flat roof in the current frame, at the given size.
void flatRoofedBox(float width, float height, float depth, GLuint front, GLuint side, GLuint back) {
    glPushMatrix();
    glScalef(width, height, depth);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, front);
    unitQuad();
    glBindTexture(GL_TEXTURE_2D, side);
    sideFaces();
    glBindTexture(GL_TEXTURE_2D, back);
    backFace();
    // The roof keeps the back's texture and its last coordinate: one plain texel.
    glColor3f(0.5f, 0.5f, 0.5f);
    flatRoof();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopMatrix();
}

// What flatRoofedBox leaves current: the back's texture, the roof's grey and normal, the
// back's last texture coordinate.
void flatRoofedBoxLeftovers(GLuint back) {
    glBindTexture(GL_TEXTURE_2D, back);
    glColor3f(0.5f, 0.5f, 0.5f);
    glNormal3fv(kUp);
    glTexCoord2f(kBackCorners[3].s, kBackCorners[3].t);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

} // namespace

void sideFaces() {
    static const Corner right[4] = {
        {1, 0, 0, 0, 0}, {1, 0, -1, 1, 0}, {1, 1, -1, 1, 0.8f}, {1, 1, 0, 0, 0.8f}};
    static const Corner left[4] = {
        {0, 0, 0, 0, 0}, {0, 1, 0, 0, 0.8f}, {0, 1, -1, 1, 0.8f}, {0, 0, -1, 1, 0}};
    face(kRight, right);
    face(kLeft, left);
}

void backFace() {
    face(kBack, kBackCorners);
}

void flatRoof() {
    face(kUp, kRoofCorners, false);
}

void texturedRoof() {
    face(kUp, kRoofCorners);
}

void gableEnds() {
    static const Corner right[4] = {
        {1, 1, 0, 0, 0}, {1, 1, -1, 1, 0}, {1, 2, -1, 1, 0.9f}, {1, 2, 0, 0, 0.9f}};
    static const Corner left[4] = {
        {0, 1, 0, 0, 0}, {0, 2, 0, 0, 0.9f}, {0, 2, -1, 1, 0.9f}, {0, 1, -1, 1, 0}};
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    face(kRight, right);
    face(kLeft, left);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

void pitchedRoof() {
    roofSlope();
    glPushMatrix();
    glTranslatef(1, 0, -1);
    glRotatef(180, 0, 1, 0);
    roofSlope();
    glPopMatrix();
}

void drawHouse1(const Settings&) {
    flatRoofedBox(8, 2, 3, textures.budynek1przod, textures.budynek1bok, textures.budynek1tyl);
}

void drawHouse2(const Settings& s) {
    flatRoofedBox(6, 2, 4, byTimeOfDay(s, textures.budynek2przod, textures.budynek2przodnoc),
                  byTimeOfDay(s, textures.budynek2bok, textures.budynek2boknoc),
                  byTimeOfDay(s, textures.budynek2tyl, textures.budynek2tylnoc));
}

void drawHouse3(const Settings& s) {
    flatRoofedBox(6, 2, 4, byTimeOfDay(s, textures.budynek3przod, textures.budynek3przodnoc),
                  byTimeOfDay(s, textures.budynek2bok, textures.budynek2boknoc),
                  byTimeOfDay(s, textures.budynek2tyl, textures.budynek2tylnoc));
}

void drawHouse4(const Settings& s) {
    flatRoofedBox(8, 2.2f, 4, byTimeOfDay(s, textures.budynek4przod, textures.budynek4przodnoc),
                  textures.budynek4bok, textures.budynek4tyl);
}

void drawHouse5(const Settings&) {
    glPushMatrix();
    glScalef(15, 3, 10);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBindTexture(GL_TEXTURE_2D, textures.budynek5przod);
    unitQuad();
    glBindTexture(GL_TEXTURE_2D, textures.budynek5bok);
    sideFaces();
    glBindTexture(GL_TEXTURE_2D, textures.budynek5bokgora);
    gableEnds();
    glBindTexture(GL_TEXTURE_2D, textures.budynek5tyl);
    backFace();
    glColor3f(0.5f, 0.5f, 0.5f);
    glBindTexture(GL_TEXTURE_2D, textures.dach);
    pitchedRoof();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopMatrix();
}

void drawFlats(const Settings& s) {
    glPushMatrix();
    glTranslatef(0, -10.8f, 120);
    flatRoofedBox(30, 10, 8, byTimeOfDay(s, textures.przod16, textures.przod16noc),
                  textures.bokblok16, byTimeOfDay(s, textures.bloktyl16, textures.bloktyl16noc));
    glPopMatrix();
    static const float porchX[4] = {2, 8.9f, 16.2f, 23.6f};
    for (float x : porchX) {
        glPushMatrix();
        glTranslatef(x, -10.8f, 123);
        flatRoofedBox(2.2f, 3.3f, 3.2f, textures.klatkaprzod16, textures.bokklatka16,
                      textures.bokklatka16);
        glPopMatrix();
    }
}

void house1Leftovers(const Settings&) {
    flatRoofedBoxLeftovers(textures.budynek1tyl);
}

void house2Leftovers(const Settings& s) {
    flatRoofedBoxLeftovers(byTimeOfDay(s, textures.budynek2tyl, textures.budynek2tylnoc));
}

void house3Leftovers(const Settings& s) {
    house2Leftovers(s);
}

void house4Leftovers(const Settings&) {
    flatRoofedBoxLeftovers(textures.budynek4tyl);
}

void house5Leftovers(const Settings&) {
    glBindTexture(GL_TEXTURE_2D, textures.dach);
    glColor3f(0.5f, 0.5f, 0.5f);
    glNormal3fv(kUp);
    glTexCoord2f(kRoofSlope[3].s, kRoofSlope[3].t);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // The gable ends switch blending and the alpha test off behind them.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
}

void flatsLeftovers(const Settings&) {
    flatRoofedBoxLeftovers(textures.bokklatka16);
}

void roofLeftovers() {
    glNormal3fv(kUp);
    glTexCoord2f(kRoofCorners[3].s, kRoofCorners[3].t);
}
