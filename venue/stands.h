// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Spectator stands, seating blocks, floodlight masts and their light beams.
#pragma once
#include "core/settings.h"
#include "render/view_volume.h"

// 0.9 until the first floodlight mast is drawn, 0.8 afterwards; street lamps share it.

void crowdRow();
void crowdStand();
void drawStands(const Settings& s);
void seatingBlock();
void drawSeatingBlocks(const Settings& s);

// The kinds the stands and seating are placed as, their extents in their own frames, and
// what each leaves current (for one wholly outside the view, which is not drawn).
void scaledBlock();
void bigCube();
extern const ViewBox kCrowdStandBox, kScaledBlockBox, kBigCubeBox;
void crowdStandLeftovers();
void scaledBlockLeftovers();
void bigCubeLeftovers();
void floodlightMast(const Settings& s);
// The light beams of this frame are drawn with this opacity.
void showBeamOpacity(float opacity);
void lightBeam();
// What a light beam leaves current (texture, blending, colour), for one that is not drawn.
void lightBeamLeftovers();
