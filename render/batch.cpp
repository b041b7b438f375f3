// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/batch.h"

#include <cmath>
#include <vector>

#include "render/primitives.h"

namespace {

// r = a * b, both column-major.
Transform multiplied(const Transform& a, const Transform& b) {
    Transform r;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += a.m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = sum;
        }
    return r;
}

// The inverse transpose of the upper 3x3, which carries normals.
void normalMatrix(const Transform& t, double n[3][3]) {
    const double* m = t.m;
    // a[row][col]
    const double a[3][3] = {{m[0], m[4], m[8]}, {m[1], m[5], m[9]}, {m[2], m[6], m[10]}};
    const double cof[3][3] = {
        {a[1][1] * a[2][2] - a[1][2] * a[2][1], a[1][2] * a[2][0] - a[1][0] * a[2][2],
         a[1][0] * a[2][1] - a[1][1] * a[2][0]},
        {a[0][2] * a[2][1] - a[0][1] * a[2][2], a[0][0] * a[2][2] - a[0][2] * a[2][0],
         a[0][1] * a[2][0] - a[0][0] * a[2][1]},
        {a[0][1] * a[1][2] - a[0][2] * a[1][1], a[0][2] * a[1][0] - a[0][0] * a[1][2],
         a[0][0] * a[1][1] - a[0][1] * a[1][0]}};
    const double det = a[0][0] * cof[0][0] + a[0][1] * cof[0][1] + a[0][2] * cof[0][2];
    // A flattened frame has no inverse; its normals then keep their direction.
    const double inv = det != 0 ? 1 / det : 0;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            n[r][c] = det != 0 ? cof[r][c] * inv : (r == c ? 1 : 0);
}

void copy3(float* to, const float* from) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

} // namespace

Transform identityTransform() {
    return Transform{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
}

void translateBy(Transform& t, double x, double y, double z) {
    Transform s = identityTransform();
    s.m[12] = x;
    s.m[13] = y;
    s.m[14] = z;
    t = multiplied(t, s);
}

void rotateBy(Transform& t, double angleDegrees, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) return;
    x /= length;
    y /= length;
    z /= length;
    const double a = angleDegrees * M_PI / 180;
    const double c = std::cos(a), s = std::sin(a), k = 1 - c;
    Transform r = identityTransform();
    r.m[0] = x * x * k + c;
    r.m[1] = y * x * k + z * s;
    r.m[2] = x * z * k - y * s;
    r.m[4] = x * y * k - z * s;
    r.m[5] = y * y * k + c;
    r.m[6] = y * z * k + x * s;
    r.m[8] = x * z * k + y * s;
    r.m[9] = y * z * k - x * s;
    r.m[10] = z * z * k + c;
    t = multiplied(t, r);
}

void scaleBy(Transform& t, double x, double y, double z) {
    Transform s = identityTransform();
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    t = multiplied(t, s);
}

void appendPolygon(Batch& batch, const Transform& where, const float normal[3],
                   const float corners[4][3], const float texCoords[4][2], const float* rgb) {
    if (batch.count + kPolygonVertices > batch.capacity) return;
    double n[3][3];
    normalMatrix(where, n);
    float movedNormal[3];
    for (int r = 0; r < 3; ++r)
        movedNormal[r] =
            static_cast<float>(n[r][0] * normal[0] + n[r][1] * normal[1] + n[r][2] * normal[2]);
    const double* m = where.m;
    for (int k : kPolygonTriangleCorners) {
        BatchVertex& v = batch.vertices[batch.count++];
        const float* p = corners[k];
        for (int r = 0; r < 3; ++r)
            v.position[r] =
                static_cast<float>(m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r]);
        copy3(v.normal, movedNormal);
        v.texCoord[0] = texCoords[k][0];
        v.texCoord[1] = texCoords[k][1];
        if (batch.coloured) copy3(v.colour, rgb);
    }
    copy3(batch.lastNormal, normal);
    batch.lastTexCoord[0] = texCoords[3][0];
    batch.lastTexCoord[1] = texCoords[3][1];
    if (batch.coloured) copy3(batch.lastColour, rgb);
}

void appendBox(Batch& batch, const Transform& where, float s, float t, const float* rgb) {
    for (const BoxFace& face : kBoxFaces) {
        float corners[4][3], texCoords[4][2];
        for (int i = 0; i < 4; ++i) {
            const BoxCorner& c = face.corners[i];
            corners[i][0] = c.x;
            corners[i][1] = c.y;
            corners[i][2] = c.z;
            texCoords[i][0] = c.sRepeats * s;
            texCoords[i][1] = c.tRepeats * t;
        }
        appendPolygon(batch, where, face.normal, corners, texCoords, rgb);
    }
}

void drawBatch(const Batch& batch) {
    if (batch.count == 0) return;
    const GLsizei stride = sizeof(BatchVertex);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, batch.vertices[0].position);
    glNormalPointer(GL_FLOAT, stride, batch.vertices[0].normal);
    glTexCoordPointer(2, GL_FLOAT, stride, batch.vertices[0].texCoord);
    if (batch.coloured) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_FLOAT, stride, batch.vertices[0].colour);
    }
    // The two triangles of a polygon share two corners, stored twice and bit for bit the
    // same: indices that name each once let the rasteriser light four corners instead of
    // six. The triangles, and their corners' order, stay as they are.
    static std::vector<GLuint> indices;
    if (indices.size() < static_cast<size_t>(batch.count)) {
        indices.clear();
        for (int polygon = 0; polygon * kPolygonVertices < batch.count; ++polygon) {
            const GLuint b = static_cast<GLuint>(polygon * kPolygonVertices);
            indices.insert(indices.end(), {b, b + 1, b + 2, b + 1, b + 4, b + 2});
        }
    }
    glDrawElements(GL_TRIANGLES, batch.count, GL_UNSIGNED_INT, indices.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    // After an array draw the current values are undefined; set what the one-by-one
    // drawing would have left, for whatever relies on them next.
    glNormal3fv(batch.lastNormal);
    glTexCoord2fv(batch.lastTexCoord);
    if (batch.coloured) glColor3fv(batch.lastColour);
}
