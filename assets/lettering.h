// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Words inside pictures, in the face of the game's own fonts.
#pragma once
#include <cstdint>
#include <vector>

#include "assets/canvas.h"

// Grey coverage of a rendered text, cropped to its ink.
struct TextImage {
    int w = 0, h = 0;
    std::vector<uint8_t> cov; // top row first
};

// Bold "Arial" (as the game's fonts) at the given cell height. False when no face is found;
// the failure is also counted for letteringFailures().
bool renderLabel(const char* utf8, int cellHeight, TextImage* out);
int letteringFailures();

// Paints the text scaled by (sx, sy) with its ink box centred on (cx, cy); the colour at
// each point comes from paint(u, v), u and v running 0..1 across the ink box.
template <class Paint>
void paintText(Canvas& cv, const TextImage& t, float cx, float cy, float sx, float sy, Paint paint,
               float opacity = 1.0f) {
    if (t.w == 0 || t.h == 0) return;
    float bw = static_cast<float>(t.w) * sx, bh = static_cast<float>(t.h) * sy;
    float left = cx - bw * 0.5f, top = cy - bh * 0.5f;
    int x0 = static_cast<int>(std::floor(left)), x1 = static_cast<int>(std::ceil(left + bw));
    int y0 = static_cast<int>(std::floor(top)), y1 = static_cast<int>(std::ceil(top + bh));
    auto sample = [&](int x, int y) -> float {
        if (x < 0 || y < 0 || x >= t.w || y >= t.h) return 0.0f;
        return t.cov[static_cast<size_t>(y) * t.w + x] / 255.0f;
    };
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            // Bilinear sample of the coverage at this pixel's centre.
            float fx = (static_cast<float>(x) + 0.5f - left) / sx - 0.5f;
            float fy = (static_cast<float>(y) + 0.5f - top) / sy - 0.5f;
            int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
            float ax = fx - static_cast<float>(ix), ay = fy - static_cast<float>(iy);
            float a = sample(ix, iy) * (1 - ax) * (1 - ay) + sample(ix + 1, iy) * ax * (1 - ay) +
                      sample(ix, iy + 1) * (1 - ax) * ay + sample(ix + 1, iy + 1) * ax * ay;
            if (a <= 0.0f) continue;
            float u = (static_cast<float>(x) + 0.5f - left) / bw;
            float v = (static_cast<float>(y) + 0.5f - top) / bh;
            plot(cv, x, y, paint(u, v), a * opacity);
        }
    }
}
