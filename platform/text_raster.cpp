// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// FreeType rasterisation of a text line into a coverage image (no GL involved).
#include "platform/text_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/platform.h"

namespace {

// Decodes UTF-8; malformed bytes come out as U+FFFD so a bad string still renders.
std::vector<uint32_t> decodeUtf8(const char* s) {
    std::vector<uint32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    while (*p) {
        uint32_t c = *p;
        int extra = c < 0x80           ? 0
                    : (c >> 5) == 0x6  ? 1
                    : (c >> 4) == 0xE  ? 2
                    : (c >> 3) == 0x1E ? 3
                                       : -1;
        if (extra < 0) {
            out.push_back(0xFFFD);
            ++p;
            continue;
        }
        c &= extra == 0 ? 0x7F : extra == 1 ? 0x1F : extra == 2 ? 0x0F : 0x07;
        ++p;
        bool ok = true;
        for (int i = 0; i < extra; ++i) {
            if ((*p & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            c = (c << 6) | (*p & 0x3F);
            ++p;
        }
        out.push_back(ok ? c : 0xFFFD);
    }
    return out;
}

} // namespace

bool platformRenderText(const char* face, int pixelHeight, bool bold, const char* utf8,
                        std::vector<uint8_t>* coverage, int* w, int* h) {
    coverage->clear();
    *w = 0;
    *h = 0;
    if (pixelHeight <= 0 || !utf8) return false;
    std::string path = platformResolveFont(face, bold);
    if (path.empty()) return false;
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) return false;
    FT_Face ft = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &ft) != 0) {
        FT_Done_FreeType(lib);
        return false;
    }
    // Same sizing as the bitmap fonts: the height is the whole cell, not the em.
    FT_Size_RequestRec req = {};
    req.type = FT_SIZE_REQUEST_TYPE_CELL;
    req.height = static_cast<FT_Long>(pixelHeight) << 6;
    if (FT_Request_Size(ft, &req) != 0) FT_Set_Pixel_Sizes(ft, 0, pixelHeight);
    int ascent = static_cast<int>(std::lround(ft->size->metrics.ascender / 64.0));
    int descent = static_cast<int>(std::lround(-ft->size->metrics.descender / 64.0));
    int height = std::max(1, ascent + descent);

    std::vector<uint32_t> codes = decodeUtf8(utf8);
    // First pass: pen positions, so the image can be sized before drawing.
    struct Placed {
        FT_UInt glyph;
        long pen; // 26.6
    };
    std::vector<Placed> placed;
    long pen = 0;
    FT_UInt previous = 0;
    bool kerning = FT_HAS_KERNING(ft);
    int minX = 0, maxX = 0;
    for (uint32_t code : codes) {
        FT_UInt glyph = FT_Get_Char_Index(ft, code);
        if (kerning && previous && glyph) {
            FT_Vector k;
            if (FT_Get_Kerning(ft, previous, glyph, FT_KERNING_DEFAULT, &k) == 0) pen += k.x;
        }
        if (FT_Load_Glyph(ft, glyph, FT_LOAD_DEFAULT) != 0) continue;
        placed.push_back({glyph, pen});
        FT_Glyph_Metrics& m = ft->glyph->metrics;
        int left = static_cast<int>(std::floor((pen + m.horiBearingX) / 64.0));
        int right = static_cast<int>(std::ceil((pen + m.horiBearingX + m.width) / 64.0));
        minX = std::min(minX, left);
        maxX = std::max(maxX, right);
        pen += ft->glyph->advance.x;
        previous = glyph;
    }
    int advanceEnd = static_cast<int>(std::ceil(pen / 64.0));
    maxX = std::max(maxX, advanceEnd);
    int width = std::max(1, maxX - minX);
    coverage->assign(static_cast<size_t>(width) * height, 0);

    for (const Placed& p : placed) {
        if (FT_Load_Glyph(ft, p.glyph, FT_LOAD_RENDER) != 0) continue;
        FT_GlyphSlot g = ft->glyph;
        const FT_Bitmap& bm = g->bitmap;
        int ox = static_cast<int>(std::lround(p.pen / 64.0)) + g->bitmap_left - minX;
        int oy = ascent - g->bitmap_top;
        for (unsigned y = 0; y < bm.rows; ++y) {
            for (unsigned x = 0; x < bm.width; ++x) {
                int tx = ox + static_cast<int>(x), ty = oy + static_cast<int>(y);
                if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
                uint8_t v;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    v = (bm.buffer[y * bm.pitch + x / 8] & (0x80 >> (x % 8))) ? 255 : 0;
                else
                    v = bm.buffer[y * bm.pitch + x];
                uint8_t& dst = (*coverage)[static_cast<size_t>(ty) * width + tx];
                dst = std::max(dst, v);
            }
        }
    }
    FT_Done_Face(ft);
    FT_Done_FreeType(lib);
    *w = width;
    *h = height;
    return true;
}
