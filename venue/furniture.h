// Start bar, in-run marker cubes, safety net and chairlift.
#pragma once

void drawStartBar();
void drawInrunMarkers();
void drawSafetyNet();
void drawChairlift();
