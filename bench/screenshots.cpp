// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes pictures of the game for looking at, not for checking: every hill by day and by
// night in both seasons from four views (view 7 is the free camera looking up the venue),
// and snow and rain. Run under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/screenshots
// The PNG files go to build/test-output/ (their paths are printed).
//   store       writes only the store picture (dist/screenshot.png): the jumper in flight
//               over the K120 hill, 1024 x 768.
//
//   --set DIR   instead writes the comparison set into DIR: hills 1 to 3, detail 3 and 4,
//               day and night, winter and summer, views 1, 3 and 6 (72 frames, 800 x 600),
//               named hill1_detail3_day_winter_view1.png and so on. Two sets made before and
//               after a change to the drawing are compared with bench/compare_frames.py.
//   --jump-set DIR  writes every 8th frame of a whole jump (start, take-off, flight, landing
//               and the marks) on each hill at detail 4, by day and by night, into DIR: the
//               cameras that follow a jump, for the same comparison.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/random.h"
#include "core/settings.h"
#include "jump_play.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

void shoot(const std::string& name) {
    std::printf("%s\n", savePng(lastFrame(), name).c_str());
}

std::string venueName(int hill, int detail, int lighting, int seasonValue, char view) {
    return "hill" + std::to_string(hill) + "_detail" + std::to_string(detail) +
           (lighting == kLightingNight ? "_night" : "_day") +
           (seasonValue ? "_summer" : "_winter") + "_view" + view;
}

// The scene of one choice, each view two frames after it was chosen; shot(name) takes the
// last frame.
template <class Shot>
void venue(int hill, int detail, int lighting, int seasonValue, const char* views, Shot shot) {
    TempGameDir dir;
    dir.writeDefaults();
    dir.writeData("kopytko.cfg", "846");
    dir.configure(hill, detail, seasonValue, lighting);
    startGame();
    leaveStartScreen();
    for (const char* view = views; *view; ++view) {
        passChar(*view);
        frames(2);
        shot(venueName(hill, detail, lighting, seasonValue, *view));
    }
}

void weather(int precipitationValue) {
    TempGameDir dir;
    dir.writeDefaults();
    const bool snow = precipitationValue == 2;
    dir.configure(1, 3, 0, snow ? kLightingDay : kLightingNight, 2, precipitationValue);
    startGame();
    leaveStartScreen();
    frames(30);
    shoot(snow ? "snow_day" : "rain_night");
}

void store() {
    ensureGameWindow(1024, 768);
    TempGameDir dir;
    dir.writeDefaults();
    dir.configure(2, 4, 0, kLightingDay);
    startGame();
    leaveStartScreen();
    frames(20);
    if (!runAndTakeOff()) std::fprintf(stderr, "screenshots: no take-off\n");
    leanForward();
    frames(25);
    shoot("store_k120_flight");
}

// The comparison set's forests and flakes stand where they stood last time.
unsigned fixedSeed() {
    return 1;
}

int writeComparisonSet(const std::string& folder) {
    game().random.seedSource = fixedSeed;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string root = std::filesystem::absolute(folder, ec).string();
    int failed = 0;
    for (int hill = 1; hill <= 3; ++hill)
        for (int detail : {3, 4})
            for (int lighting : {kLightingDay, kLightingNight})
                for (int seasonValue : {0, 1})
                    venue(hill, detail, lighting, seasonValue, "136", [&](const std::string& n) {
                        const std::string path = root + "/" + n + ".png";
                        if (!savePngAt(lastFrame(), path)) {
                            std::fprintf(stderr, "cannot write %s\n", path.c_str());
                            ++failed;
                        }
                    });
    std::printf("72 frames in %s\n", root.c_str());
    return failed == 0 ? 0 : 1;
}

std::string jumpFolder;
std::string jumpPrefix;
int jumpFrame = 0;
int jumpFailures = 0;

void saveEveryEighth() {
    if (jumpFrame++ % 8 != 0) return;
    char name[32];
    std::snprintf(name, sizeof name, "_%04d.png", jumpFrame - 1);
    if (!savePngAt(lastFrame(), jumpFolder + "/" + jumpPrefix + name)) ++jumpFailures;
}

int writeJumpSet(const std::string& folder) {
    game().random.seedSource = fixedSeed;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    jumpFolder = std::filesystem::absolute(folder, ec).string();
    for (int hill = 1; hill <= 3; ++hill)
        for (int lighting : {kLightingDay, kLightingNight}) {
            TempGameDir dir;
            dir.writeDefaults();
            dir.configure(hill, 4, 0, lighting);
            startGame();
            leaveStartScreen();
            jumpPrefix = "jump_hill" + std::to_string(hill) +
                         (lighting == kLightingNight ? "_night" : "_day");
            jumpFrame = 0;
            passObserver = saveEveryEighth;
            const bool landed =
                runAndTakeOff() && (leanForward(), takeLandingStance()) && waitForLanding();
            frames(40); // the marks
            passObserver = nullptr;
            if (!landed) {
                std::fprintf(stderr, "%s: the scripted jump did not land\n", jumpPrefix.c_str());
                ++jumpFailures;
            }
        }
    std::printf("jump frames in %s\n", jumpFolder.c_str());
    return jumpFailures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "store") == 0) {
        store();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--set") == 0) return writeComparisonSet(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--jump-set") == 0) return writeJumpSet(argv[2]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: screenshots [store | --set DIR | --jump-set DIR]\n");
        return 1;
    }
    for (auto [hill, detail] : {std::pair{1, 4}, std::pair{2, 4}, std::pair{3, 3}})
        for (int lighting : {kLightingDay, kLightingNight})
            for (int seasonValue : {0, 1})
                venue(hill, detail, lighting, seasonValue, "1367", shoot);
    weather(2);
    weather(3);
    return 0;
}
