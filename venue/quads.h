// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Unit squares (0,0)-(1,1) in the plane z = 0, differing only in their texture coordinates.
#pragma once

void unitQuad();
void croppedQuad();
void croppedQuadFlipped();
void croppedQuadMirrored();
void croppedQuadTurned();
