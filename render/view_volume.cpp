// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/view_volume.h"

#include <cmath>

bool viewCulling = true;
unsigned long viewCulledCount = 0;

ViewVolume currentViewVolume() {
    GLfloat projection[16], modelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    ViewVolume v;
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k)
                sum += static_cast<double>(projection[k * 4 + row]) * modelView[col * 4 + k];
            v.clip[col * 4 + row] = sum;
        }
    return v;
}

bool outsideView(const ViewVolume& volume, const Transform& where, const ViewBox& box) {
    if (!viewCulling) return false;
    const float* lo = box.lo;
    const float* hi = box.hi;
    // Corners in clip coordinates; a side's test is -w <= x, y, z <= w.
    int outside[6] = {0, 0, 0, 0, 0, 0};
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1) ? hi[0] : lo[0], (corner & 2) ? hi[1] : lo[1],
                             (corner & 4) ? hi[2] : lo[2]};
        double placed[4];
        for (int r = 0; r < 4; ++r)
            placed[r] =
                where.m[r] * p[0] + where.m[4 + r] * p[1] + where.m[8 + r] * p[2] + where.m[12 + r];
        double c[4];
        for (int r = 0; r < 4; ++r)
            c[r] = volume.clip[r] * placed[0] + volume.clip[4 + r] * placed[1] +
                   volume.clip[8 + r] * placed[2] + volume.clip[12 + r] * placed[3];
        const double w = c[3];
        for (int axis = 0; axis < 3; ++axis) {
            const double room = 1e-3 * (std::fabs(c[axis]) + std::fabs(w)) + 1e-6;
            if (c[axis] > w + room) ++outside[2 * axis];
            if (c[axis] < -w - room) ++outside[2 * axis + 1];
        }
    }
    for (int side = 0; side < 6; ++side)
        if (outside[side] == 8) {
            ++viewCulledCount;
            return true;
        }
    return false;
}
