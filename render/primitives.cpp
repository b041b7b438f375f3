#include "render/primitives.h"

namespace {
CachedShape* shapeChains[SHAPE_KIND_COUNT] = {};
}

void texturedBox(float x, float y, float z, float s, float t) {
    glPushMatrix();
    glTranslatef(x, y, z);

    glBegin(GL_POLYGON); // front
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(s, 0);
    glVertex3f(1, 0, 0);
    glTexCoord2f(s, t);
    glVertex3f(1, 1, 0);
    glTexCoord2f(0, t);
    glVertex3f(0, 1, 0);
    glEnd();

    glBegin(GL_POLYGON); // right
    glNormal3f(1, 0, 0);
    glTexCoord2f(0, 0);
    glVertex3f(1, 0, 0);
    glTexCoord2f(s, 0);
    glVertex3f(1, 0, -1);
    glTexCoord2f(s, t);
    glVertex3f(1, 1, -1);
    glTexCoord2f(0, t);
    glVertex3f(1, 1, 0);
    glEnd();

    glBegin(GL_POLYGON); // top
    glNormal3f(0, 1, 0);
    glTexCoord2f(0, 0);
    glVertex3f(0, 1, 0);
    glTexCoord2f(s, 0);
    glVertex3f(1, 1, 0);
    glTexCoord2f(s, t);
    glVertex3f(1, 1, -1);
    glTexCoord2f(0, t);
    glVertex3f(0, 1, -1);
    glEnd();

    glBegin(GL_POLYGON); // left
    glNormal3f(-1, 0, 0);
    glTexCoord2f(0, 0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(0, t);
    glVertex3f(0, 1, 0);
    glTexCoord2f(s, t);
    glVertex3f(0, 1, -1);
    glTexCoord2f(s, 0);
    glVertex3f(0, 0, -1);
    glEnd();

    glBegin(GL_POLYGON); // back
    glNormal3f(0, 0, -1);
    glTexCoord2f(0, 0);
    glVertex3f(1, 0, -1);
    glTexCoord2f(s, 0);
    glVertex3f(0, 0, -1);
    glTexCoord2f(s, t);
    glVertex3f(0, 1, -1);
    glTexCoord2f(0, t);
    glVertex3f(1, 1, -1);
    glEnd();

    glBegin(GL_POLYGON); // bottom
    glNormal3f(0, -1, 0);
    glTexCoord2f(0, 0);
    glVertex3f(1, 0, 0);
    glTexCoord2f(s, 0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(s, t);
    glVertex3f(0, 0, -1);
    glTexCoord2f(0, t);
    glVertex3f(1, 0, -1);
    glEnd();

    glPopMatrix();
}

bool sameParams(const double* a, const double* b, int count) {
    for (int i = 0; i < count; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

GLuint findCachedShape(ShapeKind kind, const double* params, int count) {
    for (CachedShape* e = shapeChains[kind]; e; e = e->next)
        if (e->paramCount == count && sameParams(e->params, params, count)) return e->list;
    return 0;
}

GLuint addCachedShape(ShapeKind kind, double* params, int count) {
    CachedShape* e = new CachedShape{glGenLists(1), shapeChains[kind], count, params};
    shapeChains[kind] = e;
    return e->list;
}

int cachedShapeCount(ShapeKind kind) {
    int n = 0;
    for (CachedShape* e = shapeChains[kind]; e; e = e->next)
        ++n;
    return n;
}

void solidSphere(double radius) {
    double* params = new double[1]{radius};
    GLuint list = findCachedShape(SHAPE_SOLID_SPHERE, params, 1);
    if (list != 0) {
        glCallList(list);
        delete[] params;
        return;
    }
    // The entry owns params from here; drawn while compiled so the first call matches later ones.
    glNewList(addCachedShape(SHAPE_SOLID_SPHERE, params, 1), GL_COMPILE_AND_EXECUTE);
    GLUquadric* q = gluNewQuadric();
    gluQuadricDrawStyle(q, GLU_FILL);
    gluQuadricNormals(q, GLU_SMOOTH);
    gluSphere(q, radius, 16, 16);
    glEndList();
    gluDeleteQuadric(q);
}
