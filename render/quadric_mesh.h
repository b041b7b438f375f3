// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Spheres and cones made once as vertex arrays, corner for corner as the GLU quadrics of
// this game emit them, and drawn as one list of triangles instead of vertex by vertex.
#pragma once
#include <vector>

#include "render/gl.h"

struct MeshRun {
    GLenum mode; // GL_TRIANGLE_FAN or GL_QUAD_STRIP
    GLint first;
    GLsizei count;
};

struct QuadricMesh {
    bool textured = false;
    std::vector<GLfloat> positions; // x, y, z per vertex
    std::vector<GLfloat> normals;   // the normal current when the vertex was given
    std::vector<GLfloat> texCoords; // s, t per vertex, when textured
    std::vector<MeshRun> runs;
    // What the quadric leaves current once drawn.
    GLfloat lastNormal[3] = {0, 0, 1};
    GLfloat lastTexCoord[2] = {0, 0};
};

// gluSphere with smooth normals, filled, outside; textured as gluQuadricTexture(GL_TRUE).
QuadricMesh sphereMesh(double radius, int slices, int stacks, bool textured);
// gluCylinder likewise.
QuadricMesh cylinderMesh(double baseRadius, double topRadius, double height, int slices, int stacks,
                         bool textured);

// The same surface as one list of triangles over shared corners: one draw, and each corner
// lit once instead of once per strip it lies on.
struct IndexedMesh {
    bool textured = false;
    std::vector<GLfloat> positions, normals, texCoords;
    std::vector<GLushort> indices;
    GLfloat lastNormal[3] = {0, 0, 1};
    GLfloat lastTexCoord[2] = {0, 0};
};
IndexedMesh indexedTriangles(const QuadricMesh& mesh);

// Draws the triangles and leaves the current normal (and texture coordinate, for a
// textured mesh) as the quadric call would have left them.
void drawIndexedMesh(const IndexedMesh& mesh);
