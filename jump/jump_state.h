// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The one jump in progress: position, phase flags, countdown, wind, results and pose.
#pragma once
#include <cstdint>

#include "core/saved_state.h"

// Position and motion.
extern float jumperX, jumperY, jumperZ, groundY;
extern float jumpClock, runSpeed, runAccel, gravity;
extern float segmentSlope, segmentIntercept;
extern float inrunProfileZ[5], inrunProfileY[5];
extern float brakeOffset, brakeRate;
extern float takeoffSpeed, takeoffZ, takeoffY;
extern float landingSink, flightLean, leanLift, leanStepUp, leanStepDown;
extern float windFactor;
extern int32_t rawRange, jumpDistance, jumpPoints;
extern float inrunPitch;

// Phase flags and the start countdown.
extern uint8_t atGate, awaitingStart;
extern int32_t startCountdown;
extern uint8_t runStarted, takeoffArmed, inFlight, takeoffDone, landingArmed;
extern uint8_t landingStance, landingStanceTaken, fallen;

// Wind.
extern int32_t windSpeed, windChange;
extern float windChangeRange[2], windStartRange[2], windStartRangeAlt[2];

// Pose.
extern float trunkBend, kneeBend, hipPitch, anklePitch;
extern float leftLegRoll, rightLegRoll, leftSkiYaw, rightSkiYaw;
extern float slopePitch, bodyPitch;
extern float crouchStep, extendStep, fallProgress;

// Style marks.
extern float goodMarkRange[2], fallMarkRange[2];
extern int32_t styleMarks[5];

// Gate figure.
extern float gateFigureX, gateFigureY, gateFigureZ;

// Last cursor position in client pixels.
extern int32_t cursorX, cursorY;

// Per-hill start values.
struct HillStart {
    float startZ, startY;
    float profileZ[5], profileY[5];
    float takeoffWindow[2]; // jumperZ strictly between
    float landingWindow[2];
};
// nullptr for a hill number outside 1..3.
const HillStart* hillStart(int32_t hill);

// Seconds per frame by game speed (0 for an unknown speed).
float clockStep(int32_t speed);

// Truncate-toward-zero(low + r * (high - low) / 32768) with r from the runtime generator.
int32_t drawFromRange(const float range[2]);

// The jump back to the gate (the camera's moving values are the caller's).
void resetJump();
void drawStartWind();
void drawWindChange();
void stepStartCountdown();
// Writes the selected hill's in-run profile and start position (scene set-up).
void applyHillStartValues();

// Every value back to its load value (tests: a fresh "program").
void loadJumpState();

// Every value of the jump, the figure's pose included, for saving and putting back whole.
const StateFields& jumpStateFields();
