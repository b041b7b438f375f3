// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The town at the foot of hills 1 and 2: houses, flats, roads, buses and street lamps.
#pragma once

#include "venue/animation.h"
#include "render/view_volume.h"

void drawHouse1();
void drawHouse2();
void drawHouse3();
void drawHouse4();
void drawHouse5();
void drawFlats();
void drawRoad();
void drawLongRoad();
void drawBus1();
void drawBus2();
void drawBus3();
// The eleven buses where the last step left them for this row (0..3).
void drawBusRow(const VenueAnimation& v, int row);
void streetLamp();
void drawSlopeLamps();
void drawTownLamps();
// The whole town in its places (houses, flats, roads, lamps, parked buses, bus rows).
// Objects wholly outside the view are not drawn; each such object instead leaves current
// what drawing it would have left (texture, colour, normal, blending...), so the objects
// after it come out the same.
void drawTown(const VenueAnimation& v);

// What each object leaves current, as drawing it would.
void house1Leftovers();
void house2Leftovers();
void house3Leftovers();
void house4Leftovers();
void house5Leftovers();
void flatsLeftovers();
void roadLeftovers();
void longRoadLeftovers();
void busLeftovers();
void streetLampLeftovers();

// Each object's extent in its own frame (before its place in the town): every corner it
// draws lies inside.
extern const ViewBox kHouse1Box, kHouse2Box, kHouse4Box, kHouse5Box, kFlatsBox, kRoadBox,
    kLongRoadBox, kBusBox, kStreetLampBox;
