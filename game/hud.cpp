// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The red on-screen texts: distance, wind, record, countdown, style marks and points.
#include <cmath>
#include <cstdio>
#include <string>

#include "core/language.h"
#include "score/records.h"
#include "game/hud.h"
#include "score/points.h"
#include "jump/jump_state.h"
#include "render/gl.h"
#include "render/screen_anchor.h"
#include "render/text.h"

namespace {

bool landed(const Jump& j) {
    return j.jumperY == j.groundY;
}

void printNumber(GLuint font, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", static_cast<int>(value));
    printText(font, text);
}

// Both layers look at the same screen-fixed plane.
void hudView() {
    glLoadIdentity();
    gluLookAt(0, 0, 10, 0, 5, 0, 0, 1, 0);
}

// A raster position of the 4:3 layout, kept at its edge of the window.
void rasterAt(ScreenEdge edge, float x, float y, float z = 0) {
    ScreenAnchor anchor(edge);
    glRasterPos3f(x, y, z);
}

float rasterX() {
    GLfloat position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return position[0];
}

bool rasterValid() {
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return valid == GL_TRUE;
}

// The right panels run on past the window's edge; in a small window their texts would too.
constexpr float kEdgeMargin = 4; // pixels

// Where a text of this width from the raster position would pass the window's right edge,
// the raster position moves left just enough.
void keepInsideWindow(float width) {
    if (!rasterValid()) return;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float over = rasterX() + width - (static_cast<float>(viewport[2]) - kEdgeMargin);
    if (over > 0) glBitmap(0, 0, 0, 0, -std::ceil(over), 0, nullptr);
}

std::string twoDigits(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", static_cast<int>(value));
    return text;
}

// " rekord: 123 m." in its panel at the top right (drawStatusPanels), whose left end lies
// at x 5 and depth -0.5 of the screen plane. Where the panel is too narrow for it at this
// window size it comes in the help font.
void printRecord(int32_t recordDistance, float x, float y) {
    constexpr float kPanelLeft = 4, kPanelDepth = -0.5f; // in the HUD's translated frame
    constexpr float kBorder = 2;                         // the leading space does the rest
    rasterAt(ScreenEdge::Right, kPanelLeft, y, kPanelDepth);
    const bool panelSeen = rasterValid();
    const float left = rasterX() + kBorder;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const std::string number = twoDigits(recordDistance);
    // TRANSLATORS: the HUD's words keep their spaces and stay short; "pkt" is "points".
    const char* const word = _(" rekord: ");
    const std::string text = word + number + " m.";
    const float right = static_cast<float>(viewport[2]) - kEdgeMargin;
    const GLuint font =
        panelSeen && right - textWidth(smallFont, text.c_str()) < left ? helpFont : smallFont;
    rasterAt(ScreenEdge::Right, x, y);
    keepInsideWindow(textWidth(font, text.c_str()));
    printText(font, word);
    printText(font, number.c_str());
    printText(font, " m.");
}

} // namespace

void drawJumpHud(const Jump& j, int32_t recordDistance) {
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    hudView();
    glPushMatrix();

    glColor3f(255, 0, 0);
    glTranslatef(0, 5, 0);
    rasterAt(ScreenEdge::Left, -5.5f, -5);
    if (landed(j)) printNumber(largeFont, j.jumpDistance);
    glTranslatef(1, 0, 0);
    if (landed(j)) printText(largeFont, "m");
    printText(smallFont, " ");

    rasterAt(ScreenEdge::Left, -10.8f, 7.6f);
    printNumber(smallFont, j.windSpeed);
    printText(smallFont, "m/s");
    printText(smallFont, " ");

    if (landed(j))
        printRecord(recordDistance, 4.3f, 7.7f);
    else
        rasterAt(ScreenEdge::Right, 4.3f, 7.7f);

    if (j.awaitingStart == 1 && j.startCountdown >= 0) {
        rasterAt(ScreenEdge::Middle, -0.7f, 3.7f);
        printNumber(smallFont, j.startCountdown / 100);
    }
    glPopMatrix();
}

void drawScoreBoard(const Jump& j) {
    hudView();
    glPushMatrix();
    if (landed(j)) {
        static const float markPositions[5][2] = {
            {6.3f, 7.5f}, {6.1f, 6.4f}, {5.85f, 5.4f}, {5.62f, 4.4f}, {5.45f, 3.5f}};
        glColor3f(255, 0, 0);
        for (int i = 0; i < 5; ++i) {
            rasterAt(ScreenEdge::Right, markPositions[i][0], markPositions[i][1]);
            const std::string mark = twoDigits(j.styleMarks[i]);
            keepInsideWindow(textWidth(largeFont, mark.c_str()) + textWidth(smallFont, _("pkt")));
            printText(largeFont, mark.c_str());
            printText(smallFont, _("pkt"));
        }
        rasterAt(ScreenEdge::Right, 3.4f, 0);
        const std::string total = twoDigits(jumpTotal(j));
        keepInsideWindow(textWidth(largeFont, total.c_str()) + textWidth(largeFont, _(" pkt.")));
        printText(largeFont, total.c_str());
        printText(largeFont, _(" pkt."));
    }
    glPopMatrix();
}
