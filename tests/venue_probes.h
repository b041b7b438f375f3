// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Probes for the backdrop and town tests: feedback capture (whether a group's primitives
// appear in a whole frame, the model coordinates a piece of drawing sends) and
// single-colour stand-ins for the textures, so a pixel read back names its texture.
#pragma once
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "venue/animation.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "support/harness.h"
#include "venue/backdrop.h"
#include "venue/town.h"

// The raw GL_3D feedback values of everything `draw` sends; `overflowed` if it did not fit.
inline std::vector<GLfloat> rawFeedback(const std::function<void()>& draw, bool* overflowed) {
    static std::vector<GLfloat> buffer(8u << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    *overflowed = used < 0;
    if (used < 0) used = 0;
    return std::vector<GLfloat>(buffer.begin(), buffer.begin() + used);
}

using Vertex3 = std::array<float, 3>;
using Polygon3 = std::vector<Vertex3>;

// The polygons of a GL_3D feedback buffer (other tokens skipped).
inline std::vector<Polygon3> feedbackPolygons(const std::vector<GLfloat>& fb) {
    std::vector<Polygon3> out;
    for (size_t i = 0; i < fb.size();) {
        GLenum token = static_cast<GLenum>(fb[i++]);
        int vertices = 0;
        switch (token) {
        case GL_POLYGON_TOKEN: {
            int n = static_cast<int>(fb[i++]);
            Polygon3 p;
            for (int k = 0; k < n; ++k, i += 3)
                p.push_back({fb[i], fb[i + 1], fb[i + 2]});
            out.push_back(p);
            continue;
        }
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            vertices = 2;
            break;
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            vertices = 1;
            break;
        case GL_PASS_THROUGH_TOKEN:
            ++i;
            continue;
        default:
            return out; // unknown token: stop rather than misread
        }
        i += 3 * vertices;
    }
    return out;
}

// How often `needle` occurs, value for value, in `haystack`.
inline int occurrences(const std::vector<GLfloat>& haystack, const std::vector<GLfloat>& needle) {
    if (needle.empty()) return 0;
    int n = 0;
    auto from = haystack.begin();
    while (true) {
        auto at = std::search(from, haystack.end(), needle.begin(), needle.end());
        if (at == haystack.end()) return n;
        ++n;
        from = at + static_cast<long>(needle.size());
    }
}

// Draws with every face kept and an orthographic view of the cube |x|, |y|, |z| < half,
// then maps the feedback back to the coordinates the drawing used.
inline std::vector<Polygon3> modelPolygons(const std::function<void()>& draw, float half = 1000) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLboolean culling = glIsEnabled(GL_CULL_FACE);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-half, half, -half, half, -half, half);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    bool overflowed = false;
    std::vector<GLfloat> fb = rawFeedback(draw, &overflowed);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (culling) glEnable(GL_CULL_FACE);
    std::vector<Polygon3> polys = feedbackPolygons(fb);
    for (Polygon3& p : polys)
        for (Vertex3& v : p) {
            v[0] = (2 * (v[0] - viewport[0]) / viewport[2] - 1) * half;
            v[1] = (2 * (v[1] - viewport[1]) / viewport[3] - 1) * half;
            v[2] = (1 - 2 * v[2]) * half;
        }
    return polys;
}

// Mesa's software driver cannot replay display lists holding triangle strips or fans
// in feedback mode (it crashes or repeats primitives), and the sphere cache compiles
// gluSphere into lists. While this guard lives, every cached sphere list holds one
// plain square of the sphere's radius instead; the real spheres come back afterwards.
class FeedbackSafeSpheres {
  public:
    FeedbackSafeSpheres() {
        static const double radii[] = {0.2, 0.3, 0.5, 0.6, static_cast<double>(0.6f), 1.0, 20.0};
        for (double r : radii) {
            GLuint list = findCachedShape(SHAPE_SOLID_SPHERE, &r, 1);
            if (list == 0) continue;
            swapped_.push_back({list, r});
            glNewList(list, GL_COMPILE);
            glBegin(GL_POLYGON);
            glNormal3f(0, 0, 1);
            glVertex3d(-r, -r, 0);
            glVertex3d(r, -r, 0);
            glVertex3d(r, r, 0);
            glVertex3d(-r, r, 0);
            glEnd();
            glEndList();
        }
    }
    ~FeedbackSafeSpheres() {
        for (const auto& s : swapped_) {
            glNewList(s.first, GL_COMPILE);
            GLUquadric* q = gluNewQuadric();
            gluQuadricDrawStyle(q, GLU_FILL);
            gluQuadricNormals(q, GLU_SMOOTH);
            gluSphere(q, s.second, 16, 16);
            glEndList();
            gluDeleteQuadric(q);
        }
    }
    FeedbackSafeSpheres(const FeedbackSafeSpheres&) = delete;
    FeedbackSafeSpheres& operator=(const FeedbackSafeSpheres&) = delete;
    // False if a sphere of another radius is cached: feedback would crash on it.
    bool coversCache() const {
        return static_cast<int>(swapped_.size()) == cachedShapeCount(SHAPE_SOLID_SPHERE);
    }

  private:
    std::vector<std::pair<GLuint, double>> swapped_;
};

// A whole frame in feedback mode, then the group alone under the frame's scene matrix:
// how many polygons the group sends and how many times that exact output is in the frame.
struct GroupInFrame {
    size_t polygons = 0;
    int timesInFrame = 0;
};

inline GroupInFrame groupInFrame(void (*group)()) {
    FeedbackSafeSpheres spheres;
    EXPECT_TRUE(spheres.coversCache());
    bool overflowed = false;
    std::vector<GLfloat> frame = rawFeedback([] { pass(); }, &overflowed);
    EXPECT_FALSE(overflowed);
    GLfloat scene[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, scene);

    glLoadMatrixf(scene);
    std::vector<GLfloat> alone = rawFeedback(group, &overflowed);
    EXPECT_FALSE(overflowed);
    return {feedbackPolygons(alone).size(), occurrences(frame, alone)};
}

// Every texture handle replaced by a 1 x 1 picture of its own colour, so a pixel read
// back under GL_REPLACE names the texture it came from; the real handles come back after.
class SolidColourTextures {
  public:
    SolidColourTextures() : saved_(textures) {
        GLuint* handles = reinterpret_cast<GLuint*>(&textures);
        for (size_t k = 0; k < kHandles; ++k) {
            unsigned char rgba[4] = {static_cast<unsigned char>(5 + 3 * k), 90, 160, 255};
            glGenTextures(1, &handles[k]);
            glBindTexture(GL_TEXTURE_2D, handles[k]);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
            made_.push_back(handles[k]);
        }
    }
    ~SolidColourTextures() {
        glDeleteTextures(static_cast<GLsizei>(made_.size()), made_.data());
        textures = saved_;
    }
    SolidColourTextures(const SolidColourTextures&) = delete;
    SolidColourTextures& operator=(const SolidColourTextures&) = delete;

    // The handle whose colour a red value is, or -1.
    static int handleOfRed(int red) { return (red - 5) % 3 == 0 && red >= 5 ? (red - 5) / 3 : -1; }
    // Gives one handle a colour of the test's choosing instead.
    static void paint(GLuint handle, unsigned char r, unsigned char g, unsigned char b) {
        unsigned char rgba[4] = {r, g, b, 255};
        glBindTexture(GL_TEXTURE_2D, handle);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    }
    static int indexOf(const GLuint& handle) {
        return static_cast<int>(&handle - reinterpret_cast<const GLuint*>(&textures));
    }

  private:
    static constexpr size_t kHandles = sizeof(TextureSet) / sizeof(GLuint);
    TextureSet saved_;
    std::vector<GLuint> made_;
};
