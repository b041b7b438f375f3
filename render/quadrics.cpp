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
