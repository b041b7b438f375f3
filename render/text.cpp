#include "render/text.h"

#include <cstring>

#include "platform/platform.h"

GLuint smallFont = 0;
GLuint largeFont = 0;

GLuint buildFont(const char* face, int height) {
    GLuint first = glGenLists(96);
    if (first == 0) return 0;
    if (!platformRasteriseFont(face, height, true, first)) {
        glDeleteLists(first, 96);
        return 0;
    }
    return first;
}

void releaseFont(GLuint font) {
    if (font != 0) glDeleteLists(font, 96);
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
