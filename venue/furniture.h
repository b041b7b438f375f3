// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Start bar, in-run marker cubes, safety net and chairlift.
#pragma once

#include "venue/animation.h"

void drawStartBar(const Settings& s);
void drawInrunMarkers(const Settings& s);
void drawSafetyNet();
void drawChairlift(const VenueAnimation& v);
