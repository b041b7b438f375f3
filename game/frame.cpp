// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/frame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "camera/views.h"
#include "game/camera_view.h"
#include "core/language.h"
#include "core/settings.h"
#include "figure/placement.h"
#include "game/competition_draw.h"
#include "game/game.h"
#include "game/screen_layer.h"
#include "game/hints.h"
#include "game/replay.h"
#include "game/scene_setup.h"
#include "jump/jump_state.h"
#include "platform/platform.h"
#include "render/gl.h"
#include "render/lighting_scope.h"
#include "render/text.h"
#include "render/textures.h"
#include "game/hud.h"
#include "venue/animation.h"
#include "venue/backdrop.h"
#include "venue/furniture.h"
#include "venue/hill.h"
#include "venue/overlays.h"
#include "venue/stands.h"
#include "venue/town.h"

void panelQuad() {
    glPushMatrix();
    glBegin(GL_POLYGON);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(1, 0);
    glVertex3f(2, 0, 0);
    glTexCoord2f(1, 1);
    glVertex3f(2, 1.1f, 0);
    glTexCoord2f(0, 1);
    glVertex3f(0, 1.1f, 0);
    glEnd();
    glPopMatrix();
}

namespace {

void startScreenButton(bool highlighted, GLuint plain, GLuint light, float y) {
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0);
    // The highlighted picture sits a little to the right, so the choice visibly moves.
    glBindTexture(GL_TEXTURE_2D, highlighted ? light : plain);
    glTranslatef(highlighted ? 0.6f : 0.45f, y, -0.9f);
    glScalef(2, 1, 1);
    panelQuad();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glPopMatrix();
}

// The start screen's camera. A scene chosen there is set up under it: the lights take
// their positions in this matrix.
void startScreenView() {
    gluLookAt(8.3, 6.8, 12, 8.3, 6.8, 0, 0, 1, 0);
}

} // namespace

void drawStartScreen(const Game& g) {
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glCullFace(GL_BACK);
    // Later start-screen frames clear to black; this one used the colour set before.
    glClearColor(0, 0, 0, 1);
    startScreenView();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);

    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, textures.wall2);
    glTranslatef(-1, 0, -1);
    glScalef(10, 12, 10);
    panelQuad();
    glPopMatrix();

    startScreenButton(!g.mode.quitChosen, textures.but1, textures.but1light, 9);
    startScreenButton(g.mode.quitChosen, textures.but2, textures.but2light, 8);

    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void (*sceneStepProbe)(const char* step) = nullptr;

namespace {

void sceneStep(const char* step) {
    if (sceneStepProbe) sceneStepProbe(step);
}

// Fog of density 0 changes no colour (its factor is e to the 0, 1), yet the rasteriser works
// it out for every pixel: the scene is drawn without it, and the fog state is left as the
// set-up made it.
class IdleFogOff {
  public:
    IdleFogOff() {
        GLfloat density = 1;
        glGetFloatv(GL_FOG_DENSITY, &density);
        off_ = glIsEnabled(GL_FOG) && density == 0;
        if (off_) glDisable(GL_FOG);
    }
    ~IdleFogOff() {
        if (off_) glEnable(GL_FOG);
    }
    IdleFogOff(const IdleFogOff&) = delete;
    IdleFogOff& operator=(const IdleFogOff&) = delete;

  private:
    bool off_ = false;
};

} // namespace

void drawScene(const Game& g) {
    const Jump& j = g.jump;
    IdleFogOff idleFog;
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glCullFace(GL_BACK);
    sceneStep("clear");
    showBeamOpacity(g.venue.beamOpacity);

    // Screen-fixed layers, each in its own matrix push.
    glPushMatrix();
    drawJumpHud(j, g.records.recordDistance);
    glPopMatrix();
    glPushMatrix();
    drawScoreBoard(j);
    glPopMatrix();
    glPushMatrix();
    drawStatusPanels(j);
    glPopMatrix();
    glPushMatrix();
    drawStartLight(j);
    glPopMatrix();
    glPushMatrix();
    drawPrecipitation(g.venue, g.settings);
    glPopMatrix();
    sceneStep("screen layers");

    glScalef(10, 10, 10);
    applyCameraView(g.camera);
    glScalef(0.8f, 0.8f, 0.8f);

    glBindTexture(GL_TEXTURE_2D, textures.window);
    drawInrunStructure(g.settings);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    sceneStep("in-run structure");

    glBindTexture(GL_TEXTURE_2D, textures.window);
    if (g.settings.hillNumber == 1 || g.settings.hillNumber == 2) drawInrunMarkers(g.settings);
    drawStartBar(g.settings);
    sceneStep("markers and start bar");
    drawMountains(g.settings);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    sceneStep("mountains");
    if (chairliftShown(g.settings)) drawChairlift(g.venue);
    drawAirship(g.venue);
    sceneStep("chairlift and airship");
    glPushMatrix();
    {
        // The figure's many small triangles: two-sided lighting would cost the most here,
        // and the scene keeps back faces culled. (Switched off over larger surfaces, it
        // changes their shading where the rasteriser clips them.)
        OneSidedWhileCulled oneSided;
        if (j.atGate == 1)
            drawGateFigure(j, g.settings);
        else
            drawJumperInPlace(j, g.settings);
    }
    glPopMatrix();
    sceneStep("jumper");
    glBindTexture(GL_TEXTURE_2D, textures.window);
    drawHill(g.settings);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    sceneStep("hill");
    if (sceneryDetail(g.settings.detailLevel)) drawSeatingBlocks(g.settings);
    if (sceneryDetail(g.settings.detailLevel)) drawForests();
    sceneStep("seating blocks and forests");
    if (sceneryDetail(g.settings.detailLevel)) drawStands(g.settings);
    if (g.settings.hillNumber == 3 && sceneryDetail(g.settings.detailLevel)) {
        glPushMatrix();
        glTranslatef(10, -2, -25);
        drawSafetyNet();
        glPopMatrix();
    }
    sceneStep("stands and safety net");
    if (townShown(g.settings)) drawTown(g.venue, g.settings);
    sceneStep("town");
    if (floodlightsShown(g.settings)) {
        glPushMatrix();
        glTranslatef(13, -11, 40);
        glRotatef(-45, 0, 1, 0);
        floodlightMast(g.settings);
        glPopMatrix();
        glPushMatrix();
        glTranslatef(-10, -11, 40);
        glRotatef(-135, 0, 1, 0);
        floodlightMast(g.settings);
        glPopMatrix();
    }
    sceneStep("floodlight masts");
    // The lamps' metal is sphere-mapped; switched on whether they are drawn or not.
    glBindTexture(GL_TEXTURE_2D, textures.window);
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    if (sceneryDetail(g.settings.detailLevel)) drawSlopeLamps(g.settings);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    sceneStep("slope lamps");
}

namespace {

// Layers in window pixels over the finished picture, origin at the bottom left.

// The paused picture under a dimmed layer, with "pauza" in the middle in the large font.
void drawPauseLayer() {
    ScreenLayer layer;
    layer.dim(0.55f);
    glColor4f(1, 1, 1, 1);
    layer.text(largeFont, _("pauza"), layer.w / 2, layer.h / 2, true);
}

// The controls on a dark panel in the middle of the window, whatever its size.
void drawHelpPanel() {
    ScreenLayer layer;
    layer.dim(0.5f);
    const char* title = _("Pomoc");
    float widest = textWidth(smallFont, title);
    for (int i = 0; i < kHelpLineCount; ++i)
        widest = std::max(widest, textWidth(helpFont, _(kHelpLines[i])));
    const float lineHeight = 24, titleHeight = 40, margin = 16;
    const float panelW = widest + 2 * margin;
    const float panelH = titleHeight + kHelpLineCount * lineHeight + 2 * margin;
    const float left = std::floor((layer.w - panelW) / 2),
                bottom = std::floor((layer.h - panelH) / 2);
    glColor4f(0.04f, 0.07f, 0.2f, 0.9f);
    glRectf(left, bottom, left + panelW, bottom + panelH);
    float y = bottom + panelH - margin - 28;
    glColor4f(1, 0.85f, 0.35f, 1);
    layer.text(smallFont, title, layer.w / 2, y, true);
    glColor4f(1, 1, 1, 1);
    y -= titleHeight - 4;
    for (int i = 0; i < kHelpLineCount; ++i, y -= lineHeight)
        layer.text(helpFont, _(kHelpLines[i]), left + margin, y);
}

// A hint in the small font in the window's middle, above the jumper's usual place.
void drawHint(const char* hint) {
    ScreenLayer layer;
    // A notice too wide for the window breaks after its colon: a line that starts left of the
    // window would not be drawn at all.
    std::string lines[2] = {hint, ""};
    const size_t colon = lines[0].find(": ");
    if (textWidth(smallFont, hint) > layer.w - 24 && colon != std::string::npos) {
        lines[1] = lines[0].substr(colon + 2);
        lines[0].resize(colon + 1);
    }
    const int count = lines[1].empty() ? 1 : 2;
    constexpr float kLineStep = 34;
    float width = 0;
    for (int i = 0; i < count; ++i)
        width = std::max(width, textWidth(smallFont, lines[i].c_str()));
    const float y = std::floor(layer.h * 0.62f), bottom = y - kLineStep * (count - 1);
    const float left = std::floor((layer.w - width) / 2);
    // On a dark band, so it reads over snow and sky alike.
    glColor4f(0.04f, 0.07f, 0.2f, 0.75f);
    glRectf(left - 12, bottom - 10, left + width + 12, y + 28);
    glColor4f(1, 0.9f, 0.3f, 1);
    for (int i = 0; i < count; ++i)
        layer.text(smallFont, lines[i].c_str(),
                   std::floor((layer.w - textWidth(smallFont, lines[i].c_str())) / 2),
                   y - kLineStep * i);
}

// "powtórka" at the top centre while a replay plays.
void drawReplayLabel() {
    ScreenLayer layer;
    const char* label = _("powtórka");
    const float width = textWidth(smallFont, label), y = layer.h - 42;
    const float left = std::floor((layer.w - width) / 2);
    glColor4f(0.04f, 0.07f, 0.2f, 0.75f);
    glRectf(left - 12, y - 10, left + width + 12, y + 30);
    glColor4f(1, 1, 1, 1);
    layer.text(smallFont, label, left, y);
}

} // namespace

void drawFrame(Game& g) {
    if (g.sceneGraphicsPending) {
        g.sceneGraphicsPending = false;
        glLoadIdentity();
        startScreenView();
        setupSceneGraphics(g.settings);
    }
    const bool startScreen = g.mode.screen == Screen::Start;
    if (startScreen) {
        drawStartScreen(g);
        drawContestKey();
        drawContestPanel(g);
    } else {
        drawScene(g);
        // A hint is advice on the player's own jump, not on a replayed one.
        if (replayRunning(g))
            drawReplayLabel();
        else if (currentNotice(g))
            drawHint(currentNotice(g));
        else if (currentHint(g) && hintsOn(g))
            drawHint(currentHint(g));
        if (!replayRunning(g)) drawCompetition(g);
        if (g.mode.paused) drawPauseLayer();
    }
    if (g.mode.help) drawHelpPanel();
    platformSwapBuffers();
    if (!startScreen) sceneStep("swap");
}
