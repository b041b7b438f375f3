// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// texgen: makes the game folder's own pictures and default data.
//   texgen pictures <gameDir>   textures/*.stx and icons/hicolor/*/apps/valmora.png (overwritten)
//   texgen data <gameDir>       Data/ defaults, only the files that are missing
//   texgen all <gameDir>        both
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/default_data.h"
#include "assets/lettering.h"
#include "assets/picture_set.h"
#include "assets/program_icon.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "pictures") && std::strcmp(argv[1], "data") &&
                      std::strcmp(argv[1], "all"))) {
        std::fprintf(stderr, "usage: texgen pictures|data|all <gameDir>\n");
        return 2;
    }
    std::string mode = argv[1], dir = argv[2], error;
    if (mode != "data") {
        auto start = std::chrono::steady_clock::now();
        if (!writeTextures(dir, &error) || !writeProgramIcons(dir, &error)) {
            std::fprintf(stderr, "texgen: %s\n", error.c_str());
            return 1;
        }
        // Buttons and the poster without their words would be a broken start screen.
        if (letteringFailures() > 0) {
            std::fprintf(stderr, "texgen: no font found for the lettering (Arial bold)\n");
            return 1;
        }
        double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        std::printf("texgen: 67 textures and %d icons in %.0f ms\n", kProgramIconCount, ms);
    }
    if (mode != "pictures" && !writeDefaultData(dir, &error)) {
        std::fprintf(stderr, "texgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
