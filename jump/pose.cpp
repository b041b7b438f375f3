// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/pose.h"

#include "jump/style_marks.h"
#include "core/settings.h"
#include "jump/jump_state.h"

float armSwing = 0;

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

void applySlopePitch(int hill) {
    for (int b = 0; b < 7; ++b) {
        const SlopeBand& band = kSlopeBands[hill - 1][b];
        bool last = b == 6;
        bool inside = last ? jumperZ > band.from : (jumperZ >= band.from && jumperZ < band.to);
        if (!inside) continue;
        slopePitch = band.slope;
        if (fallen == 1) bodyPitch = band.body;
        return;
    }
}

// Five independent tests per hill; a jumper can match more than one of them.
void raiseLandingSink(int hill) {
    float z = jumperZ;
    switch (hill) {
    case 1:
        if (z < 2) landingSink += 0.001f;
        if (z >= 2 && z < 5) landingSink += 0.05f;
        if (z >= 5 && z < 8) landingSink += 0.03f;
        if (z >= 8 && z < 14) landingSink += 0.02f;
        if (z >= 14) landingSink += 0.008f;
        break;
    case 2:
        if (z < 2) landingSink += 0.001f;
        if (z >= -5 && z < 5) landingSink += 0.05f;
        if (z >= 5 && z < 14) landingSink += 0.04f;
        if (z >= 14 && z < 21) landingSink += 0.02f;
        if (z >= 21) landingSink += 0.008f;
        break;
    case 3:
        if (z < 2) landingSink += 0.001f;
        if (z >= -30 && z < 10) landingSink += 0.005f;
        if (z >= 10 && z < 20) landingSink += 0.009f;
        if (z >= 20 && z < 27) landingSink += 0.01f;
        if (z >= 27) landingSink -= 0.00004f;
        break;
    default:
        break;
    }
}

void bendAnkle(int hill) {
    float z = jumperZ;
    switch (hill) {
    case 1:
        if (z < 10)
            anklePitch += 1;
        else if (z < 15)
            anklePitch += 0.5f;
        break;
    case 2:
        if (z < 8)
            anklePitch += 1;
        else if (z > 21)
            anklePitch -= 1.5f;
        break;
    case 3:
        if (z < 8)
            anklePitch += 1;
        else if (z > 21)
            anklePitch -= 2;
        break;
    default:
        break;
    }
}

} // namespace

void stepFigureState(FigureKind figure) {
    armSwing = 0;
    const int hill = hillNumber;
    if (!knownHill(hill)) return;

    if (figure == FIGURE_JUMPER && jumperY == groundY) applySlopePitch(hill);

    // Crouch on the in-run; 0 + 5k meets 90 exactly.
    if (runStarted == 1) {
        if (trunkBend < 90) trunkBend += crouchStep;
        if (trunkBend == 90) crouchStep = 0;
    }

    // Extension at the take-off, or when the jumper simply rolls over the edge.
    if (takeoffDone == 1 || jumperZ > inrunProfileZ[4]) {
        if (trunkBend > 60) {
            trunkBend -= extendStep;
            kneeBend -= 16;
            hipPitch += 18;
            leftLegRoll -= 4;
            rightLegRoll += 4;
            leftSkiYaw -= 8;
            rightSkiYaw += 8;
        }
        // A finished extension is what lets the mouse steer the flight.
        if (trunkBend == 60) extendStep = 0;
    }

    if (landingStance == 1) {
        landingStanceTaken = 1;
        if (trunkBend > 30) {
            awardGoodMarks();
            trunkBend -= 2.5f;
            kneeBend += 5;
            hipPitch -= 5;
            leftLegRoll += 0.5f;
            rightLegRoll -= 0.5f;
            leftSkiYaw += 5;
            rightSkiYaw -= 5;
            raiseLandingSink(hill);
            bendAnkle(hill);
        }
    }

    if (landingStance == 0 && jumperY == groundY) {
        fallen = 1;
        if (fallProgress < 110) {
            fallProgress += 2.5f;
            hipPitch += 2;
            anklePitch -= 7;
            leftLegRoll -= 1;
            rightLegRoll += 1;
            leftSkiYaw -= 2.5f;
            rightSkiYaw += 2.5f;
            awardFallMarks();
        }
        // Only the middle hill's jumper flails his arms.
        if (hill == 2) armSwing = 0.1f;
        landingStance = 0;
    }
}
