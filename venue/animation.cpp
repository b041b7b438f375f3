// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "venue/animation.h"

#include <cstring>

#include "core/settings.h"

// Values at program start come from resetVenueAnimation.
float airshipTravel;
float busPositions[kBusCount];
float busRowPositions[kBusRowCount][kBusCount];
float precipitationFall;
bool precipitationWrapped;
float beamOpacity;
SeatPosition downSeat, upSeat;

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

bool lowerPrecipitationFall(bool snow) {
    float drop = 0;
    if (!snow)
        drop = 0.6f;
    else if (gameSpeed == 1)
        drop = 0.025f;
    else if (gameSpeed == 2)
        drop = 0.05f;
    else if (gameSpeed == 3)
        drop = 0.1f;
    precipitationFall -= drop;
    const float wrap = snow ? 50.0f : 55.0f;
    if (precipitationFall <= -wrap) {
        precipitationFall = 0;
        return true;
    }
    return false;
}

void moveChairliftSeats() {
    moveDownSeat(downSeat);
    moveUpSeat(upSeat);
}

void advanceAirship() {
    airshipTravel += 0.2f;
}

void driveBusRow() {
    // A bus exactly at the end of the road stays there this step; the next restarts it.
    for (float& p : busPositions) {
        p += kBusStep;
        if (p > kRouteLength) p = 0;
    }
}

void driveBuses() {
    for (auto& row : busRowPositions) {
        driveBusRow();
        std::memcpy(row, busPositions, sizeof row);
    }
}

bool snowFalls() {
    return precipitation == 2 && season == 0;
}

bool rainFalls() {
    return precipitation == 3;
}

bool chairliftShown() {
    return detailLevel == 3 && hillNumber == 1;
}

bool townShown() {
    return detailLevel == 4 && (hillNumber == 1 || hillNumber == 2);
}

bool floodlightsShown() {
    return detailLevel == 3 || detailLevel == 4;
}

void resetVenueAnimation() {
    airshipTravel = 0;
    std::memcpy(busPositions, kBusStart, sizeof busPositions);
    for (auto& row : busRowPositions)
        std::memcpy(row, busPositions, sizeof row);
    downSeat = kDownSeatStart;
    upSeat = kUpSeatStart;
    precipitationFall = 0;
    precipitationWrapped = false;
    beamOpacity = 0.9f;
}

const StateFields& venueAnimationFields() {
    static_assert(sizeof(SeatPosition) == 3 * sizeof(float) && sizeof(bool) == 1,
                  "seats are saved as three floats, the wrap flag as a byte");
    static const StateField fields[] = {
        field(airshipTravel),
        field(busPositions),
        {&busRowPositions[0][0], FieldKind::Float, kBusRowCount * kBusCount},
        {&downSeat, FieldKind::Float, 3},
        {&upSeat, FieldKind::Float, 3},
        field(precipitationFall),
        {&precipitationWrapped, FieldKind::Flag, 1},
        field(beamOpacity)};
    static const StateFields group{fields, sizeof fields / sizeof fields[0]};
    return group;
}
