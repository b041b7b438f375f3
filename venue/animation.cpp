// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "venue/animation.h"

#include <cstring>

#include "core/settings.h"

// Values at program start come from resetVenueAnimation.
namespace {

const float kBusStart[kBusCount] = {0, 15, 48, 62, 86, 121, 136, 186, 210, 221, 235};
constexpr float kBusStep = 0.125f;
constexpr float kRouteLength = 246;

const SeatPosition kDownSeatStart = {-5, 6, -10};
const SeatPosition kUpSeatStart = {-2.8f, -9, 45};

// Each section's test sees the z left by the one before, so a seat crossing a pylon
// takes two steps at once.
void moveDownSeat(SeatPosition& s) {
    if (s.z >= -10 && s.z < 0) {
        s.z += 0.125f;
        s.y -= 0.0375f;
    }
    if (s.z >= 0 && s.z < 10) {
        s.z += 0.125f;
        s.y -= 0.06f;
    }
    if (s.z >= 10 && s.z < 20) {
        s.z += 0.125f;
        s.y -= 0.077f;
    }
    if (s.z >= 20 && s.z < 35) {
        s.z += 0.125f;
        s.y -= 0.01f;
    }
    // The last section also takes a seat standing exactly at its end, which would
    // otherwise match no section and stop there for good.
    if (s.z >= 35 && s.z <= 45) s.z += 0.1255f;
    if (s.z > 45) s = kDownSeatStart;
}

void moveUpSeat(SeatPosition& s) {
    if (s.z > 35 && s.z <= 45) s.z -= 0.125f;
    if (s.z > 20 && s.z <= 35) {
        s.z -= 0.125f;
        s.y += 0.009f;
    }
    if (s.z > 10 && s.z <= 20) {
        s.z -= 0.125f;
        s.y += 0.075f;
    }
    if (s.z > 0 && s.z <= 10) {
        s.z -= 0.125f;
        s.y += 0.06f;
    }
    if (s.z > -10 && s.z <= 0) {
        s.z -= 0.125f;
        s.y += 0.0375f;
    }
    if (s.z <= -10) s = kUpSeatStart;
}

} // namespace

bool lowerPrecipitationFall(VenueAnimation& v, bool snow, int32_t speed) {
    float drop = 0;
    if (!snow)
        drop = 0.6f;
    else if (speed == 1)
        drop = 0.025f;
    else if (speed == 2)
        drop = 0.05f;
    else if (speed == 3)
        drop = 0.1f;
    v.precipitationFall -= drop;
    const float wrap = snow ? 50.0f : 55.0f;
    if (v.precipitationFall <= -wrap) {
        v.precipitationFall = 0;
        return true;
    }
    return false;
}

void moveChairliftSeats(VenueAnimation& v) {
    moveDownSeat(v.downSeat);
    moveUpSeat(v.upSeat);
}

void advanceAirship(VenueAnimation& v) {
    v.airshipTravel += 0.2f;
}

void driveBusRow(VenueAnimation& v) {
    // A bus exactly at the end of the road stays there this step; the next restarts it.
    for (float& p : v.busPositions) {
        p += kBusStep;
        if (p > kRouteLength) p = 0;
    }
}

void driveBuses(VenueAnimation& v) {
    for (auto& row : v.busRowPositions) {
        driveBusRow(v);
        std::memcpy(row, v.busPositions, sizeof row);
    }
}

bool snowFalls(const Settings& s) {
    return s.precipitation == 2 && s.season == 0;
}

bool rainFalls(const Settings& s) {
    return s.precipitation == 3;
}

bool chairliftShown(const Settings& s) {
    return s.detailLevel == 3 && s.hillNumber == 1;
}

bool townShown(const Settings& s) {
    return s.detailLevel == 4 && (s.hillNumber == 1 || s.hillNumber == 2);
}

bool floodlightsShown(const Settings& s) {
    return s.detailLevel == 3 || s.detailLevel == 4;
}

VenueAnimation::VenueAnimation() {
    std::memcpy(busPositions, kBusStart, sizeof busPositions);
    for (auto& row : busRowPositions)
        std::memcpy(row, busPositions, sizeof row);
    downSeat = kDownSeatStart;
    upSeat = kUpSeatStart;
    beamOpacity = 0.9f;
}
