// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/jump_state.h"

#include "core/random.h"
#include "core/settings.h"

// Values at program start come from loadJumpState, which the game calls first.
float jumperX, jumperY, jumperZ, groundY;
float jumpClock, runSpeed, runAccel, gravity;
float segmentSlope, segmentIntercept;
float inrunProfileZ[5], inrunProfileY[5];
float brakeOffset, brakeRate;
float takeoffSpeed, takeoffZ, takeoffY;
float landingSink, flightLean, leanLift, leanStepUp, leanStepDown;
float windFactor;
int32_t rawRange, jumpDistance, jumpPoints;
float inrunPitch;

uint8_t atGate, awaitingStart;
int32_t startCountdown;
uint8_t runStarted, takeoffArmed, inFlight, takeoffDone, landingArmed;
uint8_t landingStance, landingStanceTaken, fallen;

int32_t windSpeed, windChange;
float windChangeRange[2], windStartRange[2], windStartRangeAlt[2];

float trunkBend, kneeBend, hipPitch, anklePitch;
float leftLegRoll, rightLegRoll, leftSkiYaw, rightSkiYaw;
float slopePitch, bodyPitch;
float crouchStep, extendStep, fallProgress;

float goodMarkRange[2], fallMarkRange[2];
int32_t styleMarks[5];

float gateFigureX, gateFigureY, gateFigureZ;
int32_t cursorX, cursorY;

namespace {

const HillStart kHillStarts[3] = {
    {-10.0f, 6.7f, {-10, -5, -3, -1.7f, -0.5f}, {6.5f, 3, 2, 1.65f, 1.5f}, {-7, 0}, {0.5f, 21}},
    {-20.3f, 12.7f, {-20.3f, -12, -9, -7, -5}, {12.5f, 6, 4, 3, 2.8f}, {-15, -4}, {-4, 41}},
    {-70.0f, 19.2f, {-70, -50, -40, -35, -30}, {19, 10, 6.5f, 5, 4.4f}, {-60, -29}, {-25, 41}},
};

// Values shared by the program load and the jump reset.
void setMotionToReset() {
    jumperX = 1.1f;
    jumpClock = 0;
    runSpeed = 0;
    runAccel = 1.0f;
    gravity = -9.81f;
    segmentSlope = -0.65f;
    segmentIntercept = 9.0f;
    brakeOffset = brakeRate = 0;
    takeoffSpeed = takeoffZ = takeoffY = 0;
    landingSink = flightLean = leanLift = 0;
    leanStepUp = 4.5f;
    leanStepDown = 1.5f;
    // The points belong to the distance shown: a jump that never reaches the measuring line
    // must not carry the last one's.
    jumpDistance = jumpPoints = 0;
    inrunPitch = 0;

    atGate = 1;
    awaitingStart = 1;
    startCountdown = 1600;
    runStarted = takeoffArmed = inFlight = takeoffDone = landingArmed = 0;
    landingStance = landingStanceTaken = fallen = 0;

    trunkBend = 0;
    kneeBend = 90;
    hipPitch = -55;
    anklePitch = 0;
    leftLegRoll = rightLegRoll = leftSkiYaw = rightSkiYaw = 0;
    slopePitch = bodyPitch = 0;
    crouchStep = 5;
    extendStep = 5;
    fallProgress = 60;

    goodMarkRange[0] = 18;
    goodMarkRange[1] = 20;
    gateFigureX = 1.1f;
}

void setStartPosition() {
    const HillStart* h = hillStart(hillNumber);
    if (!h) return;
    jumperZ = gateFigureZ = h->startZ;
    jumperY = gateFigureY = h->startY;
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

int32_t drawFromRange(const float range[2]) {
    float r = static_cast<float>(nextRandom());
    return static_cast<int32_t>(range[0] + r * (range[1] - range[0]) / 32768.0f);
}

void loadJumpState() {
    setMotionToReset();
    jumperY = jumperZ = groundY = 0;
    windFactor = 0;
    rawRange = 0;
    for (int i = 0; i < 5; ++i)
        inrunProfileZ[i] = inrunProfileY[i] = 0;
    windSpeed = windChange = 0;
    windChangeRange[0] = -2;
    windChangeRange[1] = 2;
    windStartRange[0] = -5;
    windStartRange[1] = 5;
    windStartRangeAlt[0] = 15;
    windStartRangeAlt[1] = 65;
    fallMarkRange[0] = 5;
    fallMarkRange[1] = 10;
    for (int i = 0; i < 5; ++i)
        styleMarks[i] = 0;
    gateFigureY = gateFigureZ = 0;
    cursorX = cursorY = 0;
}

void applyHillStartValues() {
    const HillStart* h = hillStart(hillNumber);
    if (!h) return;
    for (int i = 0; i < 5; ++i) {
        inrunProfileZ[i] = h->profileZ[i];
        inrunProfileY[i] = h->profileY[i];
    }
    setStartPosition();
    if (hillNumber == 1) jumperX = 1.1f;
}

void drawWindChange() {
    windChange = drawFromRange(windChangeRange);
}

void drawStartWind() {
    windSpeed = drawFromRange(hiddenSwitch == kAltWindCode ? windStartRangeAlt : windStartRange);
}

void resetJump() {
    setMotionToReset();
    fallMarkRange[0] = 9;
    fallMarkRange[1] = 12;
    windStartRange[0] = -7;
    windStartRange[1] = 7;
    setStartPosition();

    drawWindChange();
    windSpeed += windChange;
    // One step back per reset, so a wind beyond a bound drifts back slowly.
    if (windSpeed > 7) windSpeed -= 1;
    if (windSpeed < -6) windSpeed += 1;
}

void stepStartCountdown() {
    startCountdown = static_cast<int32_t>(static_cast<float>(startCountdown) - 7.5f);
}
