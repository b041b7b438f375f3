// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// GL feedback capture for tests: what a drawing sends to the rasteriser, in window
// coordinates, with colours (lighting applied, textures not).
//
// Mesa 22's software rasteriser crashes replaying any display list in feedback or
// selection mode. While a capture runs, glCallList of a cached sphere is therefore
// replaced by the very drawing the cache compiled into it. Include this header in one
// source file per test program only: it defines glCallList for the whole program.
#pragma once
#include <dlfcn.h>

#include <functional>
#include <vector>

#include "render/gl.h"
#include "render/primitives.h"

namespace feedback_detail {
inline bool capturing = false;
inline int unknownLists = 0;
} // namespace feedback_detail

extern "C" void glCallList(GLuint list) {
    using CallList = void (*)(GLuint);
    static CallList real = reinterpret_cast<CallList>(dlsym(RTLD_NEXT, "glCallList"));
    if (feedback_detail::capturing) {
        for (double r : {0.2, 0.3, 0.5, 0.6, 1.0}) {
            if (findCachedShape(SHAPE_SOLID_SPHERE, &r, 1) != list) continue;
            // The same as solidSphere compiles: GLU_FILL, smooth normals, 16 x 16.
            GLUquadric* q = gluNewQuadric();
            gluQuadricDrawStyle(q, GLU_FILL);
            gluQuadricNormals(q, GLU_SMOOTH);
            gluSphere(q, r, 16, 16);
            gluDeleteQuadric(q);
            return;
        }
        ++feedback_detail::unknownLists;
        return;
    }
    real(list);
}

struct FeedbackVertex {
    float x, y, z, r, g, b, a;
};

struct FeedbackItem {
    GLenum token; // GL_POLYGON_TOKEN, GL_BITMAP_TOKEN, ...
    std::vector<FeedbackVertex> vertices;
};

inline std::vector<FeedbackItem> captureFeedback(const std::function<void()>& draw,
                                                 size_t capacity = 4u << 20) {
    std::vector<GLfloat> buffer(capacity);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    feedback_detail::capturing = true;
    draw();
    feedback_detail::capturing = false;
    GLint used = glRenderMode(GL_RENDER);
    std::vector<FeedbackItem> items;
    if (used < 0) return items; // overflow: the caller's counts will not match
    auto vertex = [&](GLint& i) {
        FeedbackVertex v{buffer[i],     buffer[i + 1], buffer[i + 2], buffer[i + 3],
                         buffer[i + 4], buffer[i + 5], buffer[i + 6]};
        i += 7;
        return v;
    };
    for (GLint i = 0; i < used;) {
        GLenum token = static_cast<GLenum>(buffer[i++]);
        FeedbackItem item{token, {}};
        int count = 0;
        switch (token) {
        case GL_POLYGON_TOKEN:
            count = static_cast<int>(buffer[i++]);
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            count = 2;
            break;
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            count = 1;
            break;
        case GL_PASS_THROUGH_TOKEN:
            ++i;
            continue;
        default:
            return items; // unknown token: stop rather than misread
        }
        for (int k = 0; k < count; ++k)
            item.vertices.push_back(vertex(i));
        items.push_back(item);
    }
    return items;
}

inline int countTokens(const std::vector<FeedbackItem>& items, GLenum token) {
    int n = 0;
    for (const auto& it : items)
        if (it.token == token) ++n;
    return n;
}
