// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/quadric_mesh.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

namespace {

// The largest slice or stack count the quadrics take.
constexpr int kMaxSteps = 239;
constexpr double kPi = 3.14159265358979323846;

// Gathers vertices with the normal and texture coordinate current at the time.
struct MeshBuilder {
    QuadricMesh& mesh;
    GLfloat normal[3] = {0, 0, 1};
    GLfloat texCoord[2] = {0, 0};
    void setNormal(GLfloat x, GLfloat y, GLfloat z) {
        normal[0] = x;
        normal[1] = y;
        normal[2] = z;
    }
    void setTexCoord(GLfloat s, GLfloat t) {
        texCoord[0] = s;
        texCoord[1] = t;
    }
    void begin(GLenum mode) {
        mesh.runs.push_back({mode, static_cast<GLint>(mesh.positions.size() / 3), 0});
    }
    void vertex(GLfloat x, GLfloat y, GLfloat z) {
        mesh.positions.insert(mesh.positions.end(), {x, y, z});
        mesh.normals.insert(mesh.normals.end(), normal, normal + 3);
        if (mesh.textured) mesh.texCoords.insert(mesh.texCoords.end(), texCoord, texCoord + 2);
        ++mesh.runs.back().count;
    }
    void finish() {
        std::copy(normal, normal + 3, mesh.lastNormal);
        std::copy(texCoord, texCoord + 2, mesh.lastTexCoord);
    }
};

} // namespace

// The arithmetic below keeps GLU's own: angles rounded to float before their sine, caches
// in float, products in float, so every corner and normal comes out bit for bit the same.
QuadricMesh sphereMesh(double radius, int slices, int stacks, bool textured) {
    QuadricMesh mesh;
    mesh.textured = textured;
    slices = std::min(slices, kMaxSteps);
    stacks = std::min(stacks, kMaxSteps);
    if (slices < 2 || stacks < 1 || radius < 0) return mesh;
    std::vector<GLfloat> sinA(slices + 1), cosA(slices + 1), sinB(stacks + 1), cosB(stacks + 1),
        sinR(stacks + 1), cosR(stacks + 1);
    for (int i = 0; i < slices; ++i) {
        const GLfloat angle = static_cast<GLfloat>(2 * kPi * i / slices);
        sinA[i] = static_cast<GLfloat>(std::sin(static_cast<double>(angle)));
        cosA[i] = static_cast<GLfloat>(std::cos(static_cast<double>(angle)));
    }
    for (int j = 0; j <= stacks; ++j) {
        const GLfloat angle = static_cast<GLfloat>(kPi * j / stacks);
        sinB[j] = static_cast<GLfloat>(std::sin(static_cast<double>(angle)));
        cosB[j] = static_cast<GLfloat>(std::cos(static_cast<double>(angle)));
        sinR[j] = static_cast<GLfloat>(radius * std::sin(static_cast<double>(angle)));
        cosR[j] = static_cast<GLfloat>(radius * std::cos(static_cast<double>(angle)));
    }
    // The poles come to a point.
    sinR[0] = 0;
    sinR[stacks] = 0;
    sinA[slices] = sinA[0];
    cosA[slices] = cosA[0];

    MeshBuilder b{mesh};
    int start = 0, finish = stacks;
    if (!textured) {
        // The caps are fans round the poles.
        start = 1;
        finish = stacks - 1;
        GLfloat ring = sinR[1], z = cosR[1];
        GLfloat s = sinB[1], c = cosB[1];
        b.setNormal(sinA[0] * sinB[0], cosA[0] * sinB[0], cosB[0]);
        b.begin(GL_TRIANGLE_FAN);
        b.vertex(0, 0, static_cast<GLfloat>(radius));
        for (int i = slices; i >= 0; --i) {
            b.setNormal(sinA[i] * s, cosA[i] * s, c);
            b.vertex(ring * sinA[i], ring * cosA[i], z);
        }
        ring = sinR[stacks - 1];
        z = cosR[stacks - 1];
        s = sinB[stacks - 1];
        c = cosB[stacks - 1];
        // GLU takes this normal's slice by the stack count.
        const int k = std::min(stacks, slices);
        b.setNormal(sinA[k] * sinB[stacks], cosA[k] * sinB[stacks], cosB[stacks]);
        b.begin(GL_TRIANGLE_FAN);
        b.vertex(0, 0, static_cast<GLfloat>(-radius));
        for (int i = 0; i <= slices; ++i) {
            b.setNormal(sinA[i] * s, cosA[i] * s, c);
            b.vertex(ring * sinA[i], ring * cosA[i], z);
        }
    }
    for (int j = start; j < finish; ++j) {
        const GLfloat zLow = cosR[j], zHigh = cosR[j + 1];
        const GLfloat ringLow = sinR[j], ringHigh = sinR[j + 1];
        b.begin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            b.setNormal(sinA[i] * sinB[j + 1], cosA[i] * sinB[j + 1], cosB[j + 1]);
            if (textured)
                b.setTexCoord(1 - static_cast<float>(i) / slices,
                              1 - static_cast<float>(j + 1) / stacks);
            b.vertex(ringHigh * sinA[i], ringHigh * cosA[i], zHigh);
            b.setNormal(sinA[i] * sinB[j], cosA[i] * sinB[j], cosB[j]);
            if (textured)
                b.setTexCoord(1 - static_cast<float>(i) / slices,
                              1 - static_cast<float>(j) / stacks);
            b.vertex(ringLow * sinA[i], ringLow * cosA[i], zLow);
        }
    }
    b.finish();
    return mesh;
}

QuadricMesh cylinderMesh(double baseRadius, double topRadius, double height, int slices, int stacks,
                         bool textured) {
    QuadricMesh mesh;
    mesh.textured = textured;
    slices = std::min(slices, kMaxSteps);
    if (slices < 2 || stacks < 1 || baseRadius < 0 || topRadius < 0 || height < 0) return mesh;
    const GLfloat deltaRadius = static_cast<GLfloat>(baseRadius - topRadius);
    const GLfloat length = static_cast<GLfloat>(
        std::sqrt(static_cast<double>(deltaRadius * deltaRadius) + height * height));
    if (length == 0) return mesh;
    const GLfloat zNormal = deltaRadius / length;
    const GLfloat xyRatio = static_cast<GLfloat>(height / length);
    std::vector<GLfloat> sinC(slices + 1), cosC(slices + 1), sinN(slices + 1), cosN(slices + 1);
    for (int i = 0; i < slices; ++i) {
        const GLfloat angle = static_cast<GLfloat>(2 * kPi * i / slices);
        sinN[i] = static_cast<GLfloat>(xyRatio * std::sin(static_cast<double>(angle)));
        cosN[i] = static_cast<GLfloat>(xyRatio * std::cos(static_cast<double>(angle)));
        sinC[i] = static_cast<GLfloat>(std::sin(static_cast<double>(angle)));
        cosC[i] = static_cast<GLfloat>(std::cos(static_cast<double>(angle)));
    }
    sinC[slices] = sinC[0];
    cosC[slices] = cosC[0];
    sinN[slices] = sinN[0];
    cosN[slices] = cosN[0];

    MeshBuilder b{mesh};
    for (int j = 0; j < stacks; ++j) {
        const GLfloat zLow = static_cast<GLfloat>(j * height / stacks);
        const GLfloat zHigh = static_cast<GLfloat>((j + 1) * height / stacks);
        const GLfloat shrinkLow = deltaRadius * (static_cast<float>(j) / stacks);
        const GLfloat shrinkHigh = deltaRadius * (static_cast<float>(j + 1) / stacks);
        const GLfloat radiusLow = static_cast<GLfloat>(baseRadius - shrinkLow);
        const GLfloat radiusHigh = static_cast<GLfloat>(baseRadius - shrinkHigh);
        b.begin(GL_QUAD_STRIP);
        for (int i = 0; i <= slices; ++i) {
            b.setNormal(sinN[i], cosN[i], zNormal);
            if (textured)
                b.setTexCoord(1 - static_cast<float>(i) / slices, static_cast<float>(j) / stacks);
            b.vertex(radiusLow * sinC[i], radiusLow * cosC[i], zLow);
            if (textured)
                b.setTexCoord(1 - static_cast<float>(i) / slices,
                              static_cast<float>(j + 1) / stacks);
            b.vertex(radiusHigh * sinC[i], radiusHigh * cosC[i], zHigh);
        }
    }
    b.finish();
    return mesh;
}

IndexedMesh indexedTriangles(const QuadricMesh& mesh) {
    IndexedMesh out;
    out.textured = mesh.textured;
    std::copy(mesh.lastNormal, mesh.lastNormal + 3, out.lastNormal);
    std::copy(mesh.lastTexCoord, mesh.lastTexCoord + 2, out.lastTexCoord);
    // Corners equal bit for bit are one vertex: the rasteriser lights it once.
    std::map<std::array<uint32_t, 8>, GLushort> seen;
    const size_t count = mesh.positions.size() / 3;
    std::vector<GLushort> remap(count);
    for (size_t v = 0; v < count; ++v) {
        std::array<GLfloat, 8> corner = {};
        std::copy_n(&mesh.positions[3 * v], 3, corner.begin());
        std::copy_n(&mesh.normals[3 * v], 3, corner.begin() + 3);
        if (mesh.textured) std::copy_n(&mesh.texCoords[2 * v], 2, corner.begin() + 6);
        std::array<uint32_t, 8> bits;
        std::memcpy(bits.data(), corner.data(), sizeof bits);
        const auto found = seen.find(bits);
        if (found != seen.end()) {
            remap[v] = found->second;
            continue;
        }
        const GLushort index = static_cast<GLushort>(out.positions.size() / 3);
        seen.emplace(bits, index);
        remap[v] = index;
        out.positions.insert(out.positions.end(), corner.begin(), corner.begin() + 3);
        out.normals.insert(out.normals.end(), corner.begin() + 3, corner.begin() + 6);
        if (mesh.textured)
            out.texCoords.insert(out.texCoords.end(), corner.begin() + 6, corner.end());
    }
    auto triangle = [&](GLint a, GLint b, GLint c) {
        out.indices.insert(out.indices.end(), {remap[a], remap[b], remap[c]});
    };
    // The triangles, and their corners' order, are those Mesa makes of the strips and fans
    // itself, so the shading across each triangle is interpolated alike.
    for (const MeshRun& run : mesh.runs) {
        const GLint f = run.first;
        if (run.mode == GL_TRIANGLE_FAN) {
            for (GLint i = 0; i + 2 < run.count; ++i)
                triangle(f, f + i + 1, f + i + 2);
        } else {
            for (GLint i = 0; i + 3 < run.count; i += 2) {
                triangle(f + i + 2, f + i, f + i + 3);
                triangle(f + i, f + i + 1, f + i + 3);
            }
        }
    }
    return out;
}

void drawIndexedMesh(const IndexedMesh& mesh) {
    if (mesh.indices.empty()) return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.positions.data());
    glNormalPointer(GL_FLOAT, 0, mesh.normals.data());
    if (mesh.textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.texCoords.data());
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_SHORT,
                   mesh.indices.data());
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glNormal3fv(mesh.lastNormal);
    if (mesh.textured) glTexCoord2fv(mesh.lastTexCoord);
}
