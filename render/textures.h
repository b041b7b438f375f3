// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Texture handles, one GL texture object per file, named by the file's stem.
#pragma once
#include <initializer_list>
#include <string>

#include "render/gl.h"

struct TextureSet {
    GLuint wall2, corner, corner2, windred, windgreen, nowind, redlight, greenlight;
    GLuint but1, but1light, but2, but2light, window, window2, spot1, rozbieg, snow, rain;
    GLuint siatkaochronna;
    GLuint swierk, audience, audience2, audience3;
    GLuint rozbieglato, sumer, ovlu, trawa;
    GLuint bramka, sheet, halogen;
    GLuint przod16, przod16noc, bloktyl16, bloktyl16noc, bokblok16, klatkaprzod16, bokklatka16;
    GLuint asfalt;
    GLuint budynek1przod, budynek1bok, budynek1tyl;
    GLuint budynek2przod, budynek2przodnoc, budynek3przod, budynek3przodnoc;
    GLuint budynek2bok, budynek2boknoc, budynek2tyl, budynek2tylnoc;
    GLuint budynek4przod, budynek4przodnoc, budynek4bok, budynek4tyl;
    GLuint budynek5przod, budynek5bok, budynek5bokgora, budynek5tyl;
    GLuint dach;
    GLuint busprzod, busbok, bustyl, busprzod2, busbok2, bustyl2, busprzod3, busbok3, bustyl3;
};

// The texture names in the one GL context, loaded at scene set-up; a render cache.
extern TextureSet textures;

// Handle of a stem, or nullptr for an unknown stem.
GLuint* textureHandle(const char* stem);

// Loads one file into a new texture object stored in `handle`. A file that cannot be
// used gets a 1 x 1 opaque white picture, so drawing goes on. Returns true if the file
// itself was loaded.
bool loadTexture(const char* path, GLuint* handle);

// What the texture list of a scene depends on; the game hands it over from its settings.
struct TextureChoice {
    std::string folder;   // where the files are
    std::string language; // its own pictures with words in folder/language; "" for none
    int hill = 0;
    int detail = 0;
};

// Loads the list for the chosen hill and detail level. Texture objects of an earlier
// run are released first. Files that fail are named in one line on standard error (unless
// none loaded at all). Returns the number of files attempted.
int loadTextures(const TextureChoice& choice);
// How many files the last loadTextures loaded.
int texturesLoaded();
// True for a texture loadTexture made with no cut-out texel: every texel, in every mipmap
// level, fully opaque. Blending it at full colour alpha changes nothing.
bool textureOpaque(GLuint handle);

// Blending a fragment of alpha 1 gives the fragment itself, yet a software rasteriser reads
// and mixes every pixel for it. For surfaces drawn in colours of alpha 1 (glColor3*, lit
// or not): blending is off in this scope while every texture named is opaque, and back as
// it was after it.
class UnblendedIfOpaque {
  public:
    UnblendedIfOpaque(std::initializer_list<GLuint> surfaces);
    ~UnblendedIfOpaque();
    UnblendedIfOpaque(const UnblendedIfOpaque&) = delete;
    UnblendedIfOpaque& operator=(const UnblendedIfOpaque&) = delete;

  private:
    bool off_ = false;
};
