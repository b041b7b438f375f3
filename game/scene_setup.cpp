// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/scene_setup.h"

#include "camera/views.h"
#include "core/environment.h"
#include "core/game_folders.h"
#include "core/settings.h"
#include "game/game.h"
#include "jump/jump_state.h"
#include "render/gl.h"
#include "render/quadrics.h"
#include "render/text.h"
#include "render/textures.h"
#include "venue/animation.h"

namespace {

void setDaylight(const Settings& s) {
    if (s.season == 0)
        glClearColor(0.98f, 1.0f, 1.0f, 1.0f);
    else if (s.season == 1)
        glClearColor(0.9f, 0.9f, 1.0f, 1.0f);
    glEnable(GL_LIGHT0);
    for (GLenum l = GL_LIGHT1; l <= GL_LIGHT4; ++l)
        glDisable(l);
}

void setFloodColours(GLenum light, const GLfloat position[4], const GLfloat ambient[4]) {
    static const GLfloat white[4] = {1, 1, 1, 1};
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_DIFFUSE, white);
    glLightfv(light, GL_AMBIENT, ambient);
}

void setSpot(GLenum light, GLfloat cutoff, GLfloat exponent, const GLfloat direction[3]) {
    glLightf(light, GL_SPOT_CUTOFF, cutoff);
    glLightf(light, GL_SPOT_EXPONENT, exponent);
    glLightfv(light, GL_SPOT_DIRECTION, direction);
}

} // namespace

TextureChoice sceneTextures(const Settings& s) {
    return {textureFolder(), textureLanguageFolder(), s.hillNumber, s.detailLevel};
}

void applyTimeOfDay(const Settings& s) {
    if (s.lightingMode == kLightingDay) {
        setDaylight(s);
    } else if (s.lightingMode == kLightingNight) {
        if (s.hillNumber == 1 || s.hillNumber == 2) {
            glClearColor(static_cast<float>(s.skyRed), static_cast<float>(s.skyGreen), 0.2f, 1.0f);
            glDisable(GL_LIGHT0);
            for (GLenum l = GL_LIGHT1; l <= GL_LIGHT4; ++l)
                glEnable(l);
        } else {
            setDaylight(s); // the big hill is only jumped by day
        }
    }
}

void setupSceneState(Game& g) {
    // 1. Settings, then what follows from them.
    readSceneBatch(g.settings);
    fitSceneChoices(g.settings);
    prepareSceneState(g);
}

void prepareSceneState(Game& g) {
    // 2. Time of day, 3. the hill's start values.
    float colour[3];
    if (backdropColourFor(g.settings.lightingMode, g.settings.hillNumber, colour))
        for (int i = 0; i < 3; ++i)
            backdropColor[i] = colour[i];
    applyHillStartValues(g.jump, g.settings.hillNumber);
    // 8. The fog mode; 10. and 11. jitter tables, then the start wind from the same seed.
    readFogMode(g.settings);
    fillJitterTables(g.random);
    drawStartWind(g.jump, liveCourse(g));
    // The first frame of the scene comes before its first step: it must already look from
    // the chosen view at the gate, not from the origin or from the last session's shot.
    placeCameraStill(g.camera, g.jump, g.settings, g.venue.airshipTravel);
}

void setupSceneGraphics(const Settings& s) {
    applyTimeOfDay(s);

    // 4. Fixed state.
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    if (s.detailLevel == 2 || s.detailLevel == 3 || s.detailLevel == 4) {
        glEnable(GL_POLYGON_SMOOTH);
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_POINT_SMOOTH);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glAlphaFunc(GL_GREATER, 0);
    glEnable(GL_LIGHTING);

    // 5. Lights; positions are taken in the model-view matrix current now.
    static const GLfloat ambient0[4] = {0.2f, 0.2f, 0.2f, 1};
    static const GLfloat white[4] = {1, 1, 1, 1};
    static const GLfloat down[3] = {0, -1, 0};
    static const GLfloat ambientFlood[4] = {1.2f, 1.2f, 1.2f, 1};
    static const GLfloat ambient4[4] = {100.2f, 100.2f, 100.2f, 1};
    static const GLfloat pos1[4] = {-4.15f, 100.3f, -97.1f, 1};
    static const GLfloat pos2[4] = {-2.15f, 100.3f, -27.1f, 1};
    static const GLfloat pos3[4] = {-2.15f, 60.3f, 127.1f, 1};
    static const GLfloat pos4[4] = {0, 150.3f, 25.1f, 10};
    static const GLfloat dir0[3] = {0, 0, -1};
    static const GLfloat dir4[3] = {0, -1, 25};
    // Colours (and the floodlights' positions) first, then the spot shapes light by light.
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient0);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    setFloodColours(GL_LIGHT1, pos1, ambientFlood);
    setFloodColours(GL_LIGHT2, pos2, ambientFlood);
    setFloodColours(GL_LIGHT3, pos3, ambientFlood);
    setFloodColours(GL_LIGHT4, pos4, ambient4);
    // The day light keeps its 180 degree cut-off: it is no spotlight.
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 1);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, dir0);
    setSpot(GL_LIGHT1, 20, 110, down);
    setSpot(GL_LIGHT2, 25, 110, down);
    setSpot(GL_LIGHT3, 30, 20, down);
    setSpot(GL_LIGHT4, 0, 0, dir4);

    // 6. Lighting model and material.
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    static const GLfloat specular[4] = {0.01f, 0.01f, 0.01f, 1};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 10);

    // 7. Textures.
    glEnable(GL_TEXTURE_2D);
    loadTextures(sceneTextures(s));

    // 8. Fog.
    // An unknown or missing mode keeps fog off: GL's own default would whiten the scene.
    float density;
    if (fogDensityFor(s.fogMode, s.season, &density)) {
        glFogf(GL_FOG_DENSITY, density);
        glEnable(GL_FOG);
    } else {
        glDisable(GL_FOG);
    }
    static const GLfloat fogColour[4] = {1, 1, 1, 1};
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogf(GL_FOG_START, s.season == 0 ? 10.0f : 100.0f);
    glFogf(GL_FOG_END, 100000.0f);

    // 9. Quadrics; the previous run's are no longer referenced.
    if (sceneryQuadric) gluDeleteQuadric(sceneryQuadric);
    if (figureQuadric) gluDeleteQuadric(figureQuadric);
    sceneryQuadric = newQuadric();
    figureQuadric = newQuadric();

    // 12. Fonts.
    releaseFont(smallFont);
    releaseFont(largeFont);
    releaseFont(helpFont);
    smallFont = buildFont("Arial", 30);
    largeFont = buildFont("Arial", 50);
    helpFont = buildFont("Arial", 20);
}

void setupScene(Game& g) {
    setupSceneState(g);
    setupSceneGraphics(g.settings);
}
