// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Spectators, spruce, safety net and the floodlight mast's lattice and lamps.
#include "assets/painters.h"

namespace {

const Rgb kSkin[] = {rgb(240, 206, 178), rgb(226, 182, 146), rgb(198, 146, 108), rgb(150, 102, 72),
                     rgb(246, 220, 196)};
const Rgb kHair[] = {rgb(46, 32, 24), rgb(92, 60, 34), rgb(196, 160, 96), rgb(30, 28, 30),
                     rgb(140, 136, 132)};
const Rgb kCoats[] = {rgb(210, 38, 40),   rgb(36, 90, 200),  rgb(244, 200, 40), rgb(40, 150, 70),
                      rgb(236, 236, 236), rgb(236, 110, 30), rgb(120, 50, 150), rgb(60, 60, 70),
                      rgb(30, 160, 180),  rgb(230, 80, 140), rgb(150, 30, 40),  rgb(90, 110, 60)};
const Rgb kHats[] = {rgb(220, 30, 40), rgb(250, 250, 250), rgb(40, 80, 210), rgb(250, 210, 30),
                     rgb(30, 30, 36),  rgb(40, 170, 80),   rgb(240, 120, 20)};

// Head and shoulders of one spectator, standing at x with the top of the head at top.
void spectator(Canvas& cv, Rng& rng, float x, float top, float size, int variant) {
    float headR = 6.8f * size;
    float headY = top + headR;
    float shoulderW = rng.uniform(12.5f, 15.0f) * size;
    Rgb coat = kCoats[rng.range(0, 11)];
    Rgb skin = kSkin[rng.range(0, 4)];
    bool raised = variant == 1 && rng.chance(0.35f);
    if (raised) {
        // Arms up, with a scarf or a small flag held high.
        Rgb sleeve = scaled(coat, 0.9f);
        float handY = std::max(9.0f, top - rng.uniform(0.0f, 3.0f));
        drawLine(cv, x - shoulderW * 0.8f, headY + headR + 6, x - shoulderW - 2, handY + 4,
                 4.0f * size, sleeve);
        drawLine(cv, x + shoulderW * 0.8f, headY + headR + 6, x + shoulderW + 2, handY + 4,
                 4.0f * size, sleeve);
        fillEllipse(cv, x - shoulderW - 2, handY + 3, 2.2f, 2.2f, skin);
        fillEllipse(cv, x + shoulderW + 2, handY + 3, 2.2f, 2.2f, skin);
        if (rng.chance(0.5f)) {
            Rgb a = kHats[rng.range(0, 6)], b = kHats[rng.range(0, 6)];
            float y = handY + 1;
            for (float sx = x - shoulderW - 2; sx < x + shoulderW + 2; sx += 4)
                fillRect(cv, sx, y, sx + 4, y + 5, (static_cast<int>(sx - x) / 4) % 2 ? a : b);
        }
    } else if (variant == 1 && rng.chance(0.25f)) {
        float fx = x + shoulderW * 0.7f, fy = std::max(8.0f, top - 2);
        drawLine(cv, fx, headY + 16, fx, fy, 1.4f, rgb(110, 80, 50));
        Rgb a = kHats[rng.range(0, 6)], b = kHats[rng.range(0, 6)];
        fillRect(cv, fx, fy, fx + 12, fy + 4, a);
        fillRect(cv, fx, fy + 4, fx + 12, fy + 8, b);
    }
    // Body: jacket with round shoulders, sleeves a shade darker, a zip down the middle.
    float bodyTop = headY + headR * 0.7f;
    fillShape(
        cv, x - shoulderW, bodyTop, x + shoulderW, 72,
        [&](float px, float py) {
            return sdRoundBox(px, py, x - shoulderW, bodyTop, x + shoulderW, 90, shoulderW * 0.6f);
        },
        [&](float px, float) {
            float k = std::fabs(px - x) > shoulderW * 0.62f ? 0.8f : 1.0f;
            return scaled(coat, px > x ? k * 0.9f : k);
        });
    drawLine(cv, x, bodyTop + headR * 0.6f, x, 66, 1.0f, scaled(coat, 0.6f), 0.7f); // zip
    if (variant == 2 && rng.chance(0.4f))                                           // scarf
        fillRoundRect(cv, x - headR * 1.1f, bodyTop - 1, x + headR * 1.1f, bodyTop + 5, 2,
                      kHats[rng.range(0, 6)]);
    // Head, then hat, hood or hair.
    fillEllipse(cv, x, headY, headR * 0.92f, headR, skin);
    int top_ = rng.range(0, 9);
    if (top_ < 5) { // knitted hat, sometimes with a bobble
        Rgb hat = kHats[rng.range(0, 6)];
        fillShape(
            cv, x - headR, top - 1, x + headR, headY,
            [&](float px, float py) {
                return std::max(sdEllipse(px, py, x, headY, headR * 1.02f, headR * 1.08f),
                                py - (headY - 1));
            },
            [&](float, float) { return hat; });
        fillRect(cv, x - headR * 1.02f, headY - 3, x + headR * 1.02f, headY, scaled(hat, 0.8f));
        if (rng.chance(0.5f))
            fillEllipse(cv, x, top - 1, 2.4f * size, 2.2f * size, kHats[rng.range(0, 6)]);
    } else if (top_ < 7 && variant == 2) { // hood up
        fillShape(
            cv, x - headR - 3, top - 3, x + headR + 3, headY + headR,
            [&](float px, float py) {
                float outer = sdEllipse(px, py, x, headY, headR + 2.5f, headR + 2.5f);
                float face = sdEllipse(px, py, x, headY + 1.5f, headR * 0.7f, headR * 0.78f);
                return std::max(outer, -face);
            },
            [&](float, float) { return scaled(coat, 0.9f); });
    } else { // hair
        Rgb hair = kHair[rng.range(0, 4)];
        fillShape(
            cv, x - headR, top - 1, x + headR, headY,
            [&](float px, float py) {
                return std::max(sdEllipse(px, py, x, headY, headR, headR * 1.04f),
                                py - (headY - 2));
            },
            [&](float, float) { return hair; });
    }
}

} // namespace

Canvas paintCrowd(int variant) {
    // A crowd row shows 3.33 x 0.56 units of picture with its top tenth cut off; drawn
    // here with square pixels (384 x 64), then squeezed to 256 x 64. Heads stay in the
    // upper half, because each row stands a quarter unit above the one in front of it.
    const int W = 384, H = 64;
    Canvas cv = makeCutout(W, H);
    cv.wrapX = true;
    Rng rng(seedFromName(variant == 0 ? "audience" : variant == 1 ? "audience2" : "audience3"));
    if (variant == 2) {
        // A second, smaller rank half hidden behind the first.
        for (float x = 10; x < W; x += rng.uniform(22, 30))
            spectator(cv, rng, x, rng.uniform(9, 12), 0.8f, 0);
    }
    float x = rng.uniform(4, 10);
    while (x < W - 8) {
        float size = rng.uniform(0.9f, 1.1f);
        if (rng.chance(0.12f)) size = 0.78f; // children
        float top = (variant == 2 ? 18.0f : 12.0f) + rng.uniform(0.0f, 8.0f) + (1.1f - size) * 20;
        spectator(cv, rng, x, top, size, variant);
        x += rng.uniform(26, 34) * size + (rng.chance(0.15f) ? rng.uniform(6, 14) : 0);
    }
    return resampleArea(cv, 256, 64);
}

Canvas paintSpruce() {
    // Billboard of 3.5 x 6 units showing t up to 0.9: the crown ends below the top tenth.
    const int W = 128, H = 256;
    Canvas cv = makeCutout(W, H);
    Rng rng(seedFromName("swierk"));
    const float cx = 64, treeTop = 30, treeBottom = 240;
    fillRect(cv, cx - 4, 222, cx + 4, H, rgb(84, 56, 34));
    // A dense core first, so no sky shows through the middle of the crown.
    fillPolygon(cv, {{cx, treeTop + 8}, {cx + 40, treeBottom - 16}, {cx - 40, treeBottom - 16}},
                rgb(20, 50, 30));
    const int tiers = 13;
    for (int i = 0; i < tiers; ++i) {
        float t = static_cast<float>(i) / (tiers - 1);
        float apex = treeTop + (treeBottom - treeTop - 34) * t * 0.95f - (i ? 6 : 0);
        float bottom = apex + 26 + 10 * t;
        float half = 7 + 52 * t + rng.uniform(-2, 2);
        std::vector<Point> p = {{cx, apex}};
        // Right edge out to a drooping tip, then a ragged underside back to the left tip.
        p.push_back({cx + half * 0.7f, bottom - 6});
        p.push_back({cx + half, bottom + 2});
        const int teeth = 6 + static_cast<int>(10 * t);
        for (int k = 1; k < teeth; ++k) {
            float f = static_cast<float>(k) / teeth;
            float px = cx + half - 2 * half * f;
            float sag = 7 * std::sin(f * 3.14159f);
            float py = bottom - sag + ((k % 2) ? -4.0f : rng.uniform(0.0f, 3.0f));
            p.push_back({px, py});
        }
        p.push_back({cx - half, bottom + 2});
        p.push_back({cx - half * 0.7f, bottom - 6});
        Rgb dark = rgb(18, 52, 30), light = rgb(52, 104, 56);
        fillShape(
            cv, cx - half - 2, apex - 2, cx + half + 2, bottom + 4,
            [&](float px, float py) { return sdPolygon(px, py, p); },
            [&](float px, float py) {
                // Lit from the upper left; darker deep inside and underneath.
                float side = clamp01(0.5f - (px - cx) / (2 * half + 1));
                float depth = clamp01((py - apex) / (bottom - apex + 1));
                return mix(dark, light, clamp01(side * 0.9f - depth * 0.5f + 0.3f));
            });
    }
    // Needles: short strokes that break up the tiers, kept inside the silhouette.
    std::vector<float> silhouette = cv.cover;
    for (int i = 0; i < 900; ++i) {
        int x = rng.range(0, W - 1), y = rng.range(24, H - 20);
        if (cv.cover[static_cast<size_t>(y) * W + x] < 0.5f) continue;
        bool light = rng.chance(0.4f);
        drawLine(cv, x, y, x + rng.uniform(-3, 3), y + rng.uniform(1, 3), 1.0f,
                 light ? rgb(70, 120, 66) : rgb(12, 36, 22), 0.7f);
    }
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (silhouette[static_cast<size_t>(y) * W + x] < 0.5f) clearPixel(cv, x, y);
    return cv;
}

Canvas paintNet() {
    const int n = 128;
    const float cell = 16.0f, half = 0.9f;
    Canvas cv = makeCutout(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            auto lineDist = [&](float v) {
                float m = std::fmod(v, cell);
                if (m < 0) m += cell;
                return std::min(m, cell - m) * 0.70710678f;
            };
            float d = std::min(lineDist(px + py), lineDist(px - py + n));
            float a = clamp01(0.5f + half - d);
            if (a > 0) plot(cv, x, y, rgb(214, 226, 220), a);
        }
    return cv;
}

Canvas paintLattice() {
    const int n = 128;
    Canvas cv = makeCanvas(n, n, rgb(58, 62, 70));
    Rgb steel = rgb(150, 156, 166), edge = rgb(196, 202, 210);
    auto beam = [&](float x0, float y0, float x1, float y1, float w) {
        drawLine(cv, x0, y0, x1, y1, w, steel);
        drawLine(cv, x0 - 1, y0 - 1, x1 - 1, y1 - 1, 1.2f, edge);
    };
    for (float y : {64.0f})
        beam(0, y, n, y, 6);
    beam(2, 2, 62, 62, 4);
    beam(62, 2, 2, 62, 4);
    beam(66, 66, 126, 126, 4);
    beam(126, 66, 66, 126, 4);
    beam(66, 2, 126, 62, 4);
    beam(126, 2, 66, 62, 4);
    beam(2, 66, 62, 126, 4);
    beam(62, 66, 2, 126, 4);
    // Posts and chords along the edges, so the corner texel (the one a box with no
    // repeat shows) is steel.
    fillRect(cv, 0, 0, 8, n, steel);
    fillRect(cv, n - 8.0f, 0, n, n, steel);
    fillRect(cv, 0, 0, n, 6, steel);
    fillRect(cv, 0, n - 6.0f, n, n, steel);
    for (float x : {60.0f, 64.0f})
        drawLine(cv, x, 0, x, n, 1.0f, rgb(110, 116, 124));
    addGrain(cv, 3.0f, 91u);
    return cv;
}

Canvas paintLampPanel(bool lit) {
    // One lamp of the 5 x 5 grid on a floodlight's panel.
    const int n = 64;
    Canvas cv = makeCanvas(n, n, lit ? rgb(120, 112, 92) : rgb(62, 64, 70));
    fillRoundRect(cv, 5, 5, 59, 59, 6, lit ? rgb(170, 160, 120) : rgb(96, 100, 108));
    fillShape(
        cv, 8, 8, 56, 56, [](float px, float py) { return sdRoundBox(px, py, 8, 8, 56, 56, 5); },
        [&](float px, float py) {
            float d = std::sqrt((px - 30) * (px - 30) + (py - 30) * (py - 30)) / 30.0f;
            if (lit) return mix(rgb(255, 255, 244), rgb(255, 222, 140), smoothStep(0.1f, 1.1f, d));
            float sheen = clamp01(1.0f - std::fabs(px - py) / 14.0f) * 22.0f;
            return plus(mix(rgb(206, 210, 216), rgb(150, 156, 166), smoothStep(0.0f, 1.1f, d)),
                        sheen);
        });
    // Prismatic glass: a fine grid of ribs.
    for (float k = 14; k < 56; k += 8) {
        Rgb rib = lit ? rgb(255, 236, 180) : rgb(136, 142, 152);
        drawLine(cv, k, 9, k, 55, 1.0f, rib, 0.45f);
        drawLine(cv, 9, k, 55, k, 1.0f, rib, 0.45f);
    }
    return cv;
}
