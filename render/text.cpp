// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/text.h"

#include <cstring>
#include <map>
#include <vector>

#include "platform/platform.h"

GLuint smallFont = 0;
GLuint largeFont = 0;
GLuint helpFont = 0;

namespace {

// One list per code 0..127, then the extra letters from 128 on.
constexpr int kListCount = 128 + kExtraGlyphCount;

// Each built font's advances, codes 32..127 then the extra letters, by its first list.
std::map<GLuint, std::vector<float>> advances;

// List numbers from the font's base: ASCII 32..127 as themselves, the extra letters from
// 128 on. Invalid or unknown UTF-8 is left out.
std::vector<GLushort> listsOf(const char* text) {
    std::vector<GLushort> lists;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        char32_t code = 0;
        int more = 0;
        if (*p < 0x80) {
            code = *p;
        } else if (*p >= 0xC2 && *p <= 0xDF) {
            code = *p & 0x1F;
            more = 1;
        } else if (*p >= 0xE0 && *p <= 0xEF) {
            code = *p & 0x0F;
            more = 2;
        } else {
            ++p;
            continue;
        }
        ++p;
        bool whole = true;
        for (int k = 0; k < more; ++k, ++p) {
            if ((*p & 0xC0) != 0x80) {
                whole = false;
                break;
            }
            code = (code << 6) | (*p & 0x3F);
        }
        if (!whole) continue;
        if (code >= 32 && code <= 127) {
            lists.push_back(static_cast<GLushort>(code));
            continue;
        }
        for (int i = 0; i < kExtraGlyphCount; ++i)
            if (kExtraGlyphs[i] == code) lists.push_back(static_cast<GLushort>(128 + i));
    }
    return lists;
}

bool plainAscii(const char* text) {
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (*p >= 0x80) return false;
    return true;
}

} // namespace

GLuint buildFont(const char* face, int height) {
    std::vector<GlyphBitmap> glyphs;
    if (!platformRasteriseFont(face, height, true, &glyphs)) return 0;
    GLuint first = glGenLists(kListCount);
    if (first == 0) return 0;
    // Each list draws one glyph and moves the raster position on by its advance. Every list
    // holds exactly one bitmap, an empty one where there is no glyph, and a code is its own
    // list from the base: Mesa then draws a whole line from one texture of the glyphs in a
    // single draw, rather than making a texture for each letter, with the same pixels.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Mesa takes an empty bitmap given no bits, in a list, for a failed allocation.
    static const GLubyte noBits = 0;
    for (GLuint code = 0; code < 32; ++code) {
        glNewList(first + code, GL_COMPILE);
        glBitmap(0, 0, 0, 0, 0, 0, &noBits);
        glEndList();
    }
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& g = glyphs[i];
        glNewList(first + static_cast<GLuint>(i < 96 ? 32 + i : 128 + (i - 96)), GL_COMPILE);
        if (g.present)
            glBitmap(g.width, g.height, g.xorig, g.yorig, g.advance, 0.0f, g.bits.data());
        else
            glBitmap(0, 0, 0, 0, 0, 0, &noBits);
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    std::vector<float>& widths = advances[first];
    for (const GlyphBitmap& g : glyphs)
        widths.push_back(g.present ? g.advance : 0.0f);
    return first;
}

void releaseFont(GLuint font) {
    if (font != 0) glDeleteLists(font, kListCount);
    advances.erase(font);
}

float textWidth(GLuint font, const char* text) {
    const auto found = advances.find(font);
    if (found == advances.end() || text == nullptr) return 0;
    float width = 0;
    for (GLushort list : listsOf(text))
        width += found->second[list < 128 ? list - 32 : 96 + (list - 128)];
    return width;
}

void printText(GLuint font, const char* text) {
    if (font == 0 || text == nullptr) return;
    if (!plainAscii(text)) {
        // UTF-8 with letters of our own: the extra lists lie past code 127.
        const std::vector<GLushort> lists = listsOf(text);
        glPushAttrib(GL_LIST_BIT);
        glListBase(font);
        glCallLists(static_cast<GLsizei>(lists.size()), GL_UNSIGNED_SHORT, lists.data());
        glPopAttrib();
        return;
    }
    // Characters without a list would call names outside the font: leave them out.
    unsigned char filtered[256];
    size_t n = 0;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font);
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (*p < 32 || *p > 127) continue;
        filtered[n++] = *p;
        if (n == sizeof filtered) {
            glCallLists(static_cast<GLsizei>(n), GL_UNSIGNED_BYTE, filtered);
            n = 0;
        }
    }
    if (n > 0) glCallLists(static_cast<GLsizei>(n), GL_UNSIGNED_BYTE, filtered);
    glPopAttrib();
}
