// Start bar, in-run marker cubes, safety net and chairlift.
#pragma once

struct SeatPosition {
    float x, y, z;
};
extern SeatPosition downSeat, upSeat;

void drawStartBar();
void drawInrunMarkers();
void drawSafetyNet();
void drawChairlift();
