// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The venue's moving parts: advanced by the game step, only read by the drawing.
#pragma once

#include "core/saved_state.h"

struct SeatPosition {
    float x, y, z;
};

// Grows by 0.2 every scene step and is never reset (the view-6 camera drifts with it).
extern float airshipTravel;
// Shared by all four bus rows; each row is drawn a quarter of the step further on.
constexpr int kBusCount = 11;
constexpr int kBusRowCount = 4;
extern float busPositions[kBusCount];
// Where each row saw the buses in the last step.
extern float busRowPositions[kBusRowCount][kBusCount];
extern SeatPosition downSeat, upSeat;
extern float precipitationFall;
// The last step wrapped the field back up: that step's field is drawn one wrap higher.
extern bool precipitationWrapped;
// Light beams are fainter from the first step that shows the floodlight masts on.
extern float beamOpacity;

// One step's fall of snow (by game speed) or rain; wraps back to 0 at -50 (snow) or -55
// (rain) and then returns true.
bool lowerPrecipitationFall(bool snow);
void moveChairliftSeats();
void advanceAirship();
// One step of one row: every bus on by 1/8, from the end of the road back to its start.
void driveBusRow();
// All four rows, remembering where each row saw the buses.
void driveBuses();

// Which moving parts the settings show, and so move.
bool snowFalls();
bool rainFalls();
bool chairliftShown();
bool townShown();
bool floodlightsShown();

// Every moving part back to where it stands at program start.
void resetVenueAnimation();

// Every moving part's place, for saving and putting back whole.
const StateFields& venueAnimationFields();
