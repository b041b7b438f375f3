// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Texture loading in a real GL context: which files a scene set-up loads for each hill and
// detail level, that every handle ends up a usable texture, and what a bad file leaves.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/settings.h"
#include "render/gl.h"
#include "render/texture_file.h"
#include "render/texture_list.h"
#include "render/textures.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

// The loading order as the game defines it: groups of stems, each with its condition.
struct Group {
    std::vector<std::string> stems;
    bool (*holds)(int hill, int detail);
};

const std::vector<Group>& loadingGroups() {
    static const std::vector<Group> groups = {
        {{"wall2", "corner", "corner2", "windred", "windgreen", "nowind", "redlight", "greenlight",
          "but1", "but1light", "but2", "but2light", "window", "window2", "spot1", "rozbieg", "snow",
          "rain"},
         [](int, int) { return true; }},
        {{"siatkaochronna"}, [](int hill, int) { return hill == 3; }},
        {{"swierk", "audience", "audience2", "audience3"},
         [](int, int detail) { return detail >= 2 && detail <= 4; }},
        {{"rozbieglato", "sumer", "ovlu", "trawa"}, [](int, int) { return true; }},
        {{"bramka", "sheet", "halogen"},
         [](int, int detail) { return detail == 3 || detail == 4; }},
        {{"przod16",          "przod16noc",      "bloktyl16",        "bloktyl16noc",
          "bokblok16",        "klatkaprzod16",   "bokklatka16",      "asfalt",
          "budynek1przod",    "budynek1bok",     "budynek1tyl",      "budynek2przod",
          "budynek2przodnoc", "budynek3przod",   "budynek3przodnoc", "budynek2bok",
          "budynek2boknoc",   "budynek2tyl",     "budynek2tylnoc",   "budynek4przod",
          "budynek4przodnoc", "budynek4bok",     "budynek4tyl",      "budynek5przod",
          "budynek5bok",      "budynek5bokgora", "budynek5tyl",      "dach",
          "busprzod",         "busbok",          "bustyl",           "busprzod2",
          "busbok2",          "bustyl2",         "busprzod3",        "busbok3",
          "bustyl3"},
         [](int, int detail) { return detail == 4; }},
    };
    return groups;
}

std::vector<std::string> allStems() {
    std::vector<std::string> stems;
    for (const Group& g : loadingGroups())
        stems.insert(stems.end(), g.stems.begin(), g.stems.end());
    return stems;
}

int expectedCount(int hill, int detail) {
    int n = 0;
    for (const Group& g : loadingGroups())
        if (g.holds(hill, detail)) n += static_cast<int>(g.stems.size());
    return n;
}

bool stemLoaded(const std::string& stem, int hill, int detail) {
    for (const Group& g : loadingGroups())
        for (const std::string& s : g.stems)
            if (s == stem) return g.holds(hill, detail);
    ADD_FAILURE() << "unknown stem " << stem;
    return false;
}

// A 4 x 4 picture whose first pixel is black (a hole) and the rest one colour that names the
// file: red = index + 1, green 7, blue 200 - index.
std::vector<uint8_t> namedPicture(int index) {
    std::vector<uint8_t> rgb;
    for (int i = 0; i < 16; ++i) {
        if (i == 0)
            rgb.insert(rgb.end(), {0, 0, 0});
        else
            rgb.insert(rgb.end(),
                       {static_cast<uint8_t>(index + 1), 7, static_cast<uint8_t>(200 - index)});
    }
    return rgb;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::string texturePath(const TempGameDir& dir, const std::string& stem) {
    return dir.path() + "/textures/" + stem + ".stx";
}

void writeAllNamedTextures(const TempGameDir& dir) {
    std::vector<std::string> stems = allStems();
    for (size_t i = 0; i < stems.size(); ++i)
        writeFile(texturePath(dir, stems[i]),
                  encodeBitmap(4, 4, namedPicture(static_cast<int>(i))));
}

struct Level0 {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

Level0 readLevel0(GLuint name) {
    Level0 l;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &l.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &l.height);
    if (l.width > 0 && l.height > 0) {
        l.rgba.assign(static_cast<size_t>(l.width) * l.height * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, l.rgba.data());
    }
    return l;
}

void expectOneWhiteTexel(const char* stem) {
    SCOPED_TRACE(stem);
    GLuint name = *textureHandle(stem);
    ASSERT_NE(name, 0u);
    EXPECT_TRUE(glIsTexture(name));
    Level0 l = readLevel0(name);
    EXPECT_EQ(l.width, 1);
    EXPECT_EQ(l.height, 1);
    ASSERT_EQ(l.rgba.size(), 4u);
    EXPECT_EQ(l.rgba, (std::vector<uint8_t>{255, 255, 255, 255}));
}

void expectNamedPicture(const char* stem) {
    SCOPED_TRACE(stem);
    std::vector<std::string> stems = allStems();
    int index = -1;
    for (size_t i = 0; i < stems.size(); ++i)
        if (stems[i] == stem) index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    GLuint name = *textureHandle(stem);
    ASSERT_NE(name, 0u);
    Level0 l = readLevel0(name);
    ASSERT_EQ(l.width, 4);
    ASSERT_EQ(l.height, 4);
    EXPECT_EQ(l.rgba[3], 0) << "pure black is a hole";
    EXPECT_EQ(l.rgba[4], index + 1);
    EXPECT_EQ(l.rgba[5], 7);
    EXPECT_EQ(l.rgba[6], 200 - index);
    EXPECT_EQ(l.rgba[7], 255);
}

} // namespace

TEST(TextureList, FollowsTheLoadingOrderAndEveryStemHasItsOwnHandle) {
    std::vector<std::string> stems = allStems();
    ASSERT_EQ(static_cast<int>(stems.size()), kTextureCount);
    std::set<GLuint*> handles;
    for (int i = 0; i < kTextureCount; ++i) {
        EXPECT_EQ(stems[i], kTextureList[i].stem) << "position " << i;
        GLuint* h = textureHandle(kTextureList[i].stem);
        ASSERT_NE(h, nullptr) << kTextureList[i].stem;
        handles.insert(h);
    }
    EXPECT_EQ(static_cast<int>(handles.size()), kTextureCount);
    EXPECT_EQ(textureHandle("nosuchstem"), nullptr);
}

// Each file's colour must arrive under the handle of its own stem: the list and the handle
// table agree entry by entry.
TEST(TextureLoading, EveryFileLandsUnderTheHandleOfItsStem) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(3, 4, 0, 6);
    writeAllNamedTextures(dir);
    startGame();
    for (const std::string& stem : allStems())
        expectNamedPicture(stem.c_str());

    // The loader's texture parameters, on one of them.
    glBindTexture(GL_TEXTURE_2D, textures.window);
    GLint v = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &v);
    EXPECT_EQ(v, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &v);
    EXPECT_EQ(v, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &v);
    EXPECT_EQ(v, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &v);
    EXPECT_EQ(v, GL_LINEAR_MIPMAP_NEAREST);
    // A full mipmap chain down to 1 x 1 (4 x 4 has levels 0, 1 and 2).
    GLint w2 = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &w2);
    EXPECT_EQ(w2, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(TextureLoading, NumberOfFilesFollowsHillAndDetail) {
    TempGameDir dir(false);
    dir.writeDefaults();
    writeAllNamedTextures(dir);

    // The figures the game is known for, then every combination against the groups.
    struct Case {
        int hill, detail, count;
    };
    for (Case c : {Case{1, 1, 22}, Case{3, 1, 23}, Case{3, 4, 67}})
        EXPECT_EQ(expectedCount(c.hill, c.detail), c.count);

    for (int hill = 1; hill <= 3; ++hill) {
        for (int detail = 1; detail <= 4; ++detail) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " detail " + std::to_string(detail));
            dir.configure(hill, detail, 0, 6);
            startGame(); // the real set-up, with its own loadTextures call
            int live = 0;
            for (const std::string& stem : allStems()) {
                GLuint name = *textureHandle(stem.c_str());
                bool wanted = stemLoaded(stem, hill, detail);
                EXPECT_EQ(name != 0, wanted) << stem;
                if (name != 0 && glIsTexture(name)) {
                    ++live;
                    // The file itself was read, not the stand-in texel.
                    GLint w = 0;
                    glBindTexture(GL_TEXTURE_2D, name);
                    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
                    EXPECT_EQ(w, 4) << stem;
                }
            }
            EXPECT_EQ(live, expectedCount(hill, detail));
            // The loader reports the files it went through.
            EXPECT_EQ(loadTextures(sceneTextures(game().settings)), expectedCount(hill, detail));
        }
    }
}

TEST(TextureLoading, BadFilesGetOneWhiteTexelAndLoadingGoesOn) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(1, 1, 0, 6);
    writeAllNamedTextures(dir);
    std::vector<uint8_t> good = encodeBitmap(4, 4, namedPicture(0));

    // corner: missing.
    std::remove(texturePath(dir, "corner").c_str());
    // corner2: not "BM".
    std::vector<uint8_t> f = good;
    f[0] = 'X';
    writeFile(texturePath(dir, "corner2"), f);
    // windred: shorter than its headers.
    writeFile(texturePath(dir, "windred"), std::vector<uint8_t>(good.begin(), good.begin() + 30));
    // windgreen: pixel data runs past the end of the file.
    writeFile(texturePath(dir, "windgreen"), std::vector<uint8_t>(good.begin(), good.end() - 6));
    // nowind: 32 bits per pixel.
    f = good;
    f[28] = 32;
    writeFile(texturePath(dir, "nowind"), f);
    // redlight: image size that is not 3 x width x height.
    f = good;
    f[34] = static_cast<uint8_t>(f[34] + 3);
    writeFile(texturePath(dir, "redlight"), f);
    // but1: an empty file.
    writeFile(texturePath(dir, "but1"), {});

    startGame();
    for (const char* bad :
         {"corner", "corner2", "windred", "windgreen", "nowind", "redlight", "but1"})
        expectOneWhiteTexel(bad);
    // The files after each bad one are loaded as usual.
    for (const char* next : {"wall2", "greenlight", "but1light", "rain", "trawa"})
        expectNamedPicture(next);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // loadTexture itself says which files it could use.
    GLuint h = 0;
    EXPECT_FALSE(loadTexture(texturePath(dir, "corner").c_str(), &h));
    EXPECT_TRUE(glIsTexture(h));
    glDeleteTextures(1, &h);
    EXPECT_TRUE(loadTexture(texturePath(dir, "wall2").c_str(), &h));
    EXPECT_TRUE(glIsTexture(h));
    glDeleteTextures(1, &h);
}

// Without any texture folder content the game still gets a valid texture under every handle.
TEST(TextureLoading, EmptyTextureFolderStillGivesValidHandles) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(3, 4, 1, 8);
    startGame();
    for (const std::string& stem : allStems())
        expectOneWhiteTexel(stem.c_str());
}
