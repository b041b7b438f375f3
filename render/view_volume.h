// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The view volume, tested on the CPU: a box wholly outside one of its six sides draws no
// pixel, so whatever lies in it need not be sent to the rasteriser at all.
#pragma once
#include "render/batch.h"

struct ViewVolume {
    double clip[16]; // projection times model-view, column-major
};

// A box in an object's own frame.
struct ViewBox {
    float lo[3], hi[3];
};

// Off, nothing is found outside: everything is drawn (tests compare the two).
extern bool viewCulling;
// Boxes found outside since the program started (tests, profiling).
extern unsigned long viewCulledCount;

// The volume of the current projection and model-view matrices; boxes are then given in
// the frame the model-view matrix stands for now.
ViewVolume currentViewVolume();

// True when the box, placed by `where`, lies wholly outside one side of the volume (with a
// little room to spare, so rounding never hides a box that shows a pixel).
bool outsideView(const ViewVolume& volume, const Transform& where, const ViewBox& box);
