// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/motion.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/pose.h"

namespace {

constexpr float kKeep = std::numeric_limits<float>::quiet_NaN();
constexpr float kInrunFriction = 0.014f;
constexpr float kOutrunHeight = -10.8f;

const HillMotion kHills[3] = {
    {{{-0.5f, 1.5f},
      {2, 0.7f},
      {4.5f, 0.3f},
      {7, -0.8f},
      {12.5f, -5.4f},
      {18, -8.8f},
      {25, -10.8f}},
     {{-0.5f, 1}, {2, 0.5f}, {4.5f, 0.3f}, {7, -0.8f}, {12.5f, -5.4f}, {18, -8.8f}, {25, -10.8f}},
     {{-0.5f, 1}, {2, 0.5f}, {4.5f, 0.3f}, {7, -0.8f}, {12.5f, -5.4f}, {18, -8.8f}, {25, -10.8f}},
     25,
     20,
     0.21008f,
     0.002f,
     0.49f,
     0,
     0,
     0.4f,
     {kKeep, -10, -20, -30}},
    {{{-5, 2.8f}, {0, 1.5f}, {5.5f, 0.3f}, {8, -0.8f}, {14.5f, -5.2f}, {21, -8}, {32, -10.8f}},
     {{-5, 2.5f}, {0, 1.5f}, {5.5f, 0.3f}, {8, -0.8f}, {14.5f, -5.2f}, {21, -8}, {32, -10.8f}},
     {{-5, 2.5f}, {0, 1.6f}, {5.5f, 0.3f}, {8, -0.8f}, {14.5f, -5.2f}, {21, -8}, {32, -10.8f}},
     32,
     28,
     0.276f,
     0.004f,
     0.49f,
     -5,
     -5,
     0.4f,
     {kKeep, -10, -20, -30}},
    {{{-30, 4.4f}, {-10, 2}, {0, 0}, {10, -3.5f}, {20, -8}, {27, -10}, {37, -10.8f}},
     {{-30, 3.9f}, {-10, 2}, {0, 0}, {10, -3.5f}, {20, -8}, {27, -10}, {37, -10.8f}},
     {{-30, 3.9f}, {-10, 2}, {0, 0}, {10, -3.5f}, {20, -8}, {27, -10}, {37, -10.8f}},
     37,
     37,
     0.365f,
     0.0035f,
     0.28f,
     -30,
     -30,
     0.45f,
     {-10, -15, -20, -30}},
};

// The line through two points, kept as the segment used last.
float lineAt(ProfilePoint a, ProfilePoint b, float z) {
    segmentSlope = (b.y - a.y) / (b.z - a.z);
    segmentIntercept = a.y - segmentSlope * a.z;
    return segmentSlope * z + segmentIntercept;
}

bool segmentHolds(ProfilePoint a, ProfilePoint b, float z) {
    return z >= a.z && z < b.z;
}

void inrunSegments(const HillMotion& m) {
    for (int k = 0; k < 4; ++k) {
        ProfilePoint a{inrunProfileZ[k], inrunProfileY[k]};
        ProfilePoint b{inrunProfileZ[k + 1], inrunProfileY[k + 1]};
        if (!segmentHolds(a, b, jumperZ)) continue;
        if (k == 0) {
            float dz = b.z - a.z, dy = b.y - a.y;
            float length = std::sqrt(dz * dz + dy * dy);
            float sine = (a.y - b.y) / length;
            float cosine = (a.z - b.z) / length;
            runAccel = -gravity * (sine - kInrunFriction * cosine);
        }
        if (!std::isnan(m.segmentPitch[k])) inrunPitch = m.segmentPitch[k];
        jumperZ = inrunProfileZ[0] + runSpeed * jumpClock;
        jumperY = lineAt(a, b, jumperZ);
    }
}

void lipPathSegments(const HillMotion& m) {
    for (int k = 0; k < 6; ++k) {
        if (!segmentHolds(m.lipPath[k], m.lipPath[k + 1], jumperZ)) continue;
        jumperZ = inrunProfileZ[0] + runSpeed * jumpClock + brakeOffset;
        jumperY = lineAt(m.lipPath[k], m.lipPath[k + 1], jumperZ);
    }
}

void rollingGroundSegments(const HillMotion& m) {
    for (int k = 0; k < 6; ++k)
        if (segmentHolds(m.rollingGround[k], m.rollingGround[k + 1], jumperZ))
            groundY = lineAt(m.rollingGround[k], m.rollingGround[k + 1], jumperZ);
}

// The in-run followed by the landing hill; flat beyond its foot.
void flightGroundAt(const HillMotion& m) {
    ProfilePoint points[12];
    for (int k = 0; k < 5; ++k)
        points[k] = {inrunProfileZ[k], inrunProfileY[k]};
    for (int k = 0; k < 7; ++k)
        points[5 + k] = m.flightGround[k];
    for (int k = 0; k < 11; ++k)
        if (segmentHolds(points[k], points[k + 1], jumperZ))
            groundY = lineAt(points[k], points[k + 1], jumperZ);
    if (jumperZ > m.flatBeyondZ) groundY = kOutrunHeight;
}

void updateWindFactor() {
    switch (hillNumber) {
    case 1:
        windFactor = static_cast<float>(windSpeed) / 55.0f;
        break;
    case 2:
        // Three tests in a row: the divisor depends on the factor left by the last flight.
        if (windFactor == 0) windFactor = static_cast<float>(windSpeed) / 45.0f;
        if (windFactor > 0) windFactor = static_cast<float>(windSpeed) / 35.0f;
        if (windFactor < 0) windFactor = static_cast<float>(windSpeed) / 60.0f;
        break;
    case 3:
        windFactor = static_cast<float>(windSpeed) / 100.0f;
        break;
    default:
        break;
    }
}

void flightStep(const HillMotion& m) {
    leanLift = flightLean / 200.0f;
    updateWindFactor();
    jumperZ = takeoffZ + takeoffSpeed * jumpClock + brakeOffset;
    jumperY = takeoffY + (m.flightSinkBase - windFactor + landingSink - leanLift) * 0.5f * gravity *
                             jumpClock * jumpClock;
    flightGroundAt(m);
}

} // namespace

void stepJumperPose() {
    stepFigureState(FIGURE_JUMPER);
    // The colours are read again for every drawing of the jumper, as the launcher may change them.
    readJumperColours();
}

void stepGateFigure() {
    if (knownHill(hillNumber)) stepJumperPose();
}

bool shadowShown() {
    const HillMotion* m = hillMotion(hillNumber);
    return m && jumperZ > m->shadowStartZ;
}

const HillMotion* hillMotion(int32_t hill) {
    if (!knownHill(hill)) return nullptr;
    return &kHills[hill - 1];
}

namespace {

// Truncated toward zero like a cast, but held inside 32 bits: a flight long enough to pass
// them (with the hidden wind) would otherwise be undefined.
int32_t truncated(double value) {
    if (!(value > INT32_MIN)) return INT32_MIN; // also NaN
    if (value >= 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(value);
}

// The integer product and quotient of the range, in 64 bits so that they cannot overflow.
double scaledRange(int64_t factor, int64_t divisor) {
    return static_cast<double>(static_cast<int64_t>(rawRange) * factor / divisor);
}

} // namespace

void measureJump() {
    rawRange = truncated(std::sqrt(jumperZ * jumperZ + jumperY * jumperY));
    // Integer product and quotient first, then the factor (single-precision 0.93 and 1.8).
    switch (hillNumber) {
    case 1:
        jumpDistance = truncated(scaledRange(90, 15) * static_cast<double>(0.93f));
        break;
    case 2:
        if (jumperZ <= 17)
            jumpDistance = truncated(scaledRange(120, 15) * 0.935);
        else if (jumperZ <= 23)
            jumpDistance = truncated(scaledRange(120, 15) * 0.85);
        break;
    case 3:
        if (jumperZ >= -5)
            jumpDistance = truncated(scaledRange(180, 50) * 1.31 + 120);
        else
            jumpDistance = truncated(scaledRange(-180, 50) * 1.4 + 145);
        break;
    default:
        return;
    }
    jumpPoints = truncated(static_cast<double>(jumpDistance) * static_cast<double>(1.8f));
}

void stepJumper() {
    const HillMotion* m = hillMotion(hillNumber);
    if (!m) return;

    // 1. Braking, on the previous frame's position.
    if (jumperY == groundY) {
        if (jumperZ >= m->brakeStartZ && brakeRate < m->brakeRateMax) brakeRate += m->brakeRateStep;
        if (jumperZ < m->brakeStartZ) brakeRate = 0;
        brakeOffset -= brakeRate;
    }
    // 2. and 3. Clock and in-run speed (frozen past the edge).
    jumpClock += clockStep(gameSpeed);
    if (jumperZ <= inrunProfileZ[4]) runSpeed = runAccel * jumpClock;
    // 4. to 6. In-run, lip path and the rolling ground, each segment on the z left before it.
    inrunSegments(*m);
    lipPathSegments(*m);
    rollingGroundSegments(*m);
    // 7. The flight replaces position and ground.
    if (inFlight == 1) flightStep(*m);
    // 8. Landing clamp.
    if (jumperY <= groundY) jumperY = groundY;

    // 9. The figure's pose, and beyond the edge its shadow's, once each as they are drawn.
    stepJumperPose();
    if (jumperZ > m->shadowStartZ) stepFigureState(FIGURE_SHADOW);

    // 10. The length, while in the air beyond the measuring line.
    if (jumperZ > m->distanceStartZ && jumperY > groundY) measureJump();
}
