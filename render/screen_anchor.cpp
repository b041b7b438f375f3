// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/screen_anchor.h"

#include "render/gl.h"

namespace {

constexpr double kFieldOfView = 55, kNear = 6, kFar = 60000;
constexpr double kLayoutAspect = 4.0 / 3.0;

} // namespace

void applyScenePerspective(double aspect) {
    gluPerspective(kFieldOfView, aspect, kNear, kFar);
}

ScreenAnchor::ScreenAnchor(ScreenEdge edge) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int w = viewport[2], h = viewport[3];
    // At 4:3 the window's own projection is the layout's: left exactly as it is.
    if (w <= 0 || h <= 0 || w * 3 == h * 4) return;
    // The 4:3 picture is this much as wide as the window; its edge meets the window's.
    const double share = kLayoutAspect * h / w;
    const double shift = edge == ScreenEdge::Left    ? share - 1
                         : edge == ScreenEdge::Right ? 1 - share
                                                     : 0;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(shift, 0, 0);
    glScaled(share, 1, 1);
    applyScenePerspective(kLayoutAspect);
    glMatrixMode(GL_MODELVIEW);
    pushed_ = true;
}

ScreenAnchor::~ScreenAnchor() {
    if (!pushed_) return;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
