// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/pose.h"

#include "jump/style_marks.h"
#include "core/settings.h"
#include "jump/jump_state.h"

namespace {

// Slope pitch: bands of jumperZ, each [from, to) except the last, which starts strictly
// above its bound. slope goes to slopePitch, body to bodyPitch of a fallen jumper.
struct SlopeBand {
    float from, to;
    float slope, body;
};
constexpr float kOpenEnd = 1e30f;

const SlopeBand kSlopeBands[3][7] = {
    {{-0.5f, 2, -40, 30},
     {2, 4.5f, -15, 35},
     {4.5f, 7, 0, 40},
     {7, 12.4f, 10, 35},
     {12.4f, 17.9f, 5, 30},
     {17.9f, 24.9f, -5, 30},
     {24.9f, kOpenEnd, -25, 30}},
    {{-5, 0, -15, 30},
     {0, 5.5f, -10, 35},
     {5.5f, 8, 0, 40},
     {8, 14.4f, 5, 35},
     {14.4f, 20.9f, 0, 30},
     {20.9f, 31.9f, -5, 30},
     {31.9f, kOpenEnd, -25, 30}},
    {{-30, -10, -5, 30},
     {-10, 0, 0, 35},
     {0, 10, 0, 40},
     {10, 20, 5, 35},
     {20, 27, 0, 30},
     {27, 37, 0, 30},
     {37, kOpenEnd, 0, 30}},
};

void applySlopePitch(Jump& j, int hill) {
    for (int b = 0; b < 7; ++b) {
        const SlopeBand& band = kSlopeBands[hill - 1][b];
        bool last = b == 6;
        bool inside =
            last ? j.jumperZ > band.from : (j.jumperZ >= band.from && j.jumperZ < band.to);
        if (!inside) continue;
        j.slopePitch = band.slope;
        if (j.fallen == 1) j.bodyPitch = band.body;
        return;
    }
}

// Five independent tests per hill; a jumper can match more than one of them.
void raiseLandingSink(Jump& j, int hill) {
    float z = j.jumperZ;
    switch (hill) {
    case 1:
        if (z < 2) j.landingSink += 0.001f;
        if (z >= 2 && z < 5) j.landingSink += 0.05f;
        if (z >= 5 && z < 8) j.landingSink += 0.03f;
        if (z >= 8 && z < 14) j.landingSink += 0.02f;
        if (z >= 14) j.landingSink += 0.008f;
        break;
    case 2:
        if (z < 2) j.landingSink += 0.001f;
        if (z >= -5 && z < 5) j.landingSink += 0.05f;
        if (z >= 5 && z < 14) j.landingSink += 0.04f;
        if (z >= 14 && z < 21) j.landingSink += 0.02f;
        if (z >= 21) j.landingSink += 0.008f;
        break;
    case 3:
        if (z < 2) j.landingSink += 0.001f;
        if (z >= -30 && z < 10) j.landingSink += 0.005f;
        if (z >= 10 && z < 20) j.landingSink += 0.009f;
        if (z >= 20 && z < 27) j.landingSink += 0.01f;
        if (z >= 27) j.landingSink -= 0.00004f;
        break;
    default:
        break;
    }
}

void bendAnkle(Jump& j, int hill) {
    float z = j.jumperZ;
    switch (hill) {
    case 1:
        if (z < 10)
            j.anklePitch += 1;
        else if (z < 15)
            j.anklePitch += 0.5f;
        break;
    case 2:
        if (z < 8)
            j.anklePitch += 1;
        else if (z > 21)
            j.anklePitch -= 1.5f;
        break;
    case 3:
        if (z < 8)
            j.anklePitch += 1;
        else if (z > 21)
            j.anklePitch -= 2;
        break;
    default:
        break;
    }
}

} // namespace

void stepFigureState(Jump& j, const Course& c, FigureKind figure) {
    j.armSwing = 0;
    const int hill = c.hill;
    if (!knownHill(hill)) return;

    if (figure == FIGURE_JUMPER && j.jumperY == j.groundY) applySlopePitch(j, hill);

    // Crouch on the in-run; 0 + 5k meets 90 exactly.
    if (j.runStarted == 1) {
        if (j.trunkBend < 90) j.trunkBend += j.crouchStep;
        if (j.trunkBend == 90) j.crouchStep = 0;
    }

    // Extension at the take-off, or when the jumper simply rolls over the edge.
    if (j.takeoffDone == 1 || j.jumperZ > j.inrunProfileZ[4]) {
        if (j.trunkBend > 60) {
            j.trunkBend -= j.extendStep;
            j.kneeBend -= 16;
            j.hipPitch += 18;
            j.leftLegRoll -= 4;
            j.rightLegRoll += 4;
            j.leftSkiYaw -= 8;
            j.rightSkiYaw += 8;
        }
        // A finished extension is what lets the mouse steer the flight.
        if (j.trunkBend == 60) j.extendStep = 0;
    }

    if (j.landingStance == 1) {
        j.landingStanceTaken = 1;
        if (j.trunkBend > 30) {
            awardGoodMarks(j, *c.random);
            j.trunkBend -= 2.5f;
            j.kneeBend += 5;
            j.hipPitch -= 5;
            j.leftLegRoll += 0.5f;
            j.rightLegRoll -= 0.5f;
            j.leftSkiYaw += 5;
            j.rightSkiYaw -= 5;
            raiseLandingSink(j, hill);
            bendAnkle(j, hill);
        }
    }

    if (j.landingStance == 0 && j.jumperY == j.groundY) {
        j.fallen = 1;
        if (j.fallProgress < 110) {
            j.fallProgress += 2.5f;
            j.hipPitch += 2;
            j.anklePitch -= 7;
            j.leftLegRoll -= 1;
            j.rightLegRoll += 1;
            j.leftSkiYaw -= 2.5f;
            j.rightSkiYaw += 2.5f;
            awardFallMarks(j, *c.random);
        }
        // Only the middle hill's jumper flails his arms.
        if (hill == 2) j.armSwing = 0.1f;
        j.landingStance = 0;
    }
}
