// The jumper's motion along the hill's polylines, his placement and the jump length.
#pragma once
#include <cstdint>

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

void stepJumper();
void measureJump();
void placeFigure(float x, float y, float z);
void placeShadow(float x, float y, float z);
void drawGateFigure();
