// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs frames or single draws in GL feedback mode and splits the primitives by the
// group marks the venue code passes through.
#pragma once
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "render/gl.h"
#include "venue/group_marks.h"

// One fed-back polygon or line: its vertices, each `stride` floats (window x, y, z first;
// then RGBA and texture s, t, r, q for the richer feedback types).
struct FedPrimitive {
    int vertexCount = 0;
    std::vector<float> data;
};

struct GroupTally {
    int calls = 0;                      // begin marks seen
    std::vector<FedPrimitive> polygons; // those that survived culling and clipping
    std::vector<FedPrimitive> lines;
};

// The driver may hand polygons back split into triangles: count triangles, which both agree on.
inline size_t triangleCount(const std::vector<FedPrimitive>& polygons) {
    size_t n = 0;
    for (const auto& p : polygons)
        n += p.vertexCount - 2;
    return n;
}

struct FeedbackResult {
    bool overflowed = false;
    int stride = 3;
    std::map<int, GroupTally> groups; // by GroupMark; 0 collects everything unmarked
    GroupTally& operator[](int mark) { return groups[mark]; }
};

inline int feedbackStride(GLenum type) {
    switch (type) {
    case GL_3D_COLOR:
        return 7;
    case GL_3D_COLOR_TEXTURE:
        return 11;
    default:
        return 3;
    }
}

inline FeedbackResult captureFeedback(const std::function<void()>& draw, GLenum type = GL_3D,
                                      size_t capacity = 8u << 20) {
    std::vector<GLfloat> buffer(capacity);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    FeedbackResult result;
    result.stride = feedbackStride(type);
    if (used < 0) {
        result.overflowed = true;
        return result;
    }
    const int stride = result.stride;
    int current = MARK_GROUP_END;
    auto take = [&](GLint& i, int n) {
        FedPrimitive p;
        p.vertexCount = n;
        p.data.assign(&buffer[i], &buffer[i] + stride * n);
        i += stride * n;
        return p;
    };
    for (GLint i = 0; i < used;) {
        int token = static_cast<int>(buffer[i++]);
        GroupTally& tally = result.groups[current];
        switch (token) {
        case GL_PASS_THROUGH_TOKEN: {
            current = static_cast<int>(buffer[i++]);
            if (current != MARK_GROUP_END) ++result.groups[current].calls;
            break;
        }
        case GL_POLYGON_TOKEN: {
            int n = static_cast<int>(buffer[i++]);
            tally.polygons.push_back(take(i, n));
            break;
        }
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            tally.lines.push_back(take(i, 2));
            break;
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN:
            i += stride;
            break;
        default: // unknown token: stop rather than misread the rest
            i = used;
            break;
        }
    }
    return result;
}

// A fixed camera for drawing single venue objects outside a frame: projection and
// model-view of its own, everything restored when it goes away.
class IsolatedView {
  public:
    // Orthographic box of half-size `extent` around `center`, seen from `eye`.
    IsolatedView(const double eye[3], const double center[3], double extent,
                 bool perspective = false) {
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        double dx = eye[0] - center[0], dy = eye[1] - center[1], dz = eye[2] - center[2];
        double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (perspective)
            gluPerspective(40, 4.0 / 3.0, 0.5, distance + 4 * extent);
        else
            glOrtho(-extent, extent, -extent, extent, distance - 2 * extent, distance + 2 * extent);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        double up[3] = {0, 1, 0};
        if (dx == 0 && dz == 0) up[1] = 0, up[2] = -1; // looking straight down
        gluLookAt(eye[0], eye[1], eye[2], center[0], center[1], center[2], up[0], up[1], up[2]);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview_);
        glGetDoublev(GL_PROJECTION_MATRIX, projection_);
        glGetIntegerv(GL_VIEWPORT, viewport_);
    }
    ~IsolatedView() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
    IsolatedView(const IsolatedView&) = delete;
    IsolatedView& operator=(const IsolatedView&) = delete;

    // Object coordinates of a fed-back window position (for the camera's own matrices).
    void toObject(const float* window, double out[3]) const {
        gluUnProject(window[0], window[1], window[2], modelview_, projection_, viewport_, &out[0],
                     &out[1], &out[2]);
    }

  private:
    double modelview_[16], projection_[16];
    GLint viewport_[4];
};
