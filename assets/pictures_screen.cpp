// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen (poster and buttons) and the flat layers in front of the 3-D view:
// HUD panels, wind signs, the start light and one snowflake or raindrop.
#include "assets/lettering.h"
#include "assets/painters.h"

namespace {

// A conifer silhouette standing on (x, base), for the poster.
void treeSilhouette(Canvas& cv, float x, float base, float height, Rgb c) {
    float half = height * 0.32f;
    const int tiers = 4;
    for (int t = 0; t < tiers; ++t) {
        float top = base - height + height * 0.22f * t;
        float bottom = base - height * 0.08f - height * (0.2f * (tiers - 1 - t)) * 0.55f;
        float w = half * (0.45f + 0.55f * (t + 1) / tiers);
        fillPolygon(cv, {{x, top}, {x + w, bottom}, {x - w, bottom}}, c);
    }
    fillRect(cv, x - height * 0.03f, base - height * 0.1f, x + height * 0.03f, base, c);
}

Point bezier(Point a, Point b, Point c, Point d, float t) {
    float u = 1 - t;
    return {u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
            u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y};
}

} // namespace

Canvas paintPoster(const char* helpCaption) {
    // Painted in the proportions the start screen shows it (20 x 13.2), then squeezed into
    // a square texture. Only x < 710 is on screen at 4:3, the buttons cover the sky at
    // x 54..216, y 118..205, so the title sits top centre and the hill to the right.
    const int W = 776, H = 512;
    Canvas cv = makeCanvas(W, H, rgb(10, 14, 40));
    uint32_t s = static_cast<uint32_t>(seedFromName("wall2"));
    shadeOpaque(cv, [&](int, int y, Rgb& c) {
        float t = static_cast<float>(y) / 340.0f;
        c = t < 1 ? mix(rgb(6, 9, 32), rgb(38, 58, 112), t * t) : rgb(46, 66, 120);
    });
    Rng rng(s);
    for (int i = 0; i < 220; ++i) {
        float x = rng.uniform(0, W), y = rng.uniform(0, 300);
        float b = rng.uniform(0.35f, 1.0f) * (1.0f - y / 360.0f);
        float r = rng.uniform(0.5f, 1.3f);
        fillEllipse(cv, x, y, r, r, rgb(230, 236, 255), b);
    }
    // Moon with a halo.
    glow(cv, 676, 50, 60, rgb(150, 170, 220), 0.35f);
    fillEllipse(cv, 676, 50, 17, 17, rgb(238, 238, 222));
    fillEllipse(cv, 670, 45, 4, 3.5f, rgb(214, 214, 200));
    fillEllipse(cv, 682, 56, 3.5f, 2.5f, rgb(218, 218, 204));

    // Far mountains: snow-capped, lighter towards the peaks.
    std::vector<Point> far = {{0, 512}};
    for (int x = 0; x <= W; x += 4) {
        float u = static_cast<float>(x) / W;
        float ridge = 300 - 46 * tileFbm(u, 0.3f, 5, 1, 4, s + 1u) * 1.6f + 18 * std::sin(u * 9.0f);
        far.push_back({static_cast<float>(x), ridge});
    }
    far.push_back({static_cast<float>(W), 512});
    fillShape(
        cv, 0, 180, W, 512, [&](float px, float py) { return sdPolygon(px, py, far); },
        [&](float, float py) {
            return mix(rgb(150, 165, 205), rgb(44, 58, 98), smoothStep(230, 330, py));
        });
    // Nearer wooded hills.
    std::vector<Point> near = {{0, 512}};
    for (int x = 0; x <= W; x += 4) {
        float u = static_cast<float>(x) / W;
        near.push_back({static_cast<float>(x), 352 - 30 * tileFbm(u, 0.7f, 3, 1, 3, s + 2u)});
    }
    near.push_back({static_cast<float>(W), 512});
    fillPolygon(cv, near, rgb(22, 32, 58));
    for (int i = 0; i < 90; ++i) {
        float x = rng.uniform(0, W), hgt = rng.uniform(12, 26);
        float u = x / W;
        treeSilhouette(cv, x, 356 - 30 * tileFbm(u, 0.7f, 3, 1, 3, s + 2u) + 6, hgt,
                       rgb(14, 24, 36));
    }

    // The jump: hillside under the in-run, in-run on pillars, landing hill, outrun.
    Point r0{712, 138}, r1{600, 222}, r2{520, 296}, r3{468, 302};
    std::vector<Point> ramp;
    for (int i = 0; i <= 24; ++i)
        ramp.push_back(bezier(r0, r1, r2, r3, i / 24.0f));
    for (size_t i = 0; i + 1 < ramp.size(); i += 3) {
        const Point& p = ramp[i];
        float ground = 330 - (p.x - 430) * 0.5f + 14;
        drawLine(cv, p.x, p.y + 6, p.x, std::max(ground, p.y + 10), 3.0f, rgb(52, 58, 78));
    }
    for (size_t i = 0; i + 1 < ramp.size(); ++i) {
        drawLine(cv, ramp[i].x, ramp[i].y + 4, ramp[i + 1].x, ramp[i + 1].y + 4, 9.0f,
                 rgb(60, 68, 92));
        drawLine(cv, ramp[i].x, ramp[i].y, ramp[i + 1].x, ramp[i + 1].y, 3.5f, rgb(236, 240, 250));
    }
    fillRect(cv, 698, 112, 730, 140, rgb(70, 78, 104)); // start cabin
    fillRect(cv, 704, 118, 724, 128, rgb(255, 214, 120));
    // Landing hill lit by the floodlights.
    Point l0{462, 310}, l1{404, 314}, l2{300, 468}, l3{150, 474};
    std::vector<Point> slope;
    for (int i = 0; i <= 32; ++i)
        slope.push_back(bezier(l0, l1, l2, l3, i / 32.0f));
    std::vector<Point> hill = slope;
    hill.push_back({0, 476});
    hill.push_back({0, 512});
    hill.push_back({470, 512});
    hill.push_back({470, 316});
    fillShape(
        cv, 0, 300, 480, 512, [&](float px, float py) { return sdPolygon(px, py, hill); },
        [&](float px, float py) {
            float lit = 1.0f - std::min(1.0f, std::fabs(px - 330) / 420.0f);
            float n = tileNoise(px / W, py / H, 40, 30, s + 3u) * 10;
            return plus(mix(rgb(150, 166, 208), rgb(232, 238, 250), lit), n - 5);
        });
    // The hillside that carries the in-run, over the landing hill's cut edge.
    fillPolygon(cv, {{392, 512}, {452, 318}, {520, 300}, {640, 240}, {776, 205}, {776, 512}},
                rgb(18, 26, 46));
    fillShape(
        cv, 392, 300, 480, 512,
        [&](float px, float py) { return sdSegment(px, py, 392, 512, 452, 318) - 1.0f; },
        [](float, float) { return rgb(48, 60, 92); });
    // Spruces on the hillside below the in-run.
    for (int i = 0; i < 26; ++i) {
        float x = rng.uniform(470, 776);
        float ridge = x < 520   ? 318 - (x - 452) * 0.26f
                      : x < 640 ? 300 - (x - 520) * 0.5f
                                : 240 - (x - 640) * 0.26f;
        float y = rng.uniform(ridge + 30, 470);
        treeSilhouette(cv, x, y, rng.uniform(16, 30), rgb(10, 18, 30));
    }
    // Distance lines across the landing zone.
    for (int k = 0; k < 5; ++k) {
        Point a = bezier(l0, l1, l2, l3, 0.32f + 0.07f * k);
        drawLine(cv, a.x - 14, a.y + 2, a.x + 14, a.y - 2, 1.6f,
                 k == 2 ? rgb(210, 40, 40) : rgb(60, 100, 210));
    }
    // Crowd at the outrun: many small coloured dots.
    for (int i = 0; i < 260; ++i) {
        float x = rng.uniform(20, 250), y = rng.uniform(484, 500);
        const Rgb coats[] = {rgb(220, 50, 50),   rgb(250, 210, 60), rgb(60, 110, 220),
                             rgb(240, 240, 240), rgb(50, 170, 90),  rgb(230, 120, 40)};
        fillEllipse(cv, x, y, 1.6f, 1.6f, coats[rng.range(0, 5)]);
    }

    // Floodlight masts with their beams.
    struct Mast {
        float x, base, top;
    } masts[] = {{118, 488, 228}, {548, 420, 214}};
    for (const Mast& m : masts) {
        fillPolygon(cv, {{m.x - 10, m.top}, {m.x + 12, m.top}, {m.x + 150, 500}, {m.x - 220, 500}},
                    rgb(255, 244, 210), 0.07f);
        drawLine(cv, m.x - 3, m.base, m.x - 1, m.top, 2.0f, rgb(70, 78, 100));
        drawLine(cv, m.x + 3, m.base, m.x + 1, m.top, 2.0f, rgb(70, 78, 100));
        for (float y = m.top + 8; y < m.base; y += 10)
            drawLine(cv, m.x - 3, y, m.x + 3, y + 10, 1.0f, rgb(70, 78, 100));
        glow(cv, m.x, m.top - 6, 46, rgb(255, 240, 200), 0.45f);
        fillRect(cv, m.x - 13, m.top - 12, m.x + 13, m.top, rgb(255, 250, 232));
    }

    // A jumper in flight, V-style, over the knoll: skis spread forward, body low over them.
    {
        float jx = 384, jy = 262;
        Rgb suit = rgb(16, 18, 26);
        drawLine(cv, jx + 22, jy + 12, jx - 44, jy + 1, 3.4f, suit);  // left ski
        drawLine(cv, jx + 22, jy + 12, jx - 38, jy + 22, 3.4f, suit); // right ski
        drawLine(cv, jx + 20, jy + 9, jx - 12, jy - 8, 7.5f, suit);   // legs and body
        fillEllipse(cv, jx - 17, jy - 11, 5.2f, 5.0f, suit);          // helmet
        drawLine(cv, jx + 2, jy - 1, jx + 24, jy + 3, 3.0f, suit);    // arms along the body
    }

    // Big spruces in the foreground corners.
    for (int i = 0; i < 7; ++i) {
        treeSilhouette(cv, 8 + i * 26.0f + rng.uniform(-6, 6), 520, rng.uniform(70, 120),
                       rgb(8, 18, 22));
        treeSilhouette(cv, 776 - (8 + i * 24.0f) + rng.uniform(-6, 6), 520, rng.uniform(60, 110),
                       rgb(8, 18, 22));
    }

    // Title.
    TextImage title;
    if (renderLabel("Valmora", 112, &title)) {
        float cx = 392, cy = 60;
        for (int k = 0; k < 16; ++k) {
            float a = k * 3.14159265f / 8.0f;
            paintText(cv, title, cx + 4 * std::cos(a), cy + 4 * std::sin(a), 1, 1,
                      [](float, float) { return rgb(8, 12, 36); });
        }
        paintText(cv, title, cx, cy, 1, 1,
                  [](float, float v) { return mix(rgb(255, 255, 255), rgb(150, 196, 245), v); });
    }
    // Below the buttons, where a new player looks for the controls.
    TextImage help;
    if (renderLabel(helpCaption, 30, &help))
        paintText(cv, help, 135, 238, 1, 1, [](float, float) { return rgb(226, 234, 255); });
    addGrain(cv, 1.5f, s + 4u);
    Canvas out = resampleArea(cv, 512, 512);
    // The panel's top edge is on screen and the texture repeats, so the filtering there mixes
    // in the bottom row. That row lies just below the screen; it takes the sky of the top row.
    for (int x = 0; x < out.w; ++x)
        out.color[static_cast<size_t>(out.h - 1) * out.w + x] = out.color[x];
    return out;
}

Canvas paintButton(const char* label, bool lit) {
    // Drawn at the 4 x 1.1 proportions of the start-screen button, then fitted to 256 x 64.
    const int W = 233, H = 64;
    Canvas cv = makeCutout(W, H);
    float x0 = 3, y0 = 4, x1 = W - 3.0f, y1 = H - 4.0f, r = 16;
    Rgb top = lit ? rgb(255, 222, 110) : rgb(48, 76, 150);
    Rgb bottom = lit ? rgb(236, 140, 26) : rgb(16, 28, 78);
    fillShape(
        cv, x0, y0, x1, y1,
        [&](float px, float py) { return sdRoundBox(px, py, x0, y0, x1, y1, r); },
        [&](float, float py) { return mix(top, bottom, (py - y0) / (y1 - y0)); });
    // Gloss on the upper half.
    fillShape(
        cv, x0 + 6, y0 + 4, x1 - 6, (y0 + y1) * 0.5f,
        [&](float px, float py) {
            return sdRoundBox(px, py, x0 + 6, y0 + 4, x1 - 6, (y0 + y1) * 0.5f, 10);
        },
        [&](float, float) { return rgb(255, 255, 255); }, lit ? 0.25f : 0.12f);
    strokeRoundRect(cv, x0, y0, x1, y1, r, 3.0f, lit ? rgb(255, 252, 236) : rgb(150, 182, 236));
    TextImage text;
    if (renderLabel(label, 46, &text)) {
        Rgb ink = lit ? rgb(28, 30, 72) : rgb(240, 244, 252);
        Rgb shadow = lit ? rgb(255, 240, 190) : rgb(8, 14, 40);
        paintText(
            cv, text, W * 0.5f + 1.5f, H * 0.5f + 2, 1, 1, [&](float, float) { return shadow; },
            0.8f);
        paintText(cv, text, W * 0.5f, H * 0.5f, 1, 1, [&](float, float) { return ink; });
    }
    return resampleArea(cv, 256, 64);
}

namespace {

// Dark blue panel with a light frame inside the rectangle (x0, y0)-(x1, y1).
void hudPanel(Canvas& cv, float x0, float y0, float x1, float y1, float radius, float frame) {
    shadeOpaque(cv, [&](int, int y, Rgb& c) {
        float t = std::fabs((y + 0.5f - (y0 + y1) * 0.5f) / ((y1 - y0) * 0.5f));
        c = mix(rgb(28, 44, 112), rgb(12, 20, 66), clamp01(t));
    });
    strokeRoundRect(cv, x0, y0, x1, y1, radius, frame, rgb(176, 200, 240));
    strokeRoundRect(cv, x0 + frame + 1, y0 + frame + 1, x1 - frame - 1, y1 - frame - 1,
                    std::max(0.0f, radius - frame), 1.0f, rgb(70, 96, 170));
}

} // namespace

Canvas paintPanel() {
    // The game shows only s 0..0.96 and t 0..0.9 of this picture (also flipped and
    // mirrored), so the frame runs round that part and is symmetric.
    const int W = 256, H = 64;
    Canvas cv = makeCanvas(W, H, rgb(16, 28, 80));
    float top = H * 0.1f; // rows above t = 0.9
    hudPanel(cv, 1.5f, top + 1.5f, W * 0.96f - 1.5f, H - 1.5f, 6, 3);
    addGrain(cv, 1.0f, 71u);
    return cv;
}

Canvas paintTallPanel() {
    const int n = 256;
    Canvas cv = makeCanvas(n, n, rgb(16, 28, 80));
    hudPanel(cv, 3, 3, n - 3.0f, n - 3.0f, 14, 5);
    addGrain(cv, 1.0f, 72u);
    return cv;
}

Canvas paintWindSign(int direction) {
    const int n = 128;
    Canvas cv = makeCanvas(n, n, rgb(24, 30, 48));
    shadeOpaque(cv,
                [&](int, int y, Rgb& c) { c = mix(rgb(40, 48, 72), rgb(18, 22, 36), y / 128.0f); });
    strokeRoundRect(cv, 2, 2, n - 2.0f, n - 2.0f, 12, 5, rgb(206, 210, 220));
    if (direction == 0) {
        // Calm: a grey ring, no arrow.
        fillShape(
            cv, 30, 30, 98, 98,
            [](float px, float py) {
                float d = std::sqrt((px - 64) * (px - 64) + (py - 64) * (py - 64));
                return std::fabs(d - 28) - 5;
            },
            [](float, float) { return rgb(170, 176, 188); });
    } else {
        bool up = direction > 0;
        Rgb c = up ? rgb(52, 206, 84) : rgb(226, 44, 38);
        Rgb light = up ? rgb(150, 250, 160) : rgb(255, 150, 130);
        auto Y = [&](float y) { return up ? y : 128.0f - y; };
        std::vector<Point> arrow = {{52, Y(106)}, {76, Y(106)}, {76, Y(60)}, {100, Y(60)},
                                    {64, Y(18)},  {28, Y(60)},  {52, Y(60)}};
        fillPolygon(cv, arrow, c);
        drawLine(cv, 56, Y(100), 56, Y(62), 3.0f, light, 0.6f);
    }
    addGrain(cv, 1.5f, 80u + static_cast<uint32_t>(direction + 1));
    return cv;
}

Canvas paintStartLight(bool green) {
    const int n = 128;
    Canvas cv = makeCutout(n, n);
    fillRoundRect(cv, 30, 4, 98, 124, 16, rgb(44, 46, 52));
    strokeRoundRect(cv, 30, 4, 98, 124, 16, 3, rgb(110, 114, 124));
    struct Lamp {
        float y;
        bool on;
        Rgb lit, dark, hot;
    } lamps[] = {{36, !green, rgb(255, 48, 32), rgb(74, 16, 16), rgb(255, 210, 190)},
                 {92, green, rgb(48, 240, 80), rgb(14, 60, 24), rgb(210, 255, 214)}};
    for (const Lamp& l : lamps) {
        fillEllipse(cv, 64, l.y, 25, 25, rgb(20, 20, 24)); // hood shadow
        if (l.on) {
            fillShape(
                cv, 42, l.y - 22, 86, l.y + 22,
                [&](float px, float py) { return sdEllipse(px, py, 64, l.y, 22, 22); },
                [&](float px, float py) {
                    float d = std::sqrt((px - 60) * (px - 60) + (py - l.y + 5) * (py - l.y + 5));
                    return mix(l.hot, l.lit, smoothStep(2, 18, d));
                });
        } else {
            fillEllipse(cv, 64, l.y, 22, 22, l.dark);
            fillEllipse(cv, 58, l.y - 7, 6, 4, plus(l.dark, 30), 0.6f); // dull reflection
        }
    }
    return cv;
}

Canvas paintSnowflake() {
    const int n = 32;
    Canvas cv = makeCutout(n, n);
    fillShape(
        cv, 5, 5, 27, 27,
        [](float px, float py) { return sdEllipse(px, py, 16, 16, 10.5f, 10.5f); },
        [](float px, float py) {
            float d = std::sqrt((px - 14) * (px - 14) + (py - 14) * (py - 14));
            return mix(rgb(255, 255, 255), rgb(232, 238, 250), smoothStep(2, 12, d));
        });
    return cv;
}

Canvas paintRainStreak() {
    const int n = 32;
    Canvas cv = makeCutout(n, n);
    fillShape(
        cv, 12, 1, 20, 31,
        [](float px, float py) { return sdSegment(px, py, 17.5f, 2, 14.5f, 30) - 1.1f; },
        [](float, float py) { return mix(rgb(150, 166, 194), rgb(214, 224, 240), py / 32.0f); });
    return cv;
}
