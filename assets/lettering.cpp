// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/lettering.h"

#include "platform/text_raster.h"

namespace {
int failures = 0;
}

int letteringFailures() {
    return failures;
}

bool renderLabel(const char* utf8, int cellHeight, TextImage* out) {
    *out = TextImage{};
    std::vector<uint8_t> cov;
    int w = 0, h = 0;
    if (!platformRenderText("Arial", cellHeight, true, utf8, &cov, &w, &h)) {
        ++failures;
        return false;
    }
    int x0 = w, y0 = h, x1 = -1, y1 = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (cov[static_cast<size_t>(y) * w + x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return true; // nothing but spaces
    out->w = x1 - x0 + 1;
    out->h = y1 - y0 + 1;
    out->cov.resize(static_cast<size_t>(out->w) * out->h);
    for (int y = 0; y < out->h; ++y)
        for (int x = 0; x < out->w; ++x)
            out->cov[static_cast<size_t>(y) * out->w + x] =
                cov[static_cast<size_t>(y + y0) * w + (x + x0)];
    return true;
}
