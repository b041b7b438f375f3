// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/jump_state.h"

#include "core/random.h"
#include "core/settings.h"

namespace {

const HillStart kHillStarts[3] = {
    {-10.0f, 6.7f, {-10, -5, -3, -1.7f, -0.5f}, {6.5f, 3, 2, 1.65f, 1.5f}, {-7, 0}, {0.5f, 21}},
    {-20.3f, 12.7f, {-20.3f, -12, -9, -7, -5}, {12.5f, 6, 4, 3, 2.8f}, {-15, -4}, {-4, 41}},
    {-70.0f, 19.2f, {-70, -50, -40, -35, -30}, {19, 10, 6.5f, 5, 4.4f}, {-60, -29}, {-25, 41}},
};

// Values shared by the program load and the jump reset.
void setMotionToReset(Jump& j) {
    j.jumperX = 1.1f;
    j.jumpClock = 0;
    j.runSpeed = 0;
    j.runAccel = 1.0f;
    j.gravity = -9.81f;
    j.segmentSlope = -0.65f;
    j.segmentIntercept = 9.0f;
    j.brakeOffset = j.brakeRate = 0;
    j.takeoffSpeed = j.takeoffZ = j.takeoffY = 0;
    j.landingSink = j.flightLean = j.leanLift = 0;
    j.leanStepUp = 4.5f;
    j.leanStepDown = 1.5f;
    // The points belong to the distance shown: a jump that never reaches the measuring line
    // must not carry the last one's.
    j.jumpDistance = j.jumpPoints = 0;
    j.inrunPitch = 0;

    j.atGate = 1;
    j.awaitingStart = 1;
    j.startCountdown = 1600;
    j.runStarted = j.takeoffArmed = j.inFlight = j.takeoffDone = j.landingArmed = 0;
    j.landingStance = j.landingStanceTaken = j.fallen = 0;

    j.trunkBend = 0;
    j.kneeBend = 90;
    j.hipPitch = -55;
    j.anklePitch = 0;
    j.leftLegRoll = j.rightLegRoll = j.leftSkiYaw = j.rightSkiYaw = 0;
    j.slopePitch = j.bodyPitch = 0;
    j.crouchStep = 5;
    j.extendStep = 5;
    j.fallProgress = 60;

    j.goodMarkRange[0] = 18;
    j.goodMarkRange[1] = 20;
    j.gateFigureX = 1.1f;
}

void setStartPosition(Jump& j, int32_t hill) {
    const HillStart* h = hillStart(hill);
    if (!h) return;
    j.jumperZ = j.gateFigureZ = h->startZ;
    j.jumperY = j.gateFigureY = h->startY;
}

} // namespace

const HillStart* hillStart(int32_t hill) {
    if (!knownHill(hill)) return nullptr;
    return &kHillStarts[hill - 1];
}

float clockStep(int32_t speed) {
    switch (speed) {
    case 1:
        return 0.006f;
    case 2:
        return 0.015f;
    case 3:
        return 0.03f;
    default:
        return 0.0f;
    }
}

int32_t drawFromRange(Random& random, const float range[2]) {
    float r = static_cast<float>(random.next());
    return static_cast<int32_t>(range[0] + r * (range[1] - range[0]) / 32768.0f);
}

Jump::Jump() {
    Jump& j = *this;
    setMotionToReset(j);
    j.jumperY = j.jumperZ = j.groundY = 0;
    j.windFactor = 0;
    j.rawRange = 0;
    for (int i = 0; i < 5; ++i)
        j.inrunProfileZ[i] = j.inrunProfileY[i] = 0;
    j.windSpeed = j.windChange = 0;
    j.windChangeRange[0] = -2;
    j.windChangeRange[1] = 2;
    j.windStartRange[0] = -5;
    j.windStartRange[1] = 5;
    j.windStartRangeAlt[0] = 15;
    j.windStartRangeAlt[1] = 65;
    j.fallMarkRange[0] = 5;
    j.fallMarkRange[1] = 10;
    for (int i = 0; i < 5; ++i)
        j.styleMarks[i] = 0;
    j.gateFigureY = j.gateFigureZ = 0;
    j.cursorX = j.cursorY = 0;
}

void applyHillStartValues(Jump& j, int32_t hill) {
    const HillStart* h = hillStart(hill);
    if (!h) return;
    for (int i = 0; i < 5; ++i) {
        j.inrunProfileZ[i] = h->profileZ[i];
        j.inrunProfileY[i] = h->profileY[i];
    }
    setStartPosition(j, hill);
    if (hill == 1) j.jumperX = 1.1f;
}

void drawWindChange(Jump& j, const Course& c) {
    j.windChange = drawFromRange(*c.random, j.windChangeRange);
}

void drawStartWind(Jump& j, const Course& c) {
    j.windSpeed = drawFromRange(*c.random, c.altWind ? j.windStartRangeAlt : j.windStartRange);
}

void resetJump(Jump& j, const Course& c) {
    setMotionToReset(j);
    j.fallMarkRange[0] = 9;
    j.fallMarkRange[1] = 12;
    j.windStartRange[0] = -7;
    j.windStartRange[1] = 7;
    setStartPosition(j, c.hill);

    drawWindChange(j, c);
    j.windSpeed += j.windChange;
    // One step back per reset, so a wind beyond a bound drifts back slowly.
    if (j.windSpeed > 7) j.windSpeed -= 1;
    if (j.windSpeed < -6) j.windSpeed += 1;
}

void stepStartCountdown(Jump& j) {
    j.startCountdown = static_cast<int32_t>(static_cast<float>(j.startCountdown) - 7.5f);
}
