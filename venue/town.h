// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The town at the foot of hills 1 and 2: houses, flats, roads, buses and street lamps.
#pragma once

#include "venue/animation.h"
#include "render/view_volume.h"

void drawHouse1(const Settings& s);
void drawHouse2(const Settings& s);
void drawHouse3(const Settings& s);
void drawHouse4(const Settings& s);
void drawHouse5(const Settings& s);
void drawFlats(const Settings& s);
void drawRoad(const Settings& s);
void drawLongRoad(const Settings& s);
void drawBus1(const Settings& s);
void drawBus2(const Settings& s);
void drawBus3(const Settings& s);
// The eleven buses where the last step left them for this row (0..3).
void drawBusRow(const VenueAnimation& v, int row, const Settings& s);
void streetLamp(const Settings& s);
void drawSlopeLamps(const Settings& s);
void drawTownLamps(const Settings& s);
// The whole town in its places (houses, flats, roads, lamps, parked buses, bus rows).
// Objects wholly outside the view are not drawn; each such object instead leaves current
// what drawing it would have left (texture, colour, normal, blending...), so the objects
// after it come out the same.
void drawTown(const VenueAnimation& v, const Settings& s);

// What each object leaves current, as drawing it would.
void house1Leftovers(const Settings& s);
void house2Leftovers(const Settings& s);
void house3Leftovers(const Settings& s);
void house4Leftovers(const Settings& s);
void house5Leftovers(const Settings& s);
void flatsLeftovers(const Settings& s);
void roadLeftovers(const Settings& s);
void longRoadLeftovers(const Settings& s);
void busLeftovers(const Settings& s);
void streetLampLeftovers(const Settings& s);

// Each object's extent in its own frame (before its place in the town): every corner it
// draws lies inside.
extern const ViewBox kHouse1Box, kHouse2Box, kHouse4Box, kHouse5Box, kFlatsBox, kRoadBox,
    kLongRoadBox, kBusBox, kStreetLampBox;
