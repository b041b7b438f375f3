// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/camera_view.h"

#include "camera/views.h"
#include "render/gl.h"

void applyCameraView(const Camera& c) {
    const CameraShot& cameraShot = c.cameraShot;
    if (cameraShot.fromScratch) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glCullFace(GL_BACK);
        glLoadIdentity();
    }
    if (!cameraShot.placed) return;
    const double* e = cameraShot.eye;
    const double* t = cameraShot.target;
    gluLookAt(e[0], e[1], e[2], t[0], t[1], t[2], 0, 1, 0);
}
