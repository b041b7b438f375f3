// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The venue's moving parts: advanced by the game step, only read by the drawing.
#pragma once

#include <cstdint>

#include "core/saved_state.h"
#include "core/settings.h"

struct SeatPosition {
    float x, y, z;
};

constexpr int kBusCount = 11;
constexpr int kBusRowCount = 4;
// Seats are saved as three floats.
inline StateField field(SeatPosition& seat) {
    return {&seat, FieldKind::Float, 3};
}

struct VenueAnimation {
    // Grows by 0.2 every scene step and is never reset (the view-6 camera drifts with it).
    float airshipTravel = 0;
    // Shared by all four bus rows; each row is drawn a quarter of the step further on.
    float busPositions[kBusCount] = {};
    // Where each row saw the buses in the last step.
    float busRowPositions[kBusRowCount][kBusCount] = {};
    SeatPosition downSeat{}, upSeat{};
    float precipitationFall = 0;
    // The last step wrapped the field back up: that step's field is drawn one wrap higher.
    bool precipitationWrapped = false;
    // Light beams are fainter from the first step that shows the floodlight masts on.
    float beamOpacity = 0;

    // Where everything stands at program start.
    VenueAnimation();
    template <class Visit> void eachField(Visit&& visit) {
        visit("airshipTravel", airshipTravel);
        visit("busPositions", busPositions);
        visit("busRowPositions", busRowPositions);
        visit("downSeat", downSeat);
        visit("upSeat", upSeat);
        visit("precipitationFall", precipitationFall);
        visit("precipitationWrapped", precipitationWrapped);
        visit("beamOpacity", beamOpacity);
    }
};

// One step's fall of snow (by game speed) or rain; wraps back to 0 at -50 (snow) or -55
// (rain) and then returns true.
bool lowerPrecipitationFall(VenueAnimation& v, bool snow, int32_t speed);
void moveChairliftSeats(VenueAnimation& v);
void advanceAirship(VenueAnimation& v);
// One step of one row: every bus on by 1/8, from the end of the road back to its start.
void driveBusRow(VenueAnimation& v);
// All four rows, remembering where each row saw the buses.
void driveBuses(VenueAnimation& v);

// Which moving parts the settings show, and so move.
bool snowFalls(const Settings& s);
bool rainFalls(const Settings& s);
bool chairliftShown(const Settings& s);
bool townShown(const Settings& s);
bool floodlightsShown(const Settings& s);
