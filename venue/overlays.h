// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Camera-fixed layers: wind sign and display panels, start light, snow and rain.
#pragma once

void drawStatusPanels();
void drawStartLight();
void drawPrecipitation();
