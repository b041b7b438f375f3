// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/game_folders.h"
#include "game/app.h"

int main(int argc, char** argv) {
    const bool timeDemo = argc == 3 && std::strcmp(argv[1], "--timedemo") == 0;
    if (argc > 1 && !timeDemo) {
        std::fprintf(stderr, "usage: orbel [--timedemo FILE]\n");
        return 2;
    }
    // The demo's file is named from the folder the game was started in.
    std::string demoFile;
    if (timeDemo) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(argv[2], ec);
        demoFile = ec ? argv[2] : absolute.string();
    }
    // From here on the working folder is the one that holds Data/, wherever we started.
    if (!enterGameFolders("orbel")) return 1;
    return timeDemo ? runTimeDemo(demoFile.c_str()) : runGame();
}
