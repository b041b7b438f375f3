#include "figure/jumper.h"

#include "jump/pose.h"
#include "render/primitives.h"

// Stand-in until the articulated model lands: a body-sized box.
void drawJumper() {
    stepFigureState(FIGURE_JUMPER);
    glPushMatrix();
    glTranslatef(-0.5f, -4, 0.5f);
    glScalef(1.4f, 8, 1);
    texturedBox(0, 0, 0, 0, 0);
    glPopMatrix();
}

void drawJumperShadow() {
    stepFigureState(FIGURE_SHADOW);
    glPushMatrix();
    glTranslatef(-0.5f, -4, 0.5f);
    glScalef(1.4f, 8, 1);
    texturedBox(0, 0, 0, 0, 0);
    glPopMatrix();
}
