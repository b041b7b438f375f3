// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// One jump in progress: position, phase flags, countdown, wind, results and pose. A jumper
// is a value: the player's, a replay's and a computer jumper's are each their own `Jump`.
#pragma once
#include <cstdint>
#include <functional>

#include "core/random.h"

// Every value of a jump, in the order a replay file stores them. S(type, name) is one value,
// A(type, name, count) an array. Everything that saves, restores, hashes or resets a jump
// goes through this one list.
#define JUMP_FIELDS(S, A)                                                                          \
    /* Position and motion. */                                                                     \
    S(float, jumperX) S(float, jumperY) S(float, jumperZ) S(float, groundY) S(float, jumpClock)     \
    S(float, runSpeed) S(float, runAccel) S(float, gravity) S(float, segmentSlope)                \
    S(float, segmentIntercept) A(float, inrunProfileZ, 5) A(float, inrunProfileY, 5)              \
    S(float, brakeOffset) S(float, brakeRate) S(float, takeoffSpeed) S(float, takeoffZ)           \
    S(float, takeoffY) S(float, landingSink) S(float, flightLean) S(float, leanLift)              \
    S(float, leanStepUp) S(float, leanStepDown) S(float, windFactor) S(int32_t, rawRange)         \
    S(int32_t, jumpDistance) S(int32_t, jumpPoints) S(float, inrunPitch)                          \
    /* Phase flags and the start countdown. */                                                    \
    S(uint8_t, atGate) S(uint8_t, awaitingStart) S(int32_t, startCountdown)                       \
    S(uint8_t, runStarted) S(uint8_t, takeoffArmed) S(uint8_t, inFlight) S(uint8_t, takeoffDone)  \
    S(uint8_t, landingArmed) S(uint8_t, landingStance) S(uint8_t, landingStanceTaken)             \
    S(uint8_t, fallen)                                                                            \
    /* Wind. */                                                                                   \
    S(int32_t, windSpeed) S(int32_t, windChange) A(float, windChangeRange, 2)                     \
    A(float, windStartRange, 2) A(float, windStartRangeAlt, 2)                                    \
    /* Pose. */                                                                                   \
    S(float, trunkBend) S(float, kneeBend) S(float, hipPitch) S(float, anklePitch)                \
    S(float, leftLegRoll) S(float, rightLegRoll) S(float, leftSkiYaw) S(float, rightSkiYaw)       \
    S(float, slopePitch) S(float, bodyPitch) S(float, crouchStep) S(float, extendStep)            \
    S(float, fallProgress)                                                                        \
    /* Style marks. */                                                                            \
    A(float, goodMarkRange, 2) A(float, fallMarkRange, 2) A(int32_t, styleMarks, 5)               \
    /* Gate figure, the last cursor position in client pixels, and the arm offset of the */      \
    /* drawing in progress (0 at the start of every pose step). */                                \
    S(float, gateFigureX) S(float, gateFigureY) S(float, gateFigureZ) S(int32_t, cursorX)         \
    S(int32_t, cursorY) S(float, armSwing)

struct Jump {
#define JUMP_DECLARE_SCALAR(type, name) type name{};
#define JUMP_DECLARE_ARRAY(type, name, count) type name[count]{};
    JUMP_FIELDS(JUMP_DECLARE_SCALAR, JUMP_DECLARE_ARRAY)
#undef JUMP_DECLARE_SCALAR
#undef JUMP_DECLARE_ARRAY

    // The values at program start.
    Jump();

    // Calls visit(name, member) for every value in the list's order (arrays as arrays).
    template <class Visit> void eachField(Visit&& visit) {
#define JUMP_VISIT_SCALAR(type, name) visit(#name, name);
#define JUMP_VISIT_ARRAY(type, name, count) visit(#name, name);
        JUMP_FIELDS(JUMP_VISIT_SCALAR, JUMP_VISIT_ARRAY)
#undef JUMP_VISIT_SCALAR
#undef JUMP_VISIT_ARRAY
    }
};

// Every command as the player gives it, whether it acts or not, for the replay: a mouse
// move as its cursor position (x in the low 16 bits, y in the high), a lean as its
// direction (-1, 0, 1), a cursor followed without a lean as its position.
enum class JumpCommand : uint8_t { Start, Takeoff, Landing, Steer, Lean, Cursor };

// What a jump is stepped with besides its own values: the hill, the game speed, the wind
// switch, the random numbers it draws, and who hears its commands (the replay's capture).
struct Course {
    int32_t hill = 0;
    int32_t speed = 0;
    bool altWind = false;
    Random* random = nullptr;
    std::function<void(JumpCommand, int32_t)> commandListener;
};

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

// Truncate-toward-zero(low + r * (high - low) / 32768) with r from the generator.
int32_t drawFromRange(Random& random, const float range[2]);

// The jump back to the gate (the camera's moving values are the caller's).
void resetJump(Jump& j, const Course& c);
void drawStartWind(Jump& j, const Course& c);
void drawWindChange(Jump& j, const Course& c);
void stepStartCountdown(Jump& j);
// Writes the hill's in-run profile and start position (scene set-up).
void applyHillStartValues(Jump& j, int32_t hill);
