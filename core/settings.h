// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings shared with the launcher: one tiny text file per value under Data/.
#pragma once
#include <cstdint>

// Leading decimal digits of a text; wraps like a 32-bit integer; no sign, no blanks.
int32_t parseDecimal(const char* text);

// One settings file with its own read buffer. An empty file leaves the buffer as the
// previous read left it, so the variable gets the previous value again.
struct SettingFile {
    const char* path;
    int bufferSize; // characters used = bufferSize - 1
    char buffer[100];
};

// Reads one line into the file's buffer and converts it. A missing or unreadable
// file leaves `value` unchanged and returns false.
bool readSettingFile(SettingFile& file, int32_t& value);

// The launcher's choices as the game last read them. Zero until read, as at program start.
struct Settings {
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    int32_t hillNumber = 0;
    int32_t gameSpeed = 0;
    int32_t precipitation = 0;
    int32_t hiddenSwitch = 0;
    int32_t detailLevel = 0;
    int32_t season = 0;
    int32_t skyRed = 0;
    int32_t skyGreen = 0;
    int32_t lightingMode = 0;
    int32_t fogMode = 0;
    int32_t suitColor[3] = {0, 0, 0};
    int32_t helmetColor[3] = {0, 0, 0};
    int32_t skiColor[3] = {0, 0, 0};

    template <class Visit> void eachField(Visit&& visit) {
        visit("windowWidth", windowWidth);
        visit("windowHeight", windowHeight);
        visit("hillNumber", hillNumber);
        visit("gameSpeed", gameSpeed);
        visit("precipitation", precipitation);
        visit("hiddenSwitch", hiddenSwitch);
        visit("detailLevel", detailLevel);
        visit("season", season);
        visit("skyRed", skyRed);
        visit("skyGreen", skyGreen);
        visit("lightingMode", lightingMode);
        visit("fogMode", fogMode);
        visit("suitColor", suitColor);
        visit("helmetColor", helmetColor);
        visit("skiColor", skiColor);
    }
};

// Lighting modes the launcher writes.
constexpr int32_t kLightingDay = 6;
constexpr int32_t kLightingNight = 8;
// The hills there are, and the detail levels that show the venue's scenery.
constexpr int32_t kFirstHill = 1;
constexpr int32_t kLastHill = 3;
inline bool knownHill(int32_t hill) {
    return hill >= kFirstHill && hill <= kLastHill;
}
constexpr int32_t kFirstSceneryDetail = 2;
constexpr int32_t kLastDetail = 4;
inline bool sceneryDetail(int32_t detail) {
    return detail >= kFirstSceneryDetail && detail <= kLastDetail;
}

// Hidden switch codes.
constexpr int32_t kAltWindCode = 587;
constexpr int32_t kFreeCameraCode = 846;

// Batch 1: window size, before the window exists. Missing files: 800 x 600.
void readWindowSize(Settings& s);
// A window smaller than this shows too little of the game to play it.
constexpr int32_t kLeastWindowWidth = 320;
constexpr int32_t kLeastWindowHeight = 240;
// The window sizes the launcher offers, smallest first.
struct WindowSize {
    int32_t width, height;
};
constexpr WindowSize kLauncherWindowSizes[] = {{640, 480}, {800, 600}, {1024, 768}};
// After the window size is read: a dimension that is not a number or too small falls back
// to 800 or 600. A size larger than the usable desktop (0: unknown) falls back as a pair,
// keeping a launcher shape: the largest launcher size that fits, else 800 x 600. Each
// fallback says so in one line on standard error, naming the files and their text.
void fitWindowSize(Settings& s, int32_t desktopWidth, int32_t desktopHeight);
// Batch 2, first half: hill, speed, precipitation, hidden switch, detail, season, dR, dG, dB.
void readSceneBatch(Settings& s);
// Choices without which nothing can be played (no hill, a jumper who never moves) fall
// back to the launcher's defaults, with one line on standard error naming the file.
void fitSceneChoices(Settings& s);
// Batch 2, read later in the set-up.
void readFogMode(Settings& s);
// Batch 3: the nine colour files, on every drawing of the jumper.
void readJumperColours(Settings& s);

// Forgets every buffer and sets every value back to 0, as at program start.
void resetSettings(Settings& s);
