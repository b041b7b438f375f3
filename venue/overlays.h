// Camera-fixed layers: wind sign and display panels, start light, snow and rain.
#pragma once

void drawStatusPanels();
void drawStartLight();
void drawPrecipitation();
