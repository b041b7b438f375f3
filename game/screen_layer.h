// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A flat layer over the frame in window pixels (origin bottom left), its GL state kept apart
// from the scene's: for panels, boards and texts over the picture.
#pragma once
#include <cmath>

#include "render/gl.h"
#include "render/text.h"

struct ScreenLayer {
    float w, h;
    ScreenLayer() {
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        w = static_cast<float>(viewport[2]);
        h = static_cast<float>(viewport[3]);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,
                           GL_DEPTH_TEST, GL_FOG, GL_CULL_FACE, GL_ALPHA_TEST})
            glDisable(cap);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0, w, 0, h, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
    }
    ~ScreenLayer() {
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopAttrib();
    }
    void dim(float opacity) const {
        glColor4f(0, 0, 0, opacity);
        glRectf(0, 0, w, h);
    }
    // A text with its left end at x (or centred on x), its baseline at y.
    void text(GLuint font, const char* line, float x, float y, bool centred = false) const {
        if (centred) x -= textWidth(font, line) / 2;
        glRasterPos2f(std::floor(x), std::floor(y));
        printText(font, line);
    }
};
