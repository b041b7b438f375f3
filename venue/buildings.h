// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Faces of the unit box (x 0..1, y 0..1, z -1..0) drawn one by one, so each can carry
// its own texture; buildings and buses are put together from them.
#pragma once

// Right (x = 1) and left (x = 0) walls.
void sideFaces();
// The wall at z = -1.
void backFace();
// Top at y = 1 without texture coordinates: it shows the last texel given.
void flatRoof();
// Top at y = 1 with the whole texture on it.
void texturedRoof();
// Cut-out upper walls from y 1 to 2 above the side walls (blended, alpha-tested).
void gableEnds();
// Two slopes meeting in a ridge at y 2 over the middle of the box.
void pitchedRoof();

// What texturedRoof leaves current: its normal and last texture coordinate.
void roofLeftovers();
