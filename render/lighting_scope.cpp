// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/lighting_scope.h"

bool oneSidedWhenCulled = true;

OneSidedWhileCulled::OneSidedWhileCulled() {
    if (!oneSidedWhenCulled) return;
    GLint twoSide = 0, culled = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    glGetIntegerv(GL_CULL_FACE_MODE, &culled);
    off_ = twoSide != 0 && glIsEnabled(GL_CULL_FACE) && culled == GL_BACK;
    if (off_) glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

OneSidedWhileCulled::~OneSidedWhileCulled() {
    if (off_) glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
}
