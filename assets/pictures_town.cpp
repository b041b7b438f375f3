// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Facades of the town's houses and blocks of flats, the gable, roof tiles and asphalt.
// A facade is laid out in the units of the face it covers, so windows come out square in
// the game whatever the texture's proportions; the night pictures share the day layout
// and light some of the windows.
#include <cstring>

#include "assets/painters.h"

namespace {

enum FacadeStyle { PLASTER, PANELS, TIMBER, SHOPFRONT };

struct Facade {
    const char* stem;
    int texW, texH;
    float width, height; // size of the face in the game, in venue units
    float shown;         // share of the picture's height the face shows (from the bottom)
    FacadeStyle style;
    int storeys, bays;
    Rgb wall, trim;
    bool night;
    const char* layout; // layout seed shared by the day and night pictures
    // Ground-floor bays that hold a door instead of a window (bit mask), bays with
    // balconies on the upper storeys (bit mask), and stairwell bays (bit mask).
    unsigned doors, balconies, stairwells;
    bool shutters;
};

constexpr Rgb kFlatsWall{204, 202, 194}, kFlatsTrim{150, 150, 146};

const Facade kFacades[] = {
    {"przod16", 512, 256, 30, 10, 1.0f, PANELS, 10, 16, kFlatsWall, kFlatsTrim, false,
     "flats-front", 0x0, 0x4924, 0x0, false},
    {"przod16noc", 512, 256, 30, 10, 1.0f, PANELS, 10, 16, kFlatsWall, kFlatsTrim, true,
     "flats-front", 0x0, 0x4924, 0x0, false},
    {"bloktyl16", 512, 256, 30, 10, 0.9f, PANELS, 10, 16, kFlatsWall, kFlatsTrim, false,
     "flats-back", 0x0, 0x0, 0x2492, false},
    {"bloktyl16noc", 512, 256, 30, 10, 0.9f, PANELS, 10, 16, kFlatsWall, kFlatsTrim, true,
     "flats-back", 0x0, 0x0, 0x2492, false},
    {"bokblok16", 128, 256, 8, 10, 0.8f, PANELS, 10, 2, kFlatsWall, kFlatsTrim, false, "flats-side",
     0x0, 0x0, 0x0, false},
    {"budynek1przod", 256, 64, 8, 2, 1.0f, PLASTER, 2, 8, rgb(228, 212, 164), rgb(246, 242, 230),
     false, "house1-front", 0x42, 0x0, 0x0, false},
    {"budynek1bok", 128, 128, 3, 2, 0.8f, PLASTER, 2, 2, rgb(228, 212, 164), rgb(246, 242, 230),
     false, "house1-side", 0x0, 0x0, 0x0, false},
    {"budynek1tyl", 256, 64, 8, 2, 0.9f, PLASTER, 2, 8, rgb(228, 212, 164), rgb(246, 242, 230),
     false, "house1-back", 0x8, 0x0, 0x0, false},
    {"budynek2przod", 256, 128, 6, 2, 1.0f, PLASTER, 2, 5, rgb(216, 160, 138), rgb(244, 234, 224),
     false, "house2-front", 0x4, 0x4, 0x0, true},
    {"budynek2przodnoc", 256, 128, 6, 2, 1.0f, PLASTER, 2, 5, rgb(216, 160, 138),
     rgb(244, 234, 224), true, "house2-front", 0x4, 0x4, 0x0, true},
    {"budynek2bok", 128, 128, 4, 2, 0.8f, PLASTER, 2, 2, rgb(216, 160, 138), rgb(244, 234, 224),
     false, "house2-side", 0x0, 0x0, 0x0, true},
    {"budynek2boknoc", 128, 128, 4, 2, 0.8f, PLASTER, 2, 2, rgb(216, 160, 138), rgb(244, 234, 224),
     true, "house2-side", 0x0, 0x0, 0x0, true},
    {"budynek2tyl", 256, 128, 6, 2, 0.9f, PLASTER, 2, 5, rgb(216, 160, 138), rgb(244, 234, 224),
     false, "house2-back", 0x1, 0xA, 0x0, false},
    {"budynek2tylnoc", 256, 128, 6, 2, 0.9f, PLASTER, 2, 5, rgb(216, 160, 138), rgb(244, 234, 224),
     true, "house2-back", 0x1, 0xA, 0x0, false},
    {"budynek3przod", 256, 128, 6, 2, 1.0f, SHOPFRONT, 2, 4, rgb(170, 190, 206), rgb(240, 244, 246),
     false, "house3-front", 0x0, 0x0, 0x0, false},
    {"budynek3przodnoc", 256, 128, 6, 2, 1.0f, SHOPFRONT, 2, 4, rgb(170, 190, 206),
     rgb(240, 244, 246), true, "house3-front", 0x0, 0x0, 0x0, false},
    {"budynek4przod", 256, 128, 8, 2.2f, 1.0f, PLASTER, 2, 6, rgb(228, 228, 222), rgb(92, 74, 60),
     false, "house4-front", 0x2, 0x0, 0x0, false},
    {"budynek4przodnoc", 256, 128, 8, 2.2f, 1.0f, PLASTER, 2, 6, rgb(228, 228, 222),
     rgb(92, 74, 60), true, "house4-front", 0x2, 0x0, 0x0, false},
    {"budynek4bok", 128, 128, 4, 2.2f, 0.8f, PLASTER, 2, 2, rgb(228, 228, 222), rgb(92, 74, 60),
     false, "house4-side", 0x0, 0x0, 0x0, false},
    {"budynek4tyl", 256, 128, 8, 2.2f, 0.9f, PLASTER, 2, 6, rgb(228, 228, 222), rgb(92, 74, 60),
     false, "house4-back", 0x10, 0x0, 0x0, false},
    {"budynek5przod", 512, 128, 15, 3, 1.0f, TIMBER, 2, 9, rgb(150, 98, 58), rgb(236, 226, 204),
     false, "house5-front", 0x10, 0x1FF, 0x0, true},
    {"budynek5bok", 256, 128, 10, 3, 0.8f, TIMBER, 2, 6, rgb(150, 98, 58), rgb(236, 226, 204),
     false, "house5-side", 0x0, 0x0, 0x0, true},
    {"budynek5tyl", 512, 128, 15, 3, 0.9f, TIMBER, 2, 9, rgb(150, 98, 58), rgb(236, 226, 204),
     false, "house5-back", 0x4, 0x0, 0x0, true},
};

Rgb nightWall(Rgb c) {
    return mix(c, rgb(18, 20, 34), 0.84f);
}

// Glass of one window pane: day reflections, or at night lit (warm) or dark.
Rgb glass(bool night, bool lit, float shade, float u, float v) {
    if (!night) {
        Rgb sky = mix(rgb(150, 178, 206), rgb(64, 84, 112), v);
        float streak = clamp01(1.0f - std::fabs(u - v * 0.7f - 0.15f) * 6.0f);
        return plus(sky, streak * 34.0f);
    }
    if (!lit) return mix(rgb(26, 32, 50), rgb(14, 18, 30), v);
    Rgb warm = mix(rgb(255, 226, 150), rgb(255, 186, 96), shade);
    return scaled(warm, 0.85f + 0.15f * (1.0f - v));
}

void paintFacade(Canvas& cv, const Facade& f) {
    const float ppu = static_cast<float>(cv.w) / f.width; // pixels per venue unit
    const float groundY = static_cast<float>(cv.h);
    auto Y = [&](float h) { return groundY - h * ppu; };
    Rng layout(seedFromName(f.layout));
    // Which windows are lit at night; at least one lit and one dark on every face.
    Rng lights(seedFromName(f.stem));
    const int windows = f.storeys * f.bays;
    std::vector<char> litWindow(windows), curtain(windows);
    std::vector<float> warmth(windows);
    int litCount = 0;
    for (int i = 0; i < windows; ++i) {
        litWindow[i] = lights.chance(0.45f);
        warmth[i] = lights.uniform(0, 1);
        curtain[i] = lights.chance(0.5f);
        litCount += litWindow[i];
    }
    if (litCount == 0) litWindow[lights.range(0, windows - 1)] = 1;
    if (litCount == windows) litWindow[lights.range(0, windows - 1)] = 0;
    Rgb wall = f.night ? nightWall(f.wall) : f.wall;
    Rgb trim = f.night ? nightWall(f.trim) : f.trim;
    uint32_t s = static_cast<uint32_t>(seedFromName(f.layout));

    // Wall surface.
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / cv.w, v = (y + 0.5f) / cv.h;
        float n = tileFbm(u, v, 8, 4, 3, s) - 0.5f;
        c = plus(wall, n * (f.night ? 6.0f : 16.0f));
        if (f.style == TIMBER) {
            // Horizontal logs.
            float log = std::fmod((groundY - y) / ppu, 0.18f) / 0.18f;
            c = scaled(c, 0.86f + 0.14f * std::sin(log * 3.14159f));
        }
    });
    float storeyH = f.height / f.storeys;
    float plinth = f.style == TIMBER ? 0.45f : f.style == PANELS ? 0.3f : 0.14f;
    if (f.style == TIMBER) {
        Rgb stone = f.night ? rgb(34, 34, 42) : rgb(126, 124, 118);
        fillRect(cv, 0, Y(plinth), cv.w, groundY, stone);
        for (int i = 0; i < 80; ++i) {
            float x = layout.uniform(0, cv.w), y = layout.uniform(Y(plinth), groundY);
            fillRoundRect(cv, x, y, x + layout.uniform(8, 16), y + layout.uniform(4, 7), 2,
                          plus(stone, layout.uniform(-14, 10)));
        }
    } else {
        fillRect(cv, 0, Y(plinth), cv.w, groundY, scaled(wall, 0.7f));
    }
    if (f.style == PANELS) {
        // Joints between the precast panels, and coloured bands up two bay pairs.
        Rgb joint = scaled(wall, 0.8f);
        for (int k = 1; k < f.storeys; ++k)
            fillRect(cv, 0, Y(k * storeyH) - 0.7f, cv.w, Y(k * storeyH) + 0.7f, joint);
        for (int b = 0; b <= f.bays; ++b) {
            float x = b * cv.w / static_cast<float>(f.bays);
            fillRect(cv, x - 0.6f, Y(f.height), x + 0.6f, Y(plinth), joint);
        }
        if (f.bays >= 8) {
            Rgb band = f.night ? rgb(40, 38, 40) : rgb(226, 196, 120);
            for (int b : {2, f.bays - 3}) {
                float x0 = b * cv.w / static_cast<float>(f.bays),
                      x1 = (b + 1) * cv.w / static_cast<float>(f.bays);
                fillRect(cv, x0 + 1, Y(f.height), x1 - 1, Y(plinth), band, 0.8f);
            }
        }
    }

    float bayW = f.width / f.bays;
    for (int storey = 0; storey < f.storeys; ++storey) {
        float base = storey * storeyH;
        bool timberBalcony = false;
        for (int b = 0; b < f.bays; ++b) {
            float cx = (b + 0.5f) * bayW;
            bool door = storey == 0 && (f.doors >> b & 1u);
            bool stair = (f.stairwells >> b & 1u) != 0;
            bool lit = litWindow[storey * f.bays + b];
            float shade = warmth[storey * f.bays + b];
            float ww = f.style == PANELS ? bayW * 0.62f : std::min(bayW * 0.55f, storeyH * 0.5f);
            float wh = f.style == PANELS ? storeyH * 0.5f : storeyH * 0.55f;
            float bottom = base + storeyH * 0.28f;
            if (f.style == PANELS && storey == 0) { // small cellar-height windows
                wh = storeyH * 0.3f;
                bottom = base + storeyH * 0.45f;
            }
            if (f.style == SHOPFRONT && storey == 0) continue; // painted below
            if (stair) { // narrow stair window, half a storey up
                ww = bayW * 0.3f;
                wh = storeyH * 0.45f;
                bottom = base + storeyH * 0.6f;
                if (storey == f.storeys - 1) continue;
            }
            if (door) {
                float dw = std::min(bayW * 0.6f, 0.55f * storeyH), dh = storeyH * 0.82f;
                float x0 = (cx - dw / 2) * ppu, x1 = (cx + dw / 2) * ppu;
                fillRect(cv, x0 - 2, Y(dh + 0.05f), x1 + 2, Y(0), trim);
                Rgb wood = f.night ? rgb(40, 28, 20) : rgb(112, 70, 40);
                fillRect(cv, x0, Y(dh), x1, Y(0), wood);
                fillRect(cv, x0 + 3, Y(dh) + 3, x1 - 3, Y(dh * 0.55f),
                         glass(f.night, true, 0.3f, 0.5f, 0.5f));
                fillRect(cv, (x0 + x1) / 2 - 0.6f, Y(dh), (x0 + x1) / 2 + 0.6f, Y(0),
                         scaled(wood, 0.7f));
                continue;
            }
            float x0 = (cx - ww / 2) * ppu, x1 = (cx + ww / 2) * ppu;
            float y0 = Y(bottom + wh), y1 = Y(bottom);
            if (f.shutters && !stair) {
                Rgb sh = f.night ? rgb(20, 36, 28) : rgb(50, 104, 64);
                fillRect(cv, x0 - ww * ppu * 0.45f, y0, x0 - 1, y1, sh);
                fillRect(cv, x1 + 1, y0, x1 + ww * ppu * 0.45f, y1, sh);
                for (float y = y0 + 2; y < y1; y += 3) {
                    drawLine(cv, x0 - ww * ppu * 0.45f, y, x0 - 1, y, 0.7f, scaled(sh, 0.7f));
                    drawLine(cv, x1 + 1, y, x1 + ww * ppu * 0.45f, y, 0.7f, scaled(sh, 0.7f));
                }
            }
            float frame = std::max(1.5f, ppu * 0.04f);
            fillRect(cv, x0 - frame, y0 - frame, x1 + frame, y1 + frame * 1.6f, trim);
            fillShape(
                cv, x0, y0, x1, y1,
                [&](float px, float py) { return sdRoundBox(px, py, x0, y0, x1, y1, 0); },
                [&](float px, float py) {
                    return glass(f.night, lit, shade, (px - x0) / (x1 - x0), (py - y0) / (y1 - y0));
                });
            // Mullion and transom.
            Rgb bar = f.night ? scaled(trim, 0.6f) : trim;
            fillRect(cv, (x0 + x1) / 2 - frame * 0.4f, y0, (x0 + x1) / 2 + frame * 0.4f, y1, bar);
            fillRect(cv, x0, y0 + (y1 - y0) * 0.3f - frame * 0.3f, x1,
                     y0 + (y1 - y0) * 0.3f + frame * 0.3f, bar);
            if (lit && f.night && curtain[storey * f.bays + b]) // curtains
                fillRect(cv, x0, y0, x0 + (x1 - x0) * 0.25f, y1, rgb(200, 120, 70), 0.7f);
            bool balcony = storey > 0 && (f.balconies >> b & 1u);
            if (balcony) {
                float bw = (ww + bayW * 0.35f) * ppu;
                float top = Y(base + storeyH * 0.42f), slab = Y(base + storeyH * 0.02f);
                Rgb rail = f.night ? rgb(36, 38, 46)
                                   : (f.style == TIMBER ? rgb(120, 74, 40) : rgb(170, 176, 182));
                if (f.style == TIMBER) {
                    timberBalcony = true;
                } else {
                    fillRect(cv, cx * ppu - bw / 2, top, cx * ppu + bw / 2, slab, rail);
                    fillRect(cv, cx * ppu - bw / 2, slab, cx * ppu + bw / 2, slab + 2,
                             scaled(wall, 0.6f));
                }
            }
        }
        if (timberBalcony) {
            // One wooden balcony along the whole storey, in front of its windows.
            Rgb rail = rgb(120, 74, 40);
            float top = Y(base + storeyH * 0.42f), slab = Y(base + storeyH * 0.02f);
            fillRect(cv, 0, top, cv.w, slab, scaled(rail, 0.85f));
            for (float x = 2; x < cv.w; x += 6)
                fillRect(cv, x, top + 2, x + 3, slab - 1, rail);
            fillRect(cv, 0, top - 2, cv.w, top + 1, scaled(rail, 1.2f));
        }
    }
    if (f.style == SHOPFRONT) {
        // Shop windows under a striped awning; no lettering on the fascia.
        float x0 = 0.25f * ppu, x1 = cv.w - 0.25f * ppu;
        float top = Y(storeyH * 0.78f), bottom = Y(0.12f);
        fillRect(cv, x0 - 2, top - 2, x1 + 2, bottom, trim);
        const int panes = 4;
        for (int p = 0; p < panes; ++p) {
            float a = x0 + (x1 - x0) * p / panes + 2, b = x0 + (x1 - x0) * (p + 1) / panes - 2;
            bool door = p == 1;
            fillShape(
                cv, a, top, b, bottom,
                [&](float px, float py) { return sdRoundBox(px, py, a, top, b, bottom, 0); },
                [&](float px, float py) {
                    return glass(f.night, !door, 0.1f, (px - a) / (b - a),
                                 (py - top) / (bottom - top));
                });
            if (door) fillRect(cv, (a + b) / 2 - 1, top, (a + b) / 2 + 1, bottom, trim);
        }
        Rgb red = f.night ? rgb(60, 20, 24) : rgb(196, 40, 44),
            white = f.night ? rgb(70, 70, 76) : rgb(240, 240, 236);
        float aTop = Y(storeyH * 0.98f), aBottom = Y(storeyH * 0.8f);
        for (int k = 0; k < 24; ++k) {
            float a = x0 + (x1 - x0) * k / 24, b = x0 + (x1 - x0) * (k + 1) / 24;
            fillPolygon(cv, {{a, aTop}, {b, aTop}, {b + 2, aBottom}, {a + 2, aBottom}},
                        k % 2 ? red : white);
        }
    }
    // The face ends at its top edge with a cornice; above it (cut off in the game) the
    // wall simply continues.
    float top = Y(f.height);
    fillRect(cv, 0, top, cv.w, top + std::max(2.0f, 0.08f * ppu),
             f.night ? scaled(trim, 0.8f) : scaled(trim, 0.85f));
}

Canvas facade(const Facade& f) {
    // Draw with square pixels in face units, then fit to the texture size.
    float fullHeight = f.height / f.shown;
    int W = std::max(f.texW, static_cast<int>(f.texH * f.shown * f.width / f.height + 0.5f));
    W = std::min(W, 1024);
    int H = static_cast<int>(W * fullHeight / f.width + 0.5f);
    Canvas cv = makeCanvas(W, H, f.night ? nightWall(f.wall) : f.wall);
    paintFacade(cv, f);
    addGrain(cv, 2.0f, static_cast<uint32_t>(seedFromName(f.stem)));
    return resampleArea(cv, f.texW, f.texH);
}

Canvas porchFront() {
    // Stairwell porch of the block: 2.2 x 3.3 units, a glazed door under a canopy.
    const int W = 88, H = 132; // 40 pixels per unit
    Canvas cv = makeCanvas(W, H, kFlatsWall);
    addGrain(cv, 4.0f, 501u);
    fillRect(cv, 0, 0, W, 6, kFlatsTrim);
    fillRect(cv, 18, 44, 70, 132, rgb(118, 86, 56)); // door frame
    fillRect(cv, 22, 50, 43, 130, glass(false, false, 0, 0.4f, 0.5f));
    fillRect(cv, 45, 50, 66, 130, glass(false, false, 0, 0.6f, 0.5f));
    fillRect(cv, 8, 36, 80, 44, rgb(120, 122, 126)); // canopy
    fillRect(cv, 10, 44, 78, 46, rgb(70, 72, 76));
    fillRect(cv, 26, 10, 62, 30, rgb(186, 204, 214)); // glass blocks
    for (float x = 26; x <= 62; x += 6)
        drawLine(cv, x, 10, x, 30, 1.0f, rgb(150, 164, 172));
    for (float y = 10; y <= 30; y += 5)
        drawLine(cv, 26, y, 62, y, 1.0f, rgb(150, 164, 172));
    fillRect(cv, 0, 126, W, 132, scaled(kFlatsWall, 0.7f));
    fillRect(cv, 18, 126, 70, 132, rgb(150, 150, 150)); // step
    return resampleArea(cv, 64, 128);
}

Canvas porchSide() {
    // Sides and back of the porch: plain wall with one narrow window strip.
    const int W = 128, H = 128;
    Canvas cv = makeCanvas(W, H, kFlatsWall);
    addGrain(cv, 4.0f, 502u);
    float top = H * 0.2f; // the sides show the lower 80 %
    fillRect(cv, 0, top, W, top + 4, kFlatsTrim);
    fillRect(cv, 54, top + 16, 74, H - 24, kFlatsTrim);
    fillRect(cv, 57, top + 19, 71, H - 27, glass(false, false, 0, 0.5f, 0.4f));
    fillRect(cv, 0, H - 10.0f, W, H, scaled(kFlatsWall, 0.7f));
    return resampleArea(cv, 64, 64);
}

Canvas gable() {
    // Gable of the big house: a triangle on the full width, apex at t = 0.9; timber boards
    // and a small window. Black (transparent) outside the triangle.
    const int W = 256, H = 128;
    Canvas cv = makeCutout(W, H);
    float apexY = H * 0.1f;
    std::vector<Point> tri = {{0, static_cast<float>(H)},
                              {W * 0.5f, apexY},
                              {static_cast<float>(W), static_cast<float>(H)}};
    fillShape(
        cv, 0, apexY, W, H, [&](float px, float py) { return sdPolygon(px, py, tri); },
        [&](float px, float) {
            int board = static_cast<int>(px / 9.0f);
            float n = latticeValue(board, 3, 77u) * 18.0f - 9.0f;
            bool seam = std::fmod(px, 9.0f) < 1.0f;
            return plus(seam ? rgb(96, 60, 34) : rgb(146, 96, 56), n);
        });
    fillRect(cv, W * 0.5f - 14, H * 0.5f, W * 0.5f + 14, H * 0.5f + 26, rgb(236, 226, 204));
    fillRect(cv, W * 0.5f - 11, H * 0.5f + 3, W * 0.5f + 11, H * 0.5f + 23,
             glass(false, false, 0, 0.5f, 0.5f));
    fillRect(cv, W * 0.5f - 1, H * 0.5f + 3, W * 0.5f + 1, H * 0.5f + 23, rgb(236, 226, 204));
    return cv;
}

} // namespace

Canvas paintTownPicture(const char* stem) {
    for (const Facade& f : kFacades)
        if (std::strcmp(f.stem, stem) == 0) return facade(f);
    if (std::strcmp(stem, "klatkaprzod16") == 0) return porchFront();
    if (std::strcmp(stem, "bokklatka16") == 0) return porchSide();
    if (std::strcmp(stem, "budynek5bokgora") == 0) return gable();
    return Canvas{};
}

Canvas paintRoof() {
    // Slate shingles in courses parallel to the eaves (the bottom of the picture, t = 0).
    // A dark neutral grey, because the same picture also covers the buses' roofs.
    const int n = 256, rows = 16, perRow = 8;
    const float tw = static_cast<float>(n) / perRow, th = static_cast<float>(n) / rows;
    Canvas cv = makeCanvas(n, n, rgb(70, 70, 76));
    cv.wrapX = cv.wrapY = true; // courses and shingles continue into the next repeat
    Rng rng(seedFromName("dach"));
    for (int r = 0; r < rows; ++r) {
        float offset = (r % 2) ? tw * 0.5f : 0.0f;
        for (int k = -1; k < perRow; ++k) {
            float x0 = k * tw + offset, y0 = r * th;
            Rgb tile = plus(rgb(92, 92, 100), rng.uniform(-10, 10));
            fillShape(
                cv, x0, y0, x0 + tw, y0 + th,
                [&](float px, float py) {
                    return sdRoundBox(px, py, x0 + 0.5f, y0, x0 + tw - 0.5f, y0 + th + 2, 3);
                },
                [&](float px, float py) {
                    // The upper part of each course lies in the shadow of the one above.
                    float t = (py - y0) / th;
                    float round = std::sin((px - x0) / tw * 3.14159f);
                    return scaled(tile, 0.62f + 0.3f * smoothStep(0.0f, 0.4f, t) + 0.14f * round);
                });
        }
    }
    addGrain(cv, 3.0f, 601u);
    return cv;
}

Canvas paintAsphalt() {
    // A road's top: t runs along it, s across; a dashed centre line and solid edge lines.
    const int n = 128;
    Canvas cv = makeCanvas(n, n, rgb(74, 74, 78));
    shadeOpaque(cv, [&](int x, int y, Rgb& c) {
        float u = (x + 0.5f) / n, v = (y + 0.5f) / n;
        float n1 = tileFbm(u, v, 4, 4, 3, 611u) - 0.5f;
        c = plus(c, n1 * 16.0f);
        float g = latticeValue(x, y, 612u);
        if (g > 0.93f) c = plus(c, 22.0f * (g - 0.93f) / 0.07f); // light grit
        if (g < 0.05f) c = plus(c, -18.0f);                      // pits
    });
    Rgb paint = rgb(226, 226, 218);
    fillRect(cv, 61.5f, 16, 66.5f, 80, paint);
    fillRect(cv, 7, 0, 10, n, paint);
    fillRect(cv, n - 10.0f, 0, n - 7.0f, n, paint);
    addGrain(cv, 2.0f, 613u);
    return cv;
}
