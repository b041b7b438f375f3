// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/environment.h"

#include "core/random.h"
#include "core/settings.h"

// Values at program start come from resetEnvironmentTables.
float backdropColor[3];
float forestJitter[kForestJitterCount];
float precipitationJitter[kPrecipitationRows * kPrecipitationColumns];

void resetEnvironmentTables() {
    backdropColor[0] = backdropColor[1] = backdropColor[2] = 225;
    for (float& j : forestJitter)
        j = 0;
    for (float& j : precipitationJitter)
        j = 0;
}

void fillJitterTables(Random& random) {
    random.seedFromClock();
    for (int i = 0; i < kForestJitterCount; ++i)
        forestJitter[i] = -10.0f + static_cast<float>(random.next()) * 20.0f / 32768.0f;
    random.seedFromClock();
    for (int i = 0; i < kPrecipitationRows * kPrecipitationColumns; ++i)
        precipitationJitter[i] = -0.3f + static_cast<float>(random.next()) * 0.6f / 32768.0f;
}

bool fogDensityFor(int mode, int seasonValue, float* density) {
    switch (mode) {
    case 1:
        *density = seasonValue == 0 ? 0.002f : 0.0001f;
        return true;
    case 7:
        *density = 0.00001f;
        return true;
    case 9:
        *density = 0.0f;
        return true;
    default:
        return false;
    }
}

bool backdropColourFor(int lighting, int hill, float colour[3]) {
    if (lighting != kLightingDay && lighting != kLightingNight) return false;
    // The big hill is only jumped by day.
    const bool night = lighting == kLightingNight && (hill == 1 || hill == 2);
    colour[0] = colour[1] = colour[2] = night ? 2.8f : 225.0f;
    return true;
}
