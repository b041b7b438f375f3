// Camera-fixed layers: wind sign and display panels, start light, snow and rain.
#pragma once

extern float precipitationFall;

// One frame's fall of snow (by game speed) or rain; wraps back to 0 at -50 (snow) or -55
// (rain) and then returns true: that frame the field is drawn one wrap higher.
bool lowerPrecipitationFall(bool snow);

void drawStatusPanels();
void drawStartLight();
void drawPrecipitation();
