// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Camera-fixed layers: wind sign and display panels, start light, snow and rain.
#pragma once

#include "venue/animation.h"

#include "jump/jump_state.h"

void drawStatusPanels(const Jump& j);
void drawStartLight(const Jump& j);
void drawPrecipitation(const VenueAnimation& v, const Settings& s);
