// Writes pictures of the game for looking at, not for checking: every hill by day and by
// night in both seasons from four views (view 7 is the free camera looking up the venue),
// and snow and rain. Run under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/screenshots
// The PNG files go to build/test-output/ (their paths are printed).
#include <cstdio>
#include <string>

#include "core/settings.h"
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

} // namespace

int main() {
    for (auto [hill, detail] : {std::pair{1, 4}, std::pair{2, 4}, std::pair{3, 3}})
        for (int lighting : {kLightingDay, kLightingNight})
            for (int seasonValue : {0, 1})
                venue(hill, detail, lighting, seasonValue);
    weather(2);
    weather(3);
    return 0;
}
