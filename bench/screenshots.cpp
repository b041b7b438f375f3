// Writes pictures of the game for looking at, not for checking: every hill by day and by
// night in both seasons from four views (view 7 is the free camera looking up the venue),
// and snow and rain. Run under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/screenshots
// The PNG files go to build/test-output/ (their paths are printed).
//   build/screenshots store   writes only the store picture (dist/screenshot.png): the
//                             jumper in flight over the K120 hill, 1024 x 768.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/settings.h"
#include "jump_play.h"
#include "support/harness.h"

namespace {

void shoot(const std::string& name) {
    std::printf("%s\n", savePng(lastFrame(), name).c_str());
}

void venue(int hill, int detail, int lighting, int seasonValue) {
    TempGameDir dir;
    dir.writeDefaults();
    dir.writeData("kopytko.cfg", "846");
    dir.configure(hill, detail, seasonValue, lighting);
    startGame();
    leaveStartScreen();
    for (char view : {'1', '3', '6', '7'}) {
        passChar(view);
        frames(2);
        shoot("venue_hill" + std::to_string(hill) + "_detail" + std::to_string(detail) +
              (lighting == kLightingNight ? "_night" : "_day") +
              (seasonValue ? "_summer" : "_winter") + "_view" + view);
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

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "store") == 0) {
        store();
        return 0;
    }
    for (auto [hill, detail] : {std::pair{1, 4}, std::pair{2, 4}, std::pair{3, 3}})
        for (int lighting : {kLightingDay, kLightingNight})
            for (int seasonValue : {0, 1})
                venue(hill, detail, lighting, seasonValue);
    weather(2);
    weather(3);
    return 0;
}
