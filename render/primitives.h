// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Shared building blocks: the textured unit box and the cached solid sphere.
#pragma once
#include "render/gl.h"

// Unit box x 0..1, y 0..1, z -1..0 offset by (x, y, z); texture repeated s by t per face.
void texturedBox(float x, float y, float z, float s, float t);

// The box's faces in drawing order; a corner's texture coordinate is (sRepeats * s,
// tRepeats * t) for the repeats s and t of the call.
struct BoxCorner {
    float x, y, z;
    float sRepeats, tRepeats;
};
struct BoxFace {
    float normal[3];
    BoxCorner corners[4];
};
extern const BoxFace kBoxFaces[6];

// A sphere compiled once per radius into a display list and replayed afterwards: the
// pixels of gluSphere(radius, 16, 16), filled with smooth normals.
void solidSphere(double radius);
// The pixels of gluCylinder(baseRadius, topRadius, height, 20, 2) of a filled, smoothly lit
// quadric, with texture coordinates or without, from arrays made on first use; it leaves
// the current normal and texture coordinate as GLU would.
void solidCylinder(double baseRadius, double topRadius, double height, bool textured);

enum ShapeKind { SHAPE_SOLID_SPHERE = 0, SHAPE_KIND_COUNT };

struct CachedShape {
    GLuint list;
    CachedShape* next;
    int paramCount;
    double* params;
};

GLuint findCachedShape(ShapeKind kind, const double* params, int count);
GLuint addCachedShape(ShapeKind kind, double* params, int count);
bool sameParams(const double* a, const double* b, int count);
// Number of entries in a kind's chain (tests and benchmarks).
int cachedShapeCount(ShapeKind kind);
