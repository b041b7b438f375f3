// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture being painted: float colours plus a coverage channel, top row first (the way
// one draws), turned into the game's bottom-up 24-bit rows only at the end.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct Rgb {
    float r, g, b;
};

inline Rgb rgb(float r, float g, float b) {
    return Rgb{r, g, b};
}
inline Rgb mix(Rgb a, Rgb b, float t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb scaled(Rgb a, float k) {
    return Rgb{a.r * k, a.g * k, a.b * k};
}
inline Rgb plus(Rgb a, float d) {
    return Rgb{a.r + d, a.g + d, a.b + d};
}
inline float clamp01(float v) {
    return v < 0.0f ? 0.0f : v > 1.0f ? 1.0f : v;
}
inline float smoothStep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

struct Point {
    float x, y;
};

struct Canvas {
    int w = 0, h = 0;
    // Shapes that cross an edge continue on the opposite edge (pictures that repeat).
    bool wrapX = false, wrapY = false;
    std::vector<Rgb> color;
    std::vector<float> cover; // 0 = transparent (stored as pure black), 1 = opaque
};

Canvas makeCanvas(int w, int h, Rgb fill);
// Fully transparent: a cut-out picture starts as all black.
Canvas makeCutout(int w, int h);

// Composites colour c with coverage a over the pixel (x, y), wrapping or clipping.
void plot(Canvas& cv, int x, int y, Rgb c, float a);
// Direct access to an existing pixel (wrapped); x, y must be in range when not wrapping.
Rgb& pixelAt(Canvas& cv, int x, int y);
// Makes pixel (x, y) transparent.
void clearPixel(Canvas& cv, int x, int y);

// Anti-aliased filling by signed distance (negative inside, in pixels): every pixel in the
// box (x0, y0)-(x1, y1) gets coverage from the distance of its centre, and its colour
// from paint(x, y) at that centre.
template <class Sdf, class Paint>
void fillShape(Canvas& cv, float x0, float y0, float x1, float y1, Sdf sdf, Paint paint,
               float opacity = 1.0f) {
    int ix0 = static_cast<int>(std::floor(x0)) - 1, iy0 = static_cast<int>(std::floor(y0)) - 1;
    int ix1 = static_cast<int>(std::ceil(x1)) + 1, iy1 = static_cast<int>(std::ceil(y1)) + 1;
    for (int y = iy0; y <= iy1; ++y) {
        for (int x = ix0; x <= ix1; ++x) {
            float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float a = clamp01(0.5f - sdf(px, py)) * opacity;
            if (a > 0.0f) plot(cv, x, y, paint(px, py), a);
        }
    }
}

// Signed distances.
float sdRoundBox(float px, float py, float x0, float y0, float x1, float y1, float radius);
float sdEllipse(float px, float py, float cx, float cy, float rx, float ry);
float sdSegment(float px, float py, float ax, float ay, float bx, float by);
float sdPolygon(float px, float py, const std::vector<Point>& poly);

// Plain-colour conveniences built on fillShape.
void fillRect(Canvas& cv, float x0, float y0, float x1, float y1, Rgb c, float opacity = 1.0f);
void fillRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius, Rgb c,
                   float opacity = 1.0f);
void strokeRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius,
                     float thickness, Rgb c, float opacity = 1.0f);
void fillEllipse(Canvas& cv, float cx, float cy, float rx, float ry, Rgb c, float opacity = 1.0f);
void fillPolygon(Canvas& cv, const std::vector<Point>& poly, Rgb c, float opacity = 1.0f);
void drawLine(Canvas& cv, float x0, float y0, float x1, float y1, float width, Rgb c,
              float opacity = 1.0f);

// Per-pixel shading of every pixel that is not transparent: f(x, y, colour&).
template <class F> void shadeOpaque(Canvas& cv, F f) {
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) {
            size_t i = static_cast<size_t>(y) * cv.w + x;
            if (cv.cover[i] > 0.0f) f(x, y, cv.color[i]);
        }
}

void flipVertical(Canvas& cv);

// The stored form: red, green, blue triples, bottom row first. A pixel less than half
// covered becomes pure black (transparent to the game); a covered pixel never does.
std::vector<uint8_t> toBitmapRgb(const Canvas& cv);

// Area-averaged resize (colour weighted by coverage). Lets a picture be drawn in the
// proportions it is shown in and then squeezed into its power-of-two size.
Canvas resampleArea(const Canvas& src, int w, int h);

// Soft radial light: opacity strength at the centre falling to 0 at radius.
void glow(Canvas& cv, float cx, float cy, float radius, Rgb c, float strength);
