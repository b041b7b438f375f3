// The red on-screen texts: distance, wind, record, countdown, style marks and points.
#include <cstdio>

#include "core/language.h"
#include "score/records.h"
#include "score/hud.h"
#include "jump/jump_state.h"
#include "render/gl.h"
#include "render/text.h"

namespace {

bool landed() {
    return jumperY == groundY;
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

} // namespace

int32_t jumpTotal() {
    int32_t total = jumpPoints;
    for (int32_t mark : styleMarks)
        total += mark;
    return total;
}

void drawJumpHud() {
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glCullFace(GL_BACK);
    hudView();
    glPushMatrix();

    glColor3f(255, 0, 0);
    glTranslatef(0, 5, 0);
    glRasterPos2f(-5.5f, -5);
    if (landed()) printNumber(largeFont, jumpDistance);
    glTranslatef(1, 0, 0);
    if (landed()) printText(largeFont, "m");
    printText(smallFont, " ");

    glRasterPos2f(-10.8f, 7.6f);
    printNumber(smallFont, windSpeed);
    printText(smallFont, "m/s");
    printText(smallFont, " ");

    glRasterPos2f(4.3f, 7.7f);
    if (landed()) {
        // TRANSLATORS: the HUD's words keep their spaces and stay short; "pkt" is "points".
        printText(smallFont, _(" rekord: "));
        printNumber(smallFont, recordDistance);
        printText(smallFont, " m.");
    }

    if (awaitingStart == 1 && startCountdown >= 0) {
        glRasterPos2f(-0.7f, 3.7f);
        printNumber(smallFont, startCountdown / 100);
    }
    glPopMatrix();
}

void drawScoreBoard() {
    hudView();
    glPushMatrix();
    if (landed()) {
        static const float markPositions[5][2] = {
            {6.3f, 7.5f}, {6.1f, 6.4f}, {5.85f, 5.4f}, {5.62f, 4.4f}, {5.45f, 3.5f}};
        glColor3f(255, 0, 0);
        for (int i = 0; i < 5; ++i) {
            glRasterPos2f(markPositions[i][0], markPositions[i][1]);
            printNumber(largeFont, styleMarks[i]);
            printText(smallFont, _("pkt"));
        }
        glRasterPos2f(3.4f, 0);
        printNumber(largeFont, jumpTotal());
        printText(largeFont, _(" pkt."));
    }
    glPopMatrix();
}
