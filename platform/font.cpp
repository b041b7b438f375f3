// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Bitmap fonts: fontconfig finds the face, FreeType rasterises its glyphs into bitmaps.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

std::string resolved;

FT_Library library() {
    static FT_Library lib = nullptr;
    if (!lib && FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
}

} // namespace

const char* platformResolveFont(const char* face, bool bold) {
    resolved.clear();
    if (!FcInit()) return resolved.c_str();
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    if (match) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            resolved = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return resolved.c_str();
}

bool platformRasteriseFont(const char* face, int cellHeight, bool bold,
                           std::vector<GlyphBitmap>* glyphs) {
    glyphs->clear();
    FT_Library lib = library();
    if (!lib || cellHeight <= 0) return false;
    std::string path = platformResolveFont(face, bold);
    if (path.empty()) return false;
    FT_Face ft = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &ft) != 0) return false;
    // A positive height asks for the character cell (ascent plus descent), not the em.
    FT_Size_RequestRec req = {};
    req.type = FT_SIZE_REQUEST_TYPE_CELL;
    req.width = 0;
    req.height = static_cast<FT_Long>(cellHeight) << 6;
    if (FT_Request_Size(ft, &req) != 0) FT_Set_Pixel_Sizes(ft, 0, cellHeight);

    glyphs->resize(96 + kExtraGlyphCount);
    for (size_t i = 0; i < glyphs->size(); ++i) {
        const FT_ULong code = i < 96 ? 32 + i : kExtraGlyphs[i - 96];
        if (FT_Load_Char(ft, code, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) continue;
        GlyphBitmap& out = (*glyphs)[i];
        FT_GlyphSlot g = ft->glyph;
        const FT_Bitmap& bm = g->bitmap;
        int w = static_cast<int>(bm.width), h = static_cast<int>(bm.rows);
        int rowBytes = (w + 7) / 8;
        out.bits.assign(static_cast<size_t>(rowBytes) * (h > 0 ? h : 1), 0);
        // Bitmap rows go bottom-up; FreeType's go top-down.
        for (int y = 0; y < h; ++y) {
            const unsigned char* src = bm.buffer + y * bm.pitch;
            for (int b = 0; b < rowBytes; ++b) {
                unsigned char v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
                    v = src[b];
                } else {
                    for (int bit = 0; bit < 8; ++bit) {
                        int x = b * 8 + bit;
                        if (x < w && src[x] >= 128) v |= static_cast<unsigned char>(0x80 >> bit);
                    }
                }
                out.bits[static_cast<size_t>(h - 1 - y) * rowBytes + b] = v;
            }
        }
        out.present = true;
        out.width = w;
        out.height = h;
        out.rowBytes = rowBytes;
        out.xorig = static_cast<float>(-g->bitmap_left);
        out.yorig = static_cast<float>(h - g->bitmap_top);
        out.advance = static_cast<float>(g->advance.x) / 64.0f;
    }
    FT_Done_Face(ft);
    return true;
}
