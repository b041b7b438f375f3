#include "render/text.h"

#include <cstring>
#include <map>
#include <vector>

#include "platform/platform.h"

GLuint smallFont = 0;
GLuint largeFont = 0;

namespace {
// Each built font's advances, codes 32..127, by its first list.
std::map<GLuint, std::vector<float>> advances;
} // namespace

GLuint buildFont(const char* face, int height) {
    std::vector<GlyphBitmap> glyphs;
    if (!platformRasteriseFont(face, height, true, &glyphs)) return 0;
    GLuint first = glGenLists(96);
    if (first == 0) return 0;
    // Each list draws one glyph and moves the raster position on by its advance.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GlyphBitmap& g = glyphs[i];
        glNewList(first + static_cast<GLuint>(i), GL_COMPILE);
        if (g.present)
            glBitmap(g.width, g.height, g.xorig, g.yorig, g.advance, 0.0f, g.bits.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    std::vector<float>& widths = advances[first];
    for (const GlyphBitmap& g : glyphs)
        widths.push_back(g.present ? g.advance : 0.0f);
    return first;
}

void releaseFont(GLuint font) {
    if (font != 0) glDeleteLists(font, 96);
    advances.erase(font);
}

float textWidth(GLuint font, const char* text) {
    const auto found = advances.find(font);
    if (found == advances.end() || text == nullptr) return 0;
    float width = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p)
        if (*p >= 32 && *p <= 127) width += found->second[*p - 32];
    return width;
}

void printText(GLuint font, const char* text) {
    if (font == 0 || text == nullptr) return;
    // Characters without a list would call names outside the font: leave them out.
    unsigned char filtered[256];
    size_t n = 0;
    glPushAttrib(GL_LIST_BIT);
    glListBase(font - 32);
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
