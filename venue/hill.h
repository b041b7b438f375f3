// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The selected jumping hill and the structure that carries its in-run.
#pragma once

#include "core/settings.h"

// A point (z, y) of the in-run profile.
struct ProfileKnot {
    float z, y;
};

// One row across the landing hill: its z, its height (level across the row) and its edges.
struct LandingRow {
    float z, y, leftX, rightX;
};

// A point across the hill at a landing row's z.
struct HillPoint {
    float x, y;
};

// The boundaries of the side terrain on one side of one landing row.
struct SideBoundary {
    HillPoint inner, middle, outer; // outer unused on the last row
};

struct SideBoundaryRow {
    SideBoundary left, right;
};

// Level terrain on the left of the in-run, up to the take-off row.
struct BackStrip {
    bool present;
    float uphillZ;
    HillPoint edges[4];   // from the in-run side outwards; quad i lies between edges i and i + 1
    float innerDownhillZ; // the other two quads reach the take-off row
};

struct FencePoint {
    float x, z;
};

struct HillFence {
    float edgeRepeat[6];       // boards between landing rows 1-2 .. 6-7
    FencePoint rightOutrun[4]; // from the foot of the right edge downhill
    FencePoint leftOutrun[4];  // from the foot of the left edge downhill
    float outrunRepeat[3];
    float acrossRepeat; // last right point to last left point
    float lipRepeat;    // 0: no lip boards
    float rightLipX[2], leftLipX[2];
};

struct BoxPlacement {
    float translate[3];
    float scale[3];
};

struct InrunSupports {
    BoxPlacement baseBlock;
    int pillarCount;
    BoxPlacement pillars[6];
    BoxPlacement platform;
    float colour[3];
};

struct HillGeometry {
    ProfileKnot inrunKnots[5]; // top first; the last one is the take-off edge
    float inrunX[2];           // the track's left and right x
    float lipPlate[4];         // x from, x to, y from, y to
    float railX[2];
    float railColour[3];
    LandingRow landingRows[7];
    int markedStrip;                       // index of the landing strip with the marked texture
    const SideBoundaryRow* sideBoundaries; // one per landing row
    BackStrip backStrip;
    HillFence fence;
    InrunSupports supports;
};

// The fixed geometry of hill 1..3, or nullptr for any other number.
const HillGeometry* hillGeometry(int hill);

void drawHill(const Settings& s);
void drawInrunStructure(const Settings& s);
