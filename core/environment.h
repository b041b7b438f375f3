// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The scene's tables: backdrop colour, the jitter tables and the fog density.
#pragma once

// Shared, not game state: filled once per scene set-up and only read by the drawing, like
// the scene's GL objects.

extern float backdropColor[3];
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

// Backdrop colour and jitter tables as at program start.
void resetEnvironmentTables();
// Both tables from the seed source, each from a fresh seed.
struct Random;
void fillJitterTables(Random& random);
// The fog density of fogMode and season; false when the mode leaves it unchanged.
bool fogDensityFor(int fogMode, int season, float* density);
// The backdrop colour of the lighting mode and hill; false when it stays as it is.
bool backdropColourFor(int lightingMode, int hill, float colour[3]);
