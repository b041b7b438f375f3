// Scene set-up: settings, time of day, lights, fog, textures, quadrics, jitter, fonts.
#pragma once
#include "render/gl.h"

extern float backdropColor[3];
extern GLUquadric* sceneryQuadric;
extern GLUquadric* figureQuadric;
// Tree offsets, entry i * 5 + j for forest tree (i, j). The first 25 are the classic 5 x 5
// table; 25 more are drawn after them so that all 50 trees have their own offset.
constexpr int kForestJitterCount = 50;
extern float forestJitter[kForestJitterCount];
// 36 rows of 21; stored flat so a row index past 20 in a column reads the next row.
constexpr int kPrecipitationRows = 36;
constexpr int kPrecipitationColumns = 21;
extern float precipitationJitter[kPrecipitationRows * kPrecipitationColumns];
inline float precipitationJitterAt(int row, int column) {
    return precipitationJitter[row * kPrecipitationColumns + column];
}

void setupScene();
void fillJitterTables();
// The time-of-day decision (backdrop colour, clear colour, lights) from the settings.
void applyTimeOfDay();
// The fog density of fogMode and season; false when the mode leaves it unchanged.
bool fogDensityFor(int fogMode, int season, float* density);
