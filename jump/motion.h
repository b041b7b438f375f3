// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The jumper's motion along the hill's polylines, his placement and the jump length.
#pragma once
#include <cstdint>

#include "jump/jump_state.h"

struct ProfilePoint {
    float z, y;
};

struct HillMotion {
    ProfilePoint lipPath[7];
    ProfilePoint rollingGround[7];
    ProfilePoint flightGround[7]; // after the in-run points
    float flatBeyondZ;
    float brakeStartZ, brakeRateMax, brakeRateStep;
    float flightSinkBase;
    float shadowStartZ, distanceStartZ, figureLift;
    float segmentPitch[4]; // in-run segments 1..4; NaN leaves the pitch unchanged
};
// nullptr for a hill number outside 1..3.
const HillMotion* hillMotion(int32_t hill);

// The jump's whole step: the start countdown, then the jumper at the gate or off it.
void stepJump(Jump& j, const Course& c);
// One step of the jumper off the gate: motion, landing clamp, pose, and the length.
void stepJumper(Jump& j, const Course& c);
// One step of the jumper waiting at the gate: his pose.
void stepGateFigure(Jump& j, const Course& c);
// Beyond the edge the jumper casts a shadow on the snow.
bool shadowShown(const Jump& j, int32_t hill);
void measureJump(Jump& j, int32_t hill);
