// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The three buses: front, side and back of each livery. A bus is 2 wide, 2 high and 8
// long; the pictures keep black (transparent) round the body, under it between the
// wheels and above the rounded roof corners.
#include "assets/painters.h"

namespace {

struct Livery {
    Rgb body, stripe, skirt, roof;
};

const Livery kLiveries[3] = {
    {rgb(198, 38, 36), rgb(244, 244, 240), rgb(70, 70, 76), rgb(236, 236, 232)},
    {rgb(244, 196, 40), rgb(40, 70, 170), rgb(64, 64, 72), rgb(244, 236, 210)},
    {rgb(40, 148, 88), rgb(232, 236, 232), rgb(58, 62, 66), rgb(222, 230, 224)},
};

const Rgb kTyre = rgb(26, 26, 30);

// Bus glass: a dark tint with a soft sky reflection.
Rgb busGlass(float u, float v) {
    Rgb c = mix(rgb(92, 116, 142), rgb(28, 38, 54), v);
    float streak = clamp01(1.0f - std::fabs(u * 0.6f - v + 0.2f) * 5.0f);
    return plus(c, streak * 26.0f);
}

// A picture in face units: ppu pixels per unit, heights measured up from the ground.
struct Face {
    Canvas cv;
    float ppu;
    float X(float x) const { return x * ppu; }
    float Y(float h) const { return static_cast<float>(cv.h) - h * ppu; }
};

void glassRect(Face& f, float x0, float h0, float x1, float h1, float radius) {
    float a = f.X(x0), b = f.X(x1), top = f.Y(h1), bottom = f.Y(h0);
    fillShape(
        f.cv, a, top, b, bottom,
        [&](float px, float py) { return sdRoundBox(px, py, a, top, b, bottom, radius); },
        [&](float px, float py) {
            return busGlass((px - a) / (b - a), (py - top) / (bottom - top));
        });
}

void body(Face& f, float x0, float x1, const Livery& l) {
    float a = f.X(x0), b = f.X(x1), top = f.Y(2.0f), bottom = f.Y(0.28f);
    float r = 0.22f * f.ppu;
    fillShape(
        f.cv, a, top, b, bottom,
        [&](float px, float py) {
            // Rounded roof corners, nearly square bottom corners.
            float rr = py < (top + bottom) * 0.5f ? r : 0.05f * f.ppu;
            return sdRoundBox(px, py, a, top, b, bottom, rr);
        },
        [&](float, float py) {
            float h = (f.cv.h - py) / f.ppu;
            if (h > 1.86f) return l.roof;
            if (h < 0.4f) return l.skirt;
            if (h > 0.55f && h < 0.7f) return l.stripe;
            return l.body;
        });
}

void wheel(Face& f, float x) {
    float cx = f.X(x), cy = f.Y(0.42f), r = 0.42f * f.ppu;
    fillEllipse(f.cv, cx, cy, r * 1.18f, r * 1.18f, rgb(36, 36, 40)); // wheel arch
    fillEllipse(f.cv, cx, cy, r, r, kTyre);
    fillEllipse(f.cv, cx, cy, r * 0.55f, r * 0.55f, rgb(170, 172, 178));
    fillEllipse(f.cv, cx, cy, r * 0.2f, r * 0.2f, rgb(90, 92, 98));
    for (int k = 0; k < 6; ++k) {
        float a = k * 3.14159f / 3;
        fillEllipse(f.cv, cx + std::cos(a) * r * 0.36f, cy + std::sin(a) * r * 0.36f, 1.4f, 1.4f,
                    rgb(110, 112, 118));
    }
}

void lamp(Face& f, float x0, float h0, float x1, float h1, Rgb c) {
    fillRoundRect(f.cv, f.X(x0), f.Y(h1), f.X(x1), f.Y(h0), 0.03f * f.ppu, c);
}

Canvas side(const Livery& l) {
    // 8 x 2 shown as t 0..0.8, so the picture stands for 8 x 2.5 units; back on the left
    // (s = 0), front on the right.
    Face f{makeCutout(512, 160), 64};
    body(f, 0.04f, 7.96f, l);
    // Window band with pillars, then the doors, the windscreen's edge and the wheels.
    glassRect(f, 0.3f, 1.05f, 7.7f, 1.8f, 4);
    for (float x = 0.3f; x < 7.7f; x += 1.05f)
        fillRect(f.cv, f.X(x) - 2.5f, f.Y(1.82f), f.X(x) + 2.5f, f.Y(1.03f), l.body);
    for (float dx : {3.55f, 6.95f}) {
        fillRect(f.cv, f.X(dx) - 2, f.Y(1.88f), f.X(dx + 0.82f) + 2, f.Y(0.3f), rgb(48, 50, 56));
        glassRect(f, dx, 0.36f, dx + 0.39f, 1.84f, 2);
        glassRect(f, dx + 0.43f, 0.36f, dx + 0.82f, 1.84f, 2);
    }
    glassRect(f, 7.8f, 0.95f, 7.95f, 1.85f, 2);
    wheel(f, 1.9f);
    wheel(f, 6.2f);
    lamp(f, 0.06f, 0.9f, 0.16f, 1.3f, rgb(220, 40, 30));    // rear lamp
    lamp(f, 7.84f, 0.45f, 7.95f, 0.62f, rgb(250, 160, 40)); // front indicator
    return resampleArea(f.cv, 512, 128);
}

Canvas front(const Livery& l) {
    // 2 x 2 shown as t 0..0.9: the picture stands for 2 x 2.22 units.
    Face f{makeCutout(128, 142), 64};
    body(f, 0.02f, 1.98f, l);
    glassRect(f, 0.1f, 0.95f, 1.9f, 1.76f, 6);
    fillRoundRect(f.cv, f.X(0.3f), f.Y(1.95f), f.X(1.7f), f.Y(1.8f), 2,
                  rgb(30, 30, 34)); // route display
    for (float x = 0.4f; x < 1.6f; x += 0.06f)
        fillEllipse(f.cv, f.X(x), f.Y(1.875f), 1.1f, 1.1f, rgb(255, 170, 40), 0.7f);
    drawLine(f.cv, f.X(0.5f), f.Y(0.98f), f.X(0.95f), f.Y(1.3f), 1.5f, rgb(30, 30, 34));
    drawLine(f.cv, f.X(1.1f), f.Y(0.98f), f.X(1.55f), f.Y(1.3f), 1.5f, rgb(30, 30, 34));
    // Headlights low at the corners, where the game's beams start.
    for (float x : {0.12f, 1.5f}) {
        lamp(f, x, 0.46f, x + 0.38f, 0.64f, rgb(60, 62, 68));
        lamp(f, x + 0.03f, 0.49f, x + 0.2f, 0.61f, rgb(255, 252, 228));
        lamp(f, x + 0.22f, 0.49f, x + 0.35f, 0.61f, rgb(250, 244, 210));
    }
    lamp(f, 0.12f, 0.68f, 0.3f, 0.76f, rgb(250, 160, 40));
    lamp(f, 1.7f, 0.68f, 1.88f, 0.76f, rgb(250, 160, 40));
    fillRect(f.cv, f.X(0.02f), f.Y(0.42f), f.X(1.98f), f.Y(0.28f), rgb(54, 54, 60)); // bumper
    for (float x : {0.12f, 1.62f})
        fillRect(f.cv, f.X(x), f.Y(0.28f), f.X(x + 0.26f), f.Y(0.0f), kTyre);
    return resampleArea(f.cv, 128, 128);
}

Canvas back(const Livery& l) {
    Face f{makeCutout(128, 128), 64};
    body(f, 0.02f, 1.98f, l);
    glassRect(f, 0.22f, 1.22f, 1.78f, 1.84f, 5);
    for (float x : {0.06f, 1.76f}) {
        lamp(f, x, 0.5f, x + 0.18f, 1.05f, rgb(200, 30, 28));
        lamp(f, x, 0.42f, x + 0.18f, 0.5f, rgb(250, 160, 40));
    }
    fillRect(f.cv, f.X(0.5f), f.Y(1.0f), f.X(1.5f), f.Y(0.52f), rgb(60, 62, 68)); // engine grille
    for (float h = 0.56f; h < 1.0f; h += 0.07f)
        fillRect(f.cv, f.X(0.54f), f.Y(h + 0.03f), f.X(1.46f), f.Y(h), rgb(32, 34, 38));
    fillRect(f.cv, f.X(0.75f), f.Y(0.48f), f.X(1.25f), f.Y(0.36f),
             rgb(236, 236, 230)); // blank plate
    fillRect(f.cv, f.X(0.02f), f.Y(0.36f), f.X(1.98f), f.Y(0.28f), rgb(54, 54, 60));
    for (float x : {0.12f, 1.62f})
        fillRect(f.cv, f.X(x), f.Y(0.28f), f.X(x + 0.26f), f.Y(0.0f), kTyre);
    return resampleArea(f.cv, 128, 128);
}

} // namespace

Canvas paintBus(int kind, char face) {
    const Livery& l = kLiveries[(kind - 1) % 3];
    switch (face) {
    case 'f':
        return front(l);
    case 's':
        return side(l);
    default:
        return back(l);
    }
}
