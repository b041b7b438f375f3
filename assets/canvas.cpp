// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/canvas.h"

Canvas makeCanvas(int w, int h, Rgb fill) {
    Canvas cv;
    cv.w = w;
    cv.h = h;
    cv.color.assign(static_cast<size_t>(w) * h, fill);
    cv.cover.assign(static_cast<size_t>(w) * h, 1.0f);
    return cv;
}

Canvas makeCutout(int w, int h) {
    Canvas cv;
    cv.w = w;
    cv.h = h;
    cv.color.assign(static_cast<size_t>(w) * h, Rgb{0, 0, 0});
    cv.cover.assign(static_cast<size_t>(w) * h, 0.0f);
    return cv;
}

namespace {

bool locate(const Canvas& cv, int& x, int& y) {
    if (cv.wrapX) x = ((x % cv.w) + cv.w) % cv.w;
    if (cv.wrapY) y = ((y % cv.h) + cv.h) % cv.h;
    return x >= 0 && y >= 0 && x < cv.w && y < cv.h;
}

} // namespace

void plot(Canvas& cv, int x, int y, Rgb c, float a) {
    if (a <= 0.0f || !locate(cv, x, y)) return;
    size_t i = static_cast<size_t>(y) * cv.w + x;
    float below = cv.cover[i] * (1.0f - a);
    float out = a + below;
    // Colours are kept unpremultiplied, so a cut-out's edge never darkens towards the
    // black that stands for "transparent".
    Rgb& d = cv.color[i];
    d = Rgb{(c.r * a + d.r * below) / out, (c.g * a + d.g * below) / out,
            (c.b * a + d.b * below) / out};
    cv.cover[i] = out;
}

Rgb& pixelAt(Canvas& cv, int x, int y) {
    locate(cv, x, y);
    return cv.color[static_cast<size_t>(y) * cv.w + x];
}

void clearPixel(Canvas& cv, int x, int y) {
    if (!locate(cv, x, y)) return;
    size_t i = static_cast<size_t>(y) * cv.w + x;
    cv.color[i] = Rgb{0, 0, 0};
    cv.cover[i] = 0.0f;
}

float sdRoundBox(float px, float py, float x0, float y0, float x1, float y1, float radius) {
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    float qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float sdEllipse(float px, float py, float cx, float cy, float rx, float ry) {
    // First-order distance estimate: exact for circles, close enough for the rest.
    float dx = (px - cx) / rx, dy = (py - cy) / ry;
    float k = std::sqrt(dx * dx + dy * dy);
    if (k < 1e-6f) return -std::min(rx, ry);
    float gx = dx / rx, gy = dy / ry;
    float g = std::sqrt(gx * gx + gy * gy);
    return (k - 1.0f) * k / std::max(g, 1e-6f);
}

float sdSegment(float px, float py, float ax, float ay, float bx, float by) {
    float vx = bx - ax, vy = by - ay, wx = px - ax, wy = py - ay;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0.0f ? clamp01((wx * vx + wy * vy) / len2) : 0.0f;
    float dx = wx - vx * t, dy = wy - vy * t;
    return std::sqrt(dx * dx + dy * dy);
}

float sdPolygon(float px, float py, const std::vector<Point>& poly) {
    float best = 1e30f;
    bool inside = false;
    size_t n = poly.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = poly[i];
        const Point& b = poly[j];
        best = std::min(best, sdSegment(px, py, a.x, a.y, b.x, b.y));
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside ? -best : best;
}

void fillRect(Canvas& cv, float x0, float y0, float x1, float y1, Rgb c, float opacity) {
    fillRoundRect(cv, x0, y0, x1, y1, 0.0f, c, opacity);
}

void fillRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius, Rgb c,
                   float opacity) {
    fillShape(
        cv, x0, y0, x1, y1,
        [&](float px, float py) { return sdRoundBox(px, py, x0, y0, x1, y1, radius); },
        [&](float, float) { return c; }, opacity);
}

void strokeRoundRect(Canvas& cv, float x0, float y0, float x1, float y1, float radius,
                     float thickness, Rgb c, float opacity) {
    fillShape(
        cv, x0, y0, x1, y1,
        [&](float px, float py) {
            float d = sdRoundBox(px, py, x0, y0, x1, y1, radius);
            return std::max(d, -d - thickness);
        },
        [&](float, float) { return c; }, opacity);
}

void fillEllipse(Canvas& cv, float cx, float cy, float rx, float ry, Rgb c, float opacity) {
    fillShape(
        cv, cx - rx, cy - ry, cx + rx, cy + ry,
        [&](float px, float py) { return sdEllipse(px, py, cx, cy, rx, ry); },
        [&](float, float) { return c; }, opacity);
}

void fillPolygon(Canvas& cv, const std::vector<Point>& poly, Rgb c, float opacity) {
    if (poly.size() < 3) return;
    float x0 = poly[0].x, x1 = x0, y0 = poly[0].y, y1 = y0;
    for (const Point& p : poly) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    fillShape(
        cv, x0, y0, x1, y1, [&](float px, float py) { return sdPolygon(px, py, poly); },
        [&](float, float) { return c; }, opacity);
}

void drawLine(Canvas& cv, float x0, float y0, float x1, float y1, float width, Rgb c,
              float opacity) {
    float r = width * 0.5f;
    fillShape(
        cv, std::min(x0, x1) - r, std::min(y0, y1) - r, std::max(x0, x1) + r, std::max(y0, y1) + r,
        [&](float px, float py) { return sdSegment(px, py, x0, y0, x1, y1) - r; },
        [&](float, float) { return c; }, opacity);
}

void flipVertical(Canvas& cv) {
    for (int y = 0; y < cv.h / 2; ++y) {
        int o = cv.h - 1 - y;
        for (int x = 0; x < cv.w; ++x) {
            std::swap(cv.color[static_cast<size_t>(y) * cv.w + x],
                      cv.color[static_cast<size_t>(o) * cv.w + x]);
            std::swap(cv.cover[static_cast<size_t>(y) * cv.w + x],
                      cv.cover[static_cast<size_t>(o) * cv.w + x]);
        }
    }
}

namespace {

uint8_t channel(float v) {
    float r = std::round(v);
    return static_cast<uint8_t>(r < 0.0f ? 0.0f : r > 255.0f ? 255.0f : r);
}

} // namespace

std::vector<uint8_t> toBitmapRgb(const Canvas& cv) {
    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(cv.w) * cv.h * 3);
    for (int row = cv.h - 1; row >= 0; --row) {
        for (int x = 0; x < cv.w; ++x) {
            size_t i = static_cast<size_t>(row) * cv.w + x;
            uint8_t r = 0, g = 0, b = 0;
            if (cv.cover[i] >= 0.5f) {
                r = channel(cv.color[i].r);
                g = channel(cv.color[i].g);
                b = channel(cv.color[i].b);
                // Pure black would read as a hole.
                if ((r | g | b) == 0) r = g = b = 1;
            }
            out.push_back(r);
            out.push_back(g);
            out.push_back(b);
        }
    }
    return out;
}

namespace {

// One axis of the area resize: weights of source cells [i0, i1) overlapping [a, b).
template <class Get, class Put> void resampleLine(int srcN, int dstN, Get get, Put put) {
    float ratio = static_cast<float>(srcN) / static_cast<float>(dstN);
    for (int d = 0; d < dstN; ++d) {
        float a = d * ratio, b = (d + 1) * ratio;
        float r = 0, g = 0, bl = 0, cov = 0, total = 0;
        for (int s = static_cast<int>(a); s < srcN && s < b; ++s) {
            float wgt = std::min(b, static_cast<float>(s + 1)) - std::max(a, static_cast<float>(s));
            if (wgt <= 0) continue;
            Rgb c;
            float cv;
            get(s, c, cv);
            r += c.r * cv * wgt;
            g += c.g * cv * wgt;
            bl += c.b * cv * wgt;
            cov += cv * wgt;
            total += wgt;
        }
        Rgb out = cov > 0 ? Rgb{r / cov, g / cov, bl / cov} : Rgb{0, 0, 0};
        put(d, out, total > 0 ? cov / total : 0.0f);
    }
}

} // namespace

Canvas resampleArea(const Canvas& src, int w, int h) {
    Canvas mid = makeCutout(w, src.h);
    for (int y = 0; y < src.h; ++y) {
        resampleLine(
            src.w, w,
            [&](int s, Rgb& c, float& cv) {
                size_t i = static_cast<size_t>(y) * src.w + s;
                c = src.color[i];
                cv = src.cover[i];
            },
            [&](int d, Rgb c, float cv) {
                size_t i = static_cast<size_t>(y) * w + d;
                mid.color[i] = c;
                mid.cover[i] = cv;
            });
    }
    Canvas out = makeCutout(w, h);
    for (int x = 0; x < w; ++x) {
        resampleLine(
            src.h, h,
            [&](int s, Rgb& c, float& cv) {
                size_t i = static_cast<size_t>(s) * w + x;
                c = mid.color[i];
                cv = mid.cover[i];
            },
            [&](int d, Rgb c, float cv) {
                size_t i = static_cast<size_t>(d) * w + x;
                out.color[i] = c;
                out.cover[i] = cv;
            });
    }
    out.wrapX = src.wrapX;
    out.wrapY = src.wrapY;
    return out;
}

void glow(Canvas& cv, float cx, float cy, float radius, Rgb c, float strength) {
    int x0 = static_cast<int>(cx - radius) - 1, x1 = static_cast<int>(cx + radius) + 1;
    int y0 = static_cast<int>(cy - radius) - 1, y1 = static_cast<int>(cy + radius) + 1;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float t = 1.0f - std::sqrt(dx * dx + dy * dy) / radius;
            if (t > 0) plot(cv, x, y, c, strength * t * t);
        }
}
