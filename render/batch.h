// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Shapes that never move against each other, gathered once and drawn as one batch of
// triangles. Under a software rasteriser every matrix change and every small draw costs
// more than the few corners it carries, and lattices and lamps are made of hundreds of them.
#pragma once
#include "render/gl.h"

// A model-view style matrix, column-major as OpenGL keeps it, built up by the same steps
// as glTranslatef, glRotatef and glScalef (each multiplies on the right).
struct Transform {
    double m[16];
};

Transform identityTransform();
void translateBy(Transform& t, double x, double y, double z);
void rotateBy(Transform& t, double angleDegrees, double x, double y, double z);
void scaleBy(Transform& t, double x, double y, double z);

struct BatchVertex {
    float position[3];
    float normal[3];
    float texCoord[2];
    float colour[3];
};

// Triangles a four-cornered polygon and a textured unit box turn into.
constexpr int kPolygonVertices = 6;
constexpr int kBoxVertices = 6 * kPolygonVertices;
// The corners of those two triangles, in the order OpenGL splits a four-cornered polygon.
constexpr int kPolygonTriangleCorners[kPolygonVertices] = {1, 2, 0, 2, 3, 0};

// Vertices in storage the caller owns, and what drawing the same polygons one by one with
// glNormal, glTexCoord and glColor would leave current afterwards.
struct Batch {
    BatchVertex* vertices;
    int capacity;
    int count;
    bool coloured; // each vertex carries its colour; otherwise the current colour applies
    float lastNormal[3];
    float lastTexCoord[2];
    float lastColour[3];
};

// Appends the polygon (normal, four corners and their texture coordinates) as it would be
// drawn under `where`: corners moved by it, the normal by its inverse transpose and not
// rescaled, as OpenGL does without normalising. rgb is ignored by an uncoloured batch.
// A batch that is full takes nothing more.
void appendPolygon(Batch& batch, const Transform& where, const float normal[3],
                   const float corners[4][3], const float texCoords[4][2], const float* rgb);
// texturedBox(0, 0, 0, s, t) under `where`.
void appendBox(Batch& batch, const Transform& where, float s, float t, const float* rgb);

// Draws the batch in the current frame and leaves current what the polygons drawn one by
// one would leave.
void drawBatch(const Batch& batch);
