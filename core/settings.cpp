// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

int32_t parseDecimal(const char* text) {
    // Saturates: a wrapped 4294968576 would read as 1280, a size that looks sound.
    int64_t value = 0;
    if (!text) return 0;
    for (const char* p = text; *p >= '0' && *p <= '9'; ++p)
        value = std::min<int64_t>(value * 10 + (*p - '0'), INT32_MAX);
    return static_cast<int32_t>(value);
}

bool readSettingFile(SettingFile& file, int32_t& value) {
    // Without blocking, and regular files only: a FIFO in a file's place must not hang the
    // game; it counts as unreadable.
    const int fd = open(file.path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    FILE* f = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? fdopen(fd, "r") : nullptr;
    if (!f) {
        close(fd);
        return false;
    }
    int size = file.bufferSize;
    if (size > static_cast<int>(sizeof(file.buffer))) size = sizeof(file.buffer);
    // Read into a copy: an empty file leaves the previous text in place, as the game always
    // did, but a read error (a directory of that name, say) may leave anything behind.
    char line[sizeof(file.buffer)];
    std::memcpy(line, file.buffer, sizeof line);
    bool failed = std::fgets(line, size, f) == nullptr && std::ferror(f);
    std::fclose(f);
    if (failed) return false;
    std::memcpy(file.buffer, line, sizeof line);
    file.buffer[sizeof(file.buffer) - 1] = '\0';
    value = parseDecimal(file.buffer);
    return true;
}

namespace {

SettingFile resxFile{"Data/resx.dat", 100, {}};
SettingFile resyFile{"Data/resy.dat", 100, {}};
SettingFile hillFile{"Data/hill.dat", 4, {}};
SettingFile speedFile{"Data/tf.dat", 4, {}};
SettingFile precipitationFile{"Data/opad.dat", 7, {}};
SettingFile hiddenSwitchFile{"Data/kopytko.cfg", 7, {}};
SettingFile detailFile{"Data/det.dat", 4, {}};
SettingFile seasonFile{"Data/winsum.dat", 4, {}};
SettingFile skyRedFile{"Data/dR.dat", 4, {}};
SettingFile skyGreenFile{"Data/dG.dat", 4, {}};
SettingFile lightingFile{"Data/dB.dat", 4, {}};
SettingFile fogFile{"Data/fog.dat", 4, {}};
SettingFile colourFiles[9] = {
    {"Data/suitR.dat", 4, {}}, {"Data/suitG.dat", 4, {}}, {"Data/suitB.dat", 4, {}},
    {"Data/helmR.dat", 4, {}}, {"Data/helmG.dat", 4, {}}, {"Data/helmB.dat", 4, {}},
    {"Data/skiR.dat", 4, {}},  {"Data/skiG.dat", 4, {}},  {"Data/skiB.dat", 4, {}},
};

SettingFile* allFiles[] = {&resxFile,          &resyFile,         &hillFile,       &speedFile,
                           &precipitationFile, &hiddenSwitchFile, &detailFile,     &seasonFile,
                           &skyRedFile,        &skyGreenFile,     &lightingFile,   &fogFile,
                           &colourFiles[0],    &colourFiles[1],   &colourFiles[2], &colourFiles[3],
                           &colourFiles[4],    &colourFiles[5],   &colourFiles[6], &colourFiles[7],
                           &colourFiles[8]};

} // namespace

void readWindowSize(Settings& s) {
    if (!readSettingFile(resxFile, s.windowWidth)) s.windowWidth = 800;
    if (!readSettingFile(resyFile, s.windowHeight)) s.windowHeight = 600;
}

namespace {

// A file's first line, for a message.
std::string fileText(const SettingFile& file) {
    std::string text(file.buffer, strnlen(file.buffer, sizeof(file.buffer)));
    return text.substr(0, text.find_first_of("\r\n"));
}

// One window dimension: the fallback, with a line saying why, when the value cannot be used.
void fitDimension(const SettingFile& file, int32_t& value, int32_t least, int32_t fallback,
                  const char* what) {
    if (value >= least) return;
    std::fprintf(stderr, "%s: \"%s\" is no usable window %s; using %d\n", file.path,
                 fileText(file).c_str(), what, static_cast<int>(fallback));
    value = fallback;
}

bool fits(int32_t size, int32_t desktop) {
    return desktop <= 0 || size <= desktop;
}

} // namespace

void fitWindowSize(Settings& s, int32_t desktopWidth, int32_t desktopHeight) {
    fitDimension(resxFile, s.windowWidth, kLeastWindowWidth, 800, "width");
    fitDimension(resyFile, s.windowHeight, kLeastWindowHeight, 600, "height");
    if (fits(s.windowWidth, desktopWidth) && fits(s.windowHeight, desktopHeight)) return;
    // Width and height fall back together: one alone would change the picture's shape.
    WindowSize fallback{800, 600};
    for (const WindowSize& size : kLauncherWindowSizes)
        if (fits(size.width, desktopWidth) && fits(size.height, desktopHeight)) fallback = size;
    std::fprintf(stderr,
                 "%s, %s: %d x %d does not fit the usable desktop of %d x %d; using %d x %d\n",
                 resxFile.path, resyFile.path, static_cast<int>(s.windowWidth),
                 static_cast<int>(s.windowHeight), static_cast<int>(desktopWidth),
                 static_cast<int>(desktopHeight), static_cast<int>(fallback.width),
                 static_cast<int>(fallback.height));
    s.windowWidth = fallback.width;
    s.windowHeight = fallback.height;
}

namespace {

void fitChoice(const SettingFile& file, int32_t& value, int32_t least, int32_t most,
               int32_t fallback, const char* what) {
    if (value >= least && value <= most) return;
    std::fprintf(stderr, "%s: %d is no %s; using %d\n", file.path, static_cast<int>(value), what,
                 static_cast<int>(fallback));
    value = fallback;
}

} // namespace

void fitSceneChoices(Settings& s) {
    fitChoice(hillFile, s.hillNumber, kFirstHill, kLastHill, kFirstHill, "hill");
    fitChoice(speedFile, s.gameSpeed, 1, 3, 2, "game speed");
}

void readSceneBatch(Settings& s) {
    readSettingFile(hillFile, s.hillNumber);
    readSettingFile(speedFile, s.gameSpeed);
    readSettingFile(precipitationFile, s.precipitation);
    // Nothing creates the hidden switch: a missing file means both hidden modes off.
    if (!readSettingFile(hiddenSwitchFile, s.hiddenSwitch)) s.hiddenSwitch = 0;
    readSettingFile(detailFile, s.detailLevel);
    readSettingFile(seasonFile, s.season);
    readSettingFile(skyRedFile, s.skyRed);
    readSettingFile(skyGreenFile, s.skyGreen);
    if (s.skyGreen == 5) s.skyGreen = 255;
    readSettingFile(lightingFile, s.lightingMode);
}

void readFogMode(Settings& s) {
    readSettingFile(fogFile, s.fogMode);
}

void readJumperColours(Settings& s) {
    int32_t* targets[9] = {&s.suitColor[0],   &s.suitColor[1],   &s.suitColor[2],
                           &s.helmetColor[0], &s.helmetColor[1], &s.helmetColor[2],
                           &s.skiColor[0],    &s.skiColor[1],    &s.skiColor[2]};
    for (int i = 0; i < 9; ++i)
        readSettingFile(colourFiles[i], *targets[i]);
}

void resetSettings(Settings& s) {
    for (SettingFile* f : allFiles)
        std::memset(f->buffer, 0, sizeof(f->buffer));
    s = Settings{};
}
