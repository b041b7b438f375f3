// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/textures.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/game_folders.h"
#include "render/texture_file.h"
#include "render/texture_list.h"

TextureSet textures = {};

namespace {
int loadedCount = 0;
std::set<GLuint> opaqueHandles;
} // namespace

namespace {

struct NamedHandle {
    const char* stem;
    GLuint* handle;
};

#define TEX(name)                                                                                  \
    { #name, &textures.name }
const NamedHandle kHandles[] = {
    TEX(wall2),
    TEX(corner),
    TEX(corner2),
    TEX(windred),
    TEX(windgreen),
    TEX(nowind),
    TEX(redlight),
    TEX(greenlight),
    TEX(but1),
    TEX(but1light),
    TEX(but2),
    TEX(but2light),
    TEX(window),
    TEX(window2),
    TEX(spot1),
    TEX(rozbieg),
    TEX(snow),
    TEX(rain),
    TEX(siatkaochronna),
    TEX(swierk),
    TEX(audience),
    TEX(audience2),
    TEX(audience3),
    TEX(rozbieglato),
    TEX(sumer),
    TEX(ovlu),
    TEX(trawa),
    TEX(bramka),
    TEX(sheet),
    TEX(halogen),
    TEX(przod16),
    TEX(przod16noc),
    TEX(bloktyl16),
    TEX(bloktyl16noc),
    TEX(bokblok16),
    TEX(klatkaprzod16),
    TEX(bokklatka16),
    TEX(asfalt),
    TEX(budynek1przod),
    TEX(budynek1bok),
    TEX(budynek1tyl),
    TEX(budynek2przod),
    TEX(budynek2przodnoc),
    TEX(budynek3przod),
    TEX(budynek3przodnoc),
    TEX(budynek2bok),
    TEX(budynek2boknoc),
    TEX(budynek2tyl),
    TEX(budynek2tylnoc),
    TEX(budynek4przod),
    TEX(budynek4przodnoc),
    TEX(budynek4bok),
    TEX(budynek4tyl),
    TEX(budynek5przod),
    TEX(budynek5bok),
    TEX(budynek5bokgora),
    TEX(budynek5tyl),
    TEX(dach),
    TEX(busprzod),
    TEX(busbok),
    TEX(bustyl),
    TEX(busprzod2),
    TEX(busbok2),
    TEX(bustyl2),
    TEX(busprzod3),
    TEX(busbok3),
    TEX(bustyl3),
};
#undef TEX
static_assert(sizeof(kHandles) / sizeof(kHandles[0]) == kTextureCount, "one handle per file");

bool conditionHolds(TextureCondition c, int hillNumber, int detailLevel) {
    switch (c) {
    case LOAD_ALWAYS:
        return true;
    case LOAD_HILL3:
        return hillNumber == 3;
    case LOAD_DETAIL2:
        return detailLevel == 2 || detailLevel == 3 || detailLevel == 4;
    case LOAD_DETAIL3:
        return detailLevel == 3 || detailLevel == 4;
    case LOAD_DETAIL4:
        return detailLevel == 4;
    }
    return false;
}

} // namespace

GLuint* textureHandle(const char* stem) {
    for (const NamedHandle& h : kHandles)
        if (std::strcmp(h.stem, stem) == 0) return h.handle;
    return nullptr;
}

bool loadTexture(const char* path, GLuint* handle) {
    glGenTextures(1, handle);
    glBindTexture(GL_TEXTURE_2D, *handle);
    TextureInfoHeader info;
    std::vector<uint8_t> pixels = readBitmapFileWithAlpha(path, &info);
    bool loaded = !pixels.empty();
    int width = info.width, height = info.height;
    if (!loaded) {
        // Keep the handle usable: one opaque white texel.
        pixels.assign({255, 255, 255, 255});
        width = height = 1;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // Mipmap levels average the texels: all opaque stays all opaque.
    bool opaque = true;
    for (size_t i = 3; i < pixels.size() && opaque; i += 4)
        opaque = pixels[i] == 255;
    if (opaque)
        opaqueHandles.insert(*handle);
    else
        opaqueHandles.erase(*handle);
    return loaded;
}

int loadTextures(const TextureChoice& choice) {
    // Nothing refers to the previous run's objects any more: free them.
    for (const NamedHandle& h : kHandles) {
        if (*h.handle != 0) glDeleteTextures(1, h.handle);
        opaqueHandles.erase(*h.handle);
        *h.handle = 0;
    }
    int attempted = 0;
    std::string failed;
    loadedCount = 0;
    for (int i = 0; i < kTextureCount; ++i) {
        if (!conditionHolds(kTextureList[i].condition, choice.hill, choice.detail)) continue;
        const std::string path =
            textureFilePath(choice.folder, choice.language, kTextureList[i].stem);
        if (loadTexture(path.c_str(), kHandles[i].handle))
            ++loadedCount;
        else
            failed += " " + path;
        ++attempted;
    }
    // White stand-ins keep the game drawing; the player is told which pictures are missing.
    // With none at all the caller has more to say.
    if (loadedCount > 0 && !failed.empty())
        std::fprintf(stderr, "orbel: textures not loaded (drawn white):%s\n", failed.c_str());
    return attempted;
}

int texturesLoaded() {
    return loadedCount;
}

bool textureOpaque(GLuint handle) {
    return opaqueHandles.count(handle) != 0;
}

UnblendedIfOpaque::UnblendedIfOpaque(std::initializer_list<GLuint> surfaces) {
    if (surfaces.size() == 0 || !glIsEnabled(GL_BLEND)) return;
    for (GLuint texture : surfaces)
        if (!textureOpaque(texture)) return;
    off_ = true;
    glDisable(GL_BLEND);
}

UnblendedIfOpaque::~UnblendedIfOpaque() {
    if (off_) glEnable(GL_BLEND);
}
