// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/primitives.h"

#include <map>
#include <tuple>

#include "render/quadric_mesh.h"

namespace {
CachedShape* shapeChains[SHAPE_KIND_COUNT] = {};
}

// Corners run counter-clockwise seen from outside; the left face's s runs along -z so its
// picture is not mirrored against the right face's.
const BoxFace kBoxFaces[6] = {
    {{0, 0, 1}, {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1}}},      // front
    {{1, 0, 0}, {{1, 0, 0, 0, 0}, {1, 0, -1, 1, 0}, {1, 1, -1, 1, 1}, {1, 1, 0, 0, 1}}},    // right
    {{0, 1, 0}, {{0, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, 1, -1, 1, 1}, {0, 1, -1, 0, 1}}},    // top
    {{-1, 0, 0}, {{0, 0, 0, 0, 0}, {0, 1, 0, 0, 1}, {0, 1, -1, 1, 1}, {0, 0, -1, 1, 0}}},   // left
    {{0, 0, -1}, {{1, 0, -1, 0, 0}, {0, 0, -1, 1, 0}, {0, 1, -1, 1, 1}, {1, 1, -1, 0, 1}}}, // back
    {{0, -1, 0}, {{1, 0, 0, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, -1, 1, 1}, {1, 0, -1, 0, 1}}}, // bottom
};

void texturedBox(float x, float y, float z, float s, float t) {
    glPushMatrix();
    glTranslatef(x, y, z);
    for (const BoxFace& face : kBoxFaces) {
        glBegin(GL_POLYGON);
        glNormal3fv(face.normal);
        for (const BoxCorner& c : face.corners) {
            glTexCoord2f(c.sRepeats * s, c.tRepeats * t);
            glVertex3f(c.x, c.y, c.z);
        }
        glEnd();
    }
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
    // The entry owns params from here; drawn while compiled so the first call matches later
    // ones. The list holds GLU's 16 x 16 sphere as one draw of shared corners.
    glNewList(addCachedShape(SHAPE_SOLID_SPHERE, params, 1), GL_COMPILE_AND_EXECUTE);
    drawIndexedMesh(indexedTriangles(sphereMesh(radius, 16, 16, false)));
    glEndList();
}

void solidCylinder(double baseRadius, double topRadius, double height, bool textured) {
    // Few shapes, drawn every frame: kept for the life of the program.
    using Key = std::tuple<double, double, double, bool>;
    static std::map<Key, IndexedMesh> meshes;
    const Key key{baseRadius, topRadius, height, textured};
    auto found = meshes.find(key);
    if (found == meshes.end())
        found = meshes
                    .emplace(key, indexedTriangles(
                                      cylinderMesh(baseRadius, topRadius, height, 20, 2, textured)))
                    .first;
    drawIndexedMesh(found->second);
}
