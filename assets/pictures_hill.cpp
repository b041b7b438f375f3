// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Surfaces of the hill: snow, summer mats, grass, the in-run tracks and the fence boards.
// All of them repeat many times, so every one tiles without seams and keeps its contrast
// low enough that the repeat does not show from the jumper's height.
#include <cstring>

#include "assets/painters.h"

void addGrain(Canvas& cv, float amount, uint32_t seed) {
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float g = (latticeValue(x, y, seed) - 0.5f) * 2.0f * amount;
        c = plus(c, g);
    });
}

namespace {

uint32_t seed32(const char* name) {
    return static_cast<uint32_t>(seedFromName(name));
}

// Horizontal paint line across a surface whose edges wander a little, like sprayed dye.
void paintedLine(Canvas& cv, float y, float thickness, Rgb c, uint32_t seed) {
    for (int x = 0; x < cv.w; ++x) {
        float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(cv.w);
        float wobble = (tileNoise(u, 0.5f, 16, 1, seed) - 0.5f) * 1.6f;
        float fade = 0.78f + 0.22f * tileNoise(u, 0.25f, 64, 1, seed + 7u);
        float top = y - thickness * 0.5f + wobble, bottom = y + thickness * 0.5f + wobble;
        for (int py = static_cast<int>(top) - 1; py <= static_cast<int>(bottom) + 1; ++py) {
            float cy = static_cast<float>(py) + 0.5f;
            float a = clamp01(std::min(cy - top + 0.5f, bottom - cy + 0.5f));
            if (a > 0.0f) plot(cv, x, py, c, a * fade);
        }
    }
}

} // namespace

Canvas paintSnow(const char* stem) {
    const int n = 256;
    Canvas cv = makeCanvas(n, n, rgb(224, 231, 242));
    uint32_t s = seed32(stem);
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
        float broad = tileFbm(u, v, 3, 3, 3, s) - 0.5f;
        float fine = tileFbm(u, v, 16, 16, 3, s + 11u) - 0.5f;
        float d = broad * 16.0f + fine * 10.0f;
        // Hollows of the snow look a little bluer than its crests.
        c = rgb(c.r + d * 1.1f, c.g + d, c.b + d * 0.6f);
        if (latticeValue(x, y, s + 99u) > 0.996f) c = plus(c, 12.0f); // glints
    });
    addGrain(cv, 2.5f, s + 5u);
    return cv;
}

Canvas paintMarkedSnow() {
    Canvas cv = paintSnow("window2");
    // Distance lines across the landing zone: blue every few metres, red at the K point.
    const int lines = 7;
    for (int k = 0; k < lines; ++k) {
        float y = cv.h * (k + 0.5f) / lines;
        bool kPoint = k == lines / 2;
        paintedLine(cv, y, kPoint ? 7.0f : 4.0f, kPoint ? rgb(205, 28, 32) : rgb(40, 85, 200),
                    300u + static_cast<uint32_t>(k));
    }
    return cv;
}

Canvas paintMats(const char* stem) {
    const int n = 256, cells = 8, cell = n / cells;
    Canvas cv = makeCanvas(n, n, rgb(64, 146, 78));
    uint32_t s = seed32(stem);
    Rng rng(s);
    // Each mat a shade of its own, brushed along the fall line.
    std::vector<float> shade(cells * cells);
    for (float& f : shade)
        f = rng.uniform(-9.0f, 9.0f);
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
        float bristle = tileNoise(u, v, 128, 8, s) - 0.5f;
        float patch = tileFbm(u, v, 2, 2, 2, s + 3u) - 0.5f;
        float d = shade[(y / cell) * cells + x / cell] + bristle * 18.0f + patch * 14.0f;
        c = rgb(c.r + d * 0.6f, c.g + d, c.b + d * 0.6f);
        int gx = x % cell, gy = y % cell;
        if (gx == 0 || gy == 0) c = scaled(c, 0.72f); // seams between mats
    });
    addGrain(cv, 3.0f, s + 8u);
    return cv;
}

Canvas paintMarkedMats() {
    Canvas cv = paintMats("ovlu");
    const int lines = 7;
    for (int k = 0; k < lines; ++k) {
        float y = cv.h * (k + 0.5f) / lines;
        bool kPoint = k == lines / 2;
        paintedLine(cv, y, kPoint ? 7.0f : 4.0f, kPoint ? rgb(215, 35, 35) : rgb(238, 240, 236),
                    400u + static_cast<uint32_t>(k));
    }
    return cv;
}

Canvas paintGrass() {
    const int n = 256;
    Canvas cv = makeCanvas(n, n, rgb(72, 128, 48));
    cv.wrapX = cv.wrapY = true;
    uint32_t s = seed32("trawa");
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
        float patch = tileFbm(u, v, 3, 3, 4, s) - 0.5f;
        float dry = tileFbm(u, v, 5, 5, 2, s + 1u);
        c = rgb(c.r + patch * 26.0f, c.g + patch * 40.0f, c.b + patch * 14.0f);
        // Sunburnt patches lean towards yellow.
        float t = smoothStep(0.55f, 0.75f, dry) * 0.35f;
        c = mix(c, rgb(128, 140, 62), t);
    });
    // Blades: short strokes in lighter and darker greens.
    Rng rng(s + 2u);
    for (int i = 0; i < 5200; ++i) {
        float x = rng.uniform(0, n), y = rng.uniform(0, n);
        float len = rng.uniform(3.0f, 7.0f), lean = rng.uniform(-1.8f, 1.8f);
        float k = rng.uniform(-1.0f, 1.0f);
        Rgb c = k > 0 ? rgb(96 + 30 * k, 160 + 30 * k, 60) : rgb(48, 96 + 20 * k, 34);
        drawLine(cv, x, y, x + lean, y - len, 1.0f, c, 0.55f);
    }
    addGrain(cv, 3.0f, s + 3u);
    return cv;
}

namespace {

// Centres of the two ski tracks across the in-run, as fractions of its width.
constexpr float kTrackLeft = 0.40f, kTrackRight = 0.60f;

} // namespace

Canvas paintIceTrack() {
    const int n = 256;
    Canvas cv = makeCanvas(n, n, rgb(214, 224, 238));
    uint32_t s = seed32("rozbieg");
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
        // Prepared snow is combed along the run: streaks that are long in t.
        float streak = tileFbm(u, v, 48, 2, 3, s) - 0.5f;
        float broad = tileFbm(u, v, 4, 2, 2, s + 1u) - 0.5f;
        float d = streak * 14.0f + broad * 10.0f;
        c = rgb(c.r + d, c.g + d, c.b + d * 0.7f);
        // Rougher, greyer snow along both edges of the track.
        float edge = std::min(u, 1.0f - u);
        c = mix(c, rgb(190, 198, 210), smoothStep(0.08f, 0.0f, edge) * 0.6f);
    });
    for (float centre : {kTrackLeft, kTrackRight}) {
        float cx = centre * n, half = 7.0f;
        fillShape(
            cv, cx - half - 3, 0, cx + half + 3, static_cast<float>(n),
            [&](float px, float) { return std::fabs(px - cx) - half; },
            [&](float px, float py) {
                // Glazed ice: darker and bluer towards the bottom of the groove.
                float depth = 1.0f - std::fabs(px - cx) / half;
                float glint = tileNoise(0.5f, py / n, 1, 24, s + 7u);
                return mix(rgb(168, 190, 216), rgb(118, 148, 190), depth * 0.8f + glint * 0.2f);
            });
        // Polished rims catch the light.
        for (float side : {-1.0f, 1.0f})
            drawLine(cv, cx + side * (half + 0.8f), -2.0f, cx + side * (half + 0.8f),
                     static_cast<float>(n) + 2, 1.6f, rgb(246, 250, 255));
    }
    addGrain(cv, 2.0f, s + 9u);
    return cv;
}

Canvas paintPorcelainTrack() {
    const int n = 256;
    Canvas cv = makeCanvas(n, n, rgb(78, 140, 86));
    uint32_t s = seed32("rozbieglato");
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
        float bristle = tileNoise(u, v, 128, 4, s) - 0.5f;
        float d = bristle * 16.0f + (tileFbm(u, v, 3, 2, 2, s + 1u) - 0.5f) * 10.0f;
        c = rgb(c.r + d * 0.6f, c.g + d, c.b + d * 0.6f);
    });
    for (float centre : {kTrackLeft, kTrackRight}) {
        float cx = centre * n, half = 10.0f;
        // Concrete bed, then the ribbed ceramic profile the skis run on.
        fillRect(cv, cx - half - 4, 0, cx + half + 4, static_cast<float>(n), rgb(150, 152, 150));
        fillShape(
            cv, cx - half, 0, cx + half, static_cast<float>(n),
            [&](float px, float) { return std::fabs(px - cx) - half; },
            [&](float px, float py) {
                int rib = static_cast<int>(px - (cx - half)) % 3;
                Rgb base = rib == 0 ? rgb(206, 202, 192) : rgb(238, 235, 226);
                // Joints between the ceramic elements, one every 32 pixels along the run.
                if (static_cast<int>(py) % 32 == 0) base = rgb(170, 168, 160);
                return base;
            });
    }
    addGrain(cv, 2.5f, s + 9u);
    return cv;
}

Canvas paintBoards() {
    // Four sponsor boards side by side, each a square of colour and shapes, no lettering.
    const int w = 256, h = 64, panel = 64;
    Canvas cv = makeCanvas(w, h, rgb(230, 230, 230));
    const Rgb backs[4] = {rgb(28, 78, 196), rgb(248, 204, 40), rgb(206, 36, 40), rgb(36, 146, 80)};
    for (int p = 0; p < 4; ++p) {
        float x0 = static_cast<float>(p * panel), x1 = x0 + panel;
        fillRect(cv, x0, 0, x1, static_cast<float>(h), backs[p]);
        switch (p) {
        case 0: // white diagonal stripes
            for (int k = -2; k < 5; ++k) {
                float bx = x0 + k * 16.0f;
                fillPolygon(cv, {{bx, 64}, {bx + 8, 64}, {bx + 40, 0}, {bx + 32, 0}},
                            rgb(240, 244, 250));
            }
            fillRect(cv, x0, 0, x1, 6, rgb(18, 40, 120));
            fillRect(cv, x0, 58, x1, 64, rgb(18, 40, 120));
            break;
        case 1: // red disc and dark block
            fillEllipse(cv, x0 + 22, 32, 15, 15, rgb(214, 40, 36));
            fillRect(cv, x0 + 40, 18, x0 + 58, 46, rgb(40, 40, 52));
            fillRect(cv, x0 + 6, 54, x0 + 58, 58, rgb(214, 40, 36));
            break;
        case 2: // white band with blue squares
            fillRect(cv, x0, 24, x1, 40, rgb(244, 244, 240));
            for (int k = 0; k < 4; ++k)
                fillRect(cv, x0 + 6 + k * 14.0f, 27, x0 + 16 + k * 14.0f, 37, rgb(30, 70, 180));
            break;
        default: // white chevrons
            for (int k = 0; k < 3; ++k) {
                float cx = x0 + 14 + k * 18.0f;
                fillPolygon(
                    cv,
                    {{cx, 14}, {cx + 12, 32}, {cx, 50}, {cx - 6, 50}, {cx + 6, 32}, {cx - 6, 14}},
                    rgb(240, 246, 240));
            }
            break;
        }
        // Seam and frame between boards.
        fillRect(cv, x0, 0, x0 + 2, static_cast<float>(h), rgb(46, 48, 54));
    }
    // (Board 0's stripes that overrun its right edge are covered by board 1, painted later.)
    addGrain(cv, 2.0f, seed32("spot1"));
    // The game maps t = 0 to the top edge of a board.
    flipVertical(cv);
    return cv;
}
