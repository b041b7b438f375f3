// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The cached spheres and cones against GLU's own quadrics drawn vertex by vertex: the same
// pixels, pixel for pixel, under the night scene's lights, fog and sphere mapping, and the
// same normal and texture coordinate left current for whatever draws next.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/quadric_mesh.h"
#include "render/textures.h"
#include "support/harness.h"

namespace {

struct Drawn {
    std::vector<unsigned char> pixels;
    GLfloat normal[3], texCoord[4];
};

// Draws on a cleared frame under the scene's state and reads the back buffer.
Drawn drawn(const std::function<void()>& draw) {
    glClearColor(0.2f, 0.1f, 0.3f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    draw();
    glPopMatrix();
    Drawn d;
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    d.pixels.resize(static_cast<size_t>(vp[2]) * vp[3] * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(vp[0], vp[1], vp[2], vp[3], GL_RGB, GL_UNSIGNED_BYTE, d.pixels.data());
    glGetFloatv(GL_CURRENT_NORMAL, d.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, d.texCoord);
    return d;
}

int differingPixels(const Drawn& a, const Drawn& b) {
    int n = 0;
    for (size_t i = 0; i + 2 < a.pixels.size(); i += 3)
        if (a.pixels[i] != b.pixels[i] || a.pixels[i + 1] != b.pixels[i + 1] ||
            a.pixels[i + 2] != b.pixels[i + 2])
            ++n;
    return n;
}

int coloured(const Drawn& d) {
    int n = 0;
    for (size_t i = 0; i + 2 < d.pixels.size(); i += 3)
        if (d.pixels[i] != 51 || d.pixels[i + 1] != 26 || d.pixels[i + 2] != 77) ++n;
    return n;
}

void expectSame(const Drawn& glu, const Drawn& ours, const std::string& what) {
    EXPECT_GT(coloured(glu), 200) << what << ": the shape is in view";
    const int differing = differingPixels(glu, ours);
    EXPECT_EQ(differing, 0) << what;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(glu.normal[i], ours.normal[i]) << what << ": normal left current [" << i << "]";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(glu.texCoord[i], ours.texCoord[i])
            << what << ": texture coordinate [" << i << "]";
    if (differing > 0) {
        Picture p;
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        p.width = vp[2];
        p.height = vp[3];
        p.rgb = glu.pixels;
        savePng(p, "quadric_" + what + "_glu");
        p.rgb = ours.pixels;
        savePng(p, "quadric_" + what + "_ours");
    }
}

// The night scene on hill 1: four spot lights, two-sided lighting, colour material.
class QuadricMeshes : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.writeDefaults();
        dir.configure(1, 4, 0, kLightingNight);
        startGame();
        leaveStartScreen();
        frames(1);
        glLoadIdentity();
        glScalef(10, 10, 10);
        // Where the floodlights of the night reach: the middle of the landing hill.
        gluLookAt(1, 0.5f, 8, 1, -1, 2, 0, 1, 0);
        glTranslatef(1, -1, 2);
        glBindTexture(GL_TEXTURE_2D, textures.window);
        glColor3ub(199, 40, 30);
    }
    TempGameDir dir;
};

void sphereMapping(bool on) {
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    if (on) {
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    } else {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
}

GLUquadric* gluQuadric(bool textured) {
    GLUquadric* q = gluNewQuadric();
    gluQuadricDrawStyle(q, GLU_FILL);
    gluQuadricNormals(q, GLU_SMOOTH);
    gluQuadricTexture(q, textured ? GL_TRUE : GL_FALSE);
    return q;
}

} // namespace

// The jumper's parts: the radii he uses, squashed and stretched as his limbs are, mirrored
// by the texture of the sky.
TEST_F(QuadricMeshes, SpheresAsGluDrawsThem) {
    sphereMapping(true);
    for (double radius : {0.2, 0.3, 0.5, 0.6, 1.0}) {
        for (int squash = 0; squash < 2; ++squash) {
            const std::string what =
                "sphere_" + std::to_string(radius) + "_" + std::to_string(squash);
            auto place = [&] {
                glScalef(1.5f / static_cast<float>(radius), 1.5f / static_cast<float>(radius),
                         1.5f / static_cast<float>(radius));
                if (squash) glScalef(1.3f, 0.35f, 0.7f);
                glRotatef(-90, 1, 0, 0);
            };
            const Drawn glu = drawn([&] {
                place();
                GLUquadric* q = gluQuadric(false);
                gluSphere(q, radius, 16, 16);
                gluDeleteQuadric(q);
            });
            // The first call compiles the list, later calls replay it.
            for (int call = 0; call < 2; ++call)
                expectSame(glu, drawn([&] {
                               place();
                               solidSphere(radius);
                           }),
                           what + "_call" + std::to_string(call));
        }
    }
    sphereMapping(false);
}

TEST_F(QuadricMeshes, LimbsAsGluDrawsThem) {
    sphereMapping(true);
    const double limbs[][3] = {{0.4, 0.4, 1.1}, {0.75, 1, 1.6}, {0.3, 0.2, 1.1}, {0.7, 0.6, 4}};
    for (const auto& l : limbs) {
        const std::string what = "limb_" + std::to_string(l[0]) + "_" + std::to_string(l[2]);
        auto place = [&] {
            glScalef(1, 1, 0.7f);
            glRotatef(60, 1, 0, 0);
            glTranslatef(0, 0, -static_cast<float>(l[2]) / 2);
        };
        const Drawn glu = drawn([&] {
            place();
            GLUquadric* q = gluQuadric(false);
            gluCylinder(q, l[0], l[1], l[2], 20, 2);
            gluDeleteQuadric(q);
        });
        expectSame(glu, drawn([&] {
                       place();
                       solidCylinder(l[0], l[1], l[2], false);
                   }),
                   what);
    }
    sphereMapping(false);
}

// The mountain: a textured cone, and the cap that shows the texel of the cone's last
// texture coordinate.
TEST_F(QuadricMeshes, MountainAsGluDrawsIt) {
    glBindTexture(GL_TEXTURE_2D, textures.window);
    auto place = [] {
        glScalef(0.02f, 0.02f, 0.02f);
        glRotatef(-90, 1, 0, 0);
    };
    const Drawn glu = drawn([&] {
        place();
        GLUquadric* q = gluQuadric(true);
        gluCylinder(q, 90, 20, 40, 20, 2);
        gluDeleteQuadric(q);
        glTranslatef(0, 0, 26);
        q = gluQuadric(false);
        gluSphere(q, 20, 16, 16);
        gluDeleteQuadric(q);
    });
    expectSame(glu, drawn([&] {
                   place();
                   solidCylinder(90, 20, 40, true);
                   glTranslatef(0, 0, 26);
                   solidSphere(20);
               }),
               "mountain");
}

// Corners shared between strips are one vertex; the triangles still cover the surface once.
TEST(QuadricMeshArrays, SharedCornersAndWholeSurface) {
    const QuadricMesh sphere = sphereMesh(1, 16, 16, false);
    const IndexedMesh indexed = indexedTriangles(sphere);
    // Two fans of 16 and 14 strips of 32 triangles.
    EXPECT_EQ(indexed.indices.size(), 3u * (2 * 16 + 14 * 32));
    EXPECT_LT(indexed.positions.size(), sphere.positions.size() / 2 + 3 * 40);
    for (GLushort i : indexed.indices)
        ASSERT_LT(i, indexed.positions.size() / 3);
    // Every corner on the unit sphere.
    for (size_t v = 0; v < indexed.positions.size(); v += 3) {
        const double r2 = indexed.positions[v] * indexed.positions[v] +
                          indexed.positions[v + 1] * indexed.positions[v + 1] +
                          indexed.positions[v + 2] * indexed.positions[v + 2];
        EXPECT_NEAR(r2, 1.0, 1e-5);
    }
    // A cone keeps its texture coordinates apart where its seam meets.
    const IndexedMesh cone = indexedTriangles(cylinderMesh(90, 20, 40, 20, 2, true));
    EXPECT_EQ(cone.positions.size() / 3, 3u * 21);
    EXPECT_EQ(cone.texCoords.size() / 2, cone.positions.size() / 3);
    // Bad sizes make nothing, as GLU draws nothing.
    EXPECT_TRUE(indexedTriangles(sphereMesh(-1, 16, 16, false)).indices.empty());
    EXPECT_TRUE(indexedTriangles(cylinderMesh(1, 1, 0, 20, 2, false)).indices.empty());
}
