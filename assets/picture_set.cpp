// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/picture_set.h"

#include <cstring>
#include <filesystem>

#include "assets/file_out.h"
#include "assets/painters.h"
#include "render/texture_file.h"
#include "render/texture_list.h"

namespace {

struct Recipe {
    const char* stem;
    Canvas (*paint)(const char* stem);
};

Canvas town(const char* stem) {
    return paintTownPicture(stem);
}

const Recipe kRecipes[] = {
    {"wall2", [](const char*) { return paintPoster("F1 – pomoc"); }},
    {"corner", [](const char*) { return paintPanel(); }},
    {"corner2", [](const char*) { return paintTallPanel(); }},
    {"windred", [](const char*) { return paintWindSign(-1); }},
    {"windgreen", [](const char*) { return paintWindSign(1); }},
    {"nowind", [](const char*) { return paintWindSign(0); }},
    {"redlight", [](const char*) { return paintStartLight(false); }},
    {"greenlight", [](const char*) { return paintStartLight(true); }},
    {"but1", [](const char*) { return paintButton("Start", false); }},
    {"but1light", [](const char*) { return paintButton("Start", true); }},
    {"but2", [](const char*) { return paintButton("Wyjście", false); }},
    {"but2light", [](const char*) { return paintButton("Wyjście", true); }},
    {"window", [](const char* s) { return paintSnow(s); }},
    {"window2", [](const char*) { return paintMarkedSnow(); }},
    {"spot1", [](const char*) { return paintBoards(); }},
    {"rozbieg", [](const char*) { return paintIceTrack(); }},
    {"snow", [](const char*) { return paintSnowflake(); }},
    {"rain", [](const char*) { return paintRainStreak(); }},
    {"siatkaochronna", [](const char*) { return paintNet(); }},
    {"swierk", [](const char*) { return paintSpruce(); }},
    {"audience", [](const char*) { return paintCrowd(0); }},
    {"audience2", [](const char*) { return paintCrowd(1); }},
    {"audience3", [](const char*) { return paintCrowd(2); }},
    {"rozbieglato", [](const char*) { return paintPorcelainTrack(); }},
    {"sumer", [](const char* s) { return paintMats(s); }},
    {"ovlu", [](const char*) { return paintMarkedMats(); }},
    {"trawa", [](const char*) { return paintGrass(); }},
    {"bramka", [](const char*) { return paintLattice(); }},
    {"sheet", [](const char*) { return paintLampPanel(true); }},
    {"halogen", [](const char*) { return paintLampPanel(false); }},
    {"przod16", town},
    {"przod16noc", town},
    {"bloktyl16", town},
    {"bloktyl16noc", town},
    {"bokblok16", town},
    {"klatkaprzod16", town},
    {"bokklatka16", town},
    {"asfalt", [](const char*) { return paintAsphalt(); }},
    {"budynek1przod", town},
    {"budynek1bok", town},
    {"budynek1tyl", town},
    {"budynek2przod", town},
    {"budynek2przodnoc", town},
    {"budynek3przod", town},
    {"budynek3przodnoc", town},
    {"budynek2bok", town},
    {"budynek2boknoc", town},
    {"budynek2tyl", town},
    {"budynek2tylnoc", town},
    {"budynek4przod", town},
    {"budynek4przodnoc", town},
    {"budynek4bok", town},
    {"budynek4tyl", town},
    {"budynek5przod", town},
    {"budynek5bok", town},
    {"budynek5bokgora", town},
    {"budynek5tyl", town},
    {"dach", [](const char*) { return paintRoof(); }},
    {"busprzod", [](const char*) { return paintBus(1, 'f'); }},
    {"busbok", [](const char*) { return paintBus(1, 's'); }},
    {"bustyl", [](const char*) { return paintBus(1, 'b'); }},
    {"busprzod2", [](const char*) { return paintBus(2, 'f'); }},
    {"busbok2", [](const char*) { return paintBus(2, 's'); }},
    {"bustyl2", [](const char*) { return paintBus(2, 'b'); }},
    {"busprzod3", [](const char*) { return paintBus(3, 'f'); }},
    {"busbok3", [](const char*) { return paintBus(3, 's'); }},
    {"bustyl3", [](const char*) { return paintBus(3, 'b'); }},
};

bool writePicture(const Canvas& cv, const std::filesystem::path& path, std::string* error) {
    if (writeWholeFile(path.string(), encodeBitmap(cv.w, cv.h, toBitmapRgb(cv)))) return true;
    *error = "cannot write " + path.string();
    return false;
}

} // namespace

// "Start" reads the same in English: the game takes the Polish button for it.
const LanguagePicture kLanguagePictures[] = {
    {"en", "wall2", [] { return paintPoster("F1 – help"); }},
    {"en", "but2", [] { return paintButton("Quit", false); }},
    {"en", "but2light", [] { return paintButton("Quit", true); }},
};
const int kLanguagePictureCount = sizeof(kLanguagePictures) / sizeof(kLanguagePictures[0]);

bool paintPicture(const char* stem, Canvas* out) {
    for (const Recipe& r : kRecipes)
        if (std::strcmp(r.stem, stem) == 0) {
            *out = r.paint(stem);
            return out->w > 0;
        }
    return false;
}

bool writeTextures(const std::string& gameDir, std::string* error) {
    namespace fs = std::filesystem;
    fs::path dir = fs::path(gameDir) / "textures";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) {
        *error = "cannot create " + dir.string() + ": " + ec.message();
        return false;
    }
    for (const TextureEntry& e : kTextureList) {
        Canvas cv;
        if (!paintPicture(e.stem, &cv)) {
            *error = std::string("no picture for texture ") + e.stem;
            return false;
        }
        if (!writePicture(cv, dir / (std::string(e.stem) + ".stx"), error)) return false;
    }
    for (const LanguagePicture& p : kLanguagePictures) {
        fs::create_directories(dir / p.language, ec);
        if (ec) {
            *error = "cannot create " + (dir / p.language).string() + ": " + ec.message();
            return false;
        }
        const fs::path path = dir / p.language / (std::string(p.stem) + ".stx");
        if (!writePicture(p.paint(), path, error)) return false;
    }
    return true;
}
