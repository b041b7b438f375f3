// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/quadrics.h"

GLUquadric* sceneryQuadric = nullptr;
GLUquadric* figureQuadric = nullptr;

GLUquadric* newQuadric() {
    GLUquadric* q = gluNewQuadric();
    if (q) {
        gluQuadricDrawStyle(q, GLU_FILL);
        gluQuadricNormals(q, GLU_SMOOTH);
    }
    return q;
}
