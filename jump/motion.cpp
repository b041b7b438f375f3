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
float lineAt(Jump& j, ProfilePoint a, ProfilePoint b, float z) {
    j.segmentSlope = (b.y - a.y) / (b.z - a.z);
    j.segmentIntercept = a.y - j.segmentSlope * a.z;
    return j.segmentSlope * z + j.segmentIntercept;
}

bool segmentHolds(ProfilePoint a, ProfilePoint b, float z) {
    return z >= a.z && z < b.z;
}

void inrunSegments(Jump& j, const HillMotion& m) {
    for (int k = 0; k < 4; ++k) {
        ProfilePoint a{j.inrunProfileZ[k], j.inrunProfileY[k]};
        ProfilePoint b{j.inrunProfileZ[k + 1], j.inrunProfileY[k + 1]};
        if (!segmentHolds(a, b, j.jumperZ)) continue;
        if (k == 0) {
            float dz = b.z - a.z, dy = b.y - a.y;
            float length = std::sqrt(dz * dz + dy * dy);
            float sine = (a.y - b.y) / length;
            float cosine = (a.z - b.z) / length;
            j.runAccel = -j.gravity * (sine - kInrunFriction * cosine);
        }
        if (!std::isnan(m.segmentPitch[k])) j.inrunPitch = m.segmentPitch[k];
        j.jumperZ = j.inrunProfileZ[0] + j.runSpeed * j.jumpClock;
        j.jumperY = lineAt(j, a, b, j.jumperZ);
    }
}

void lipPathSegments(Jump& j, const HillMotion& m) {
    for (int k = 0; k < 6; ++k) {
        if (!segmentHolds(m.lipPath[k], m.lipPath[k + 1], j.jumperZ)) continue;
        j.jumperZ = j.inrunProfileZ[0] + j.runSpeed * j.jumpClock + j.brakeOffset;
        j.jumperY = lineAt(j, m.lipPath[k], m.lipPath[k + 1], j.jumperZ);
    }
}

void rollingGroundSegments(Jump& j, const HillMotion& m) {
    for (int k = 0; k < 6; ++k)
        if (segmentHolds(m.rollingGround[k], m.rollingGround[k + 1], j.jumperZ))
            j.groundY = lineAt(j, m.rollingGround[k], m.rollingGround[k + 1], j.jumperZ);
}

// The in-run followed by the landing hill; flat beyond its foot.
void flightGroundAt(Jump& j, const HillMotion& m) {
    ProfilePoint points[12];
    for (int k = 0; k < 5; ++k)
        points[k] = {j.inrunProfileZ[k], j.inrunProfileY[k]};
    for (int k = 0; k < 7; ++k)
        points[5 + k] = m.flightGround[k];
    for (int k = 0; k < 11; ++k)
        if (segmentHolds(points[k], points[k + 1], j.jumperZ))
            j.groundY = lineAt(j, points[k], points[k + 1], j.jumperZ);
    if (j.jumperZ > m.flatBeyondZ) j.groundY = kOutrunHeight;
}

void updateWindFactor(Jump& j, int32_t hill) {
    switch (hill) {
    case 1:
        j.windFactor = static_cast<float>(j.windSpeed) / 55.0f;
        break;
    case 2:
        // Three tests in a row: the divisor depends on the factor left by the last flight.
        if (j.windFactor == 0) j.windFactor = static_cast<float>(j.windSpeed) / 45.0f;
        if (j.windFactor > 0) j.windFactor = static_cast<float>(j.windSpeed) / 35.0f;
        if (j.windFactor < 0) j.windFactor = static_cast<float>(j.windSpeed) / 60.0f;
        break;
    case 3:
        j.windFactor = static_cast<float>(j.windSpeed) / 100.0f;
        break;
    default:
        break;
    }
}

void flightStep(Jump& j, const HillMotion& m, int32_t hill) {
    j.leanLift = j.flightLean / 200.0f;
    updateWindFactor(j, hill);
    j.jumperZ = j.takeoffZ + j.takeoffSpeed * j.jumpClock + j.brakeOffset;
    j.jumperY = j.takeoffY + (m.flightSinkBase - j.windFactor + j.landingSink - j.leanLift) * 0.5f *
                                 j.gravity * j.jumpClock * j.jumpClock;
    flightGroundAt(j, m);
}

} // namespace

void stepJump(Jump& j, const Course& c) {
    if (j.awaitingStart == 1) stepStartCountdown(j);
    if (j.atGate == 1)
        stepGateFigure(j, c);
    else
        stepJumper(j, c);
}

void stepGateFigure(Jump& j, const Course& c) {
    if (knownHill(c.hill)) stepFigureState(j, c, FIGURE_JUMPER);
}

bool shadowShown(const Jump& j, int32_t hill) {
    const HillMotion* m = hillMotion(hill);
    return m && j.jumperZ > m->shadowStartZ;
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
double scaledRange(const Jump& j, int64_t factor, int64_t divisor) {
    return static_cast<double>(static_cast<int64_t>(j.rawRange) * factor / divisor);
}

} // namespace

void measureJump(Jump& j, int32_t hill) {
    j.rawRange = truncated(std::sqrt(j.jumperZ * j.jumperZ + j.jumperY * j.jumperY));
    // Integer product and quotient first, then the factor (single-precision 0.93 and 1.8).
    switch (hill) {
    case 1:
        j.jumpDistance = truncated(scaledRange(j, 90, 15) * static_cast<double>(0.93f));
        break;
    case 2:
        if (j.jumperZ <= 17)
            j.jumpDistance = truncated(scaledRange(j, 120, 15) * 0.935);
        else if (j.jumperZ <= 23)
            j.jumpDistance = truncated(scaledRange(j, 120, 15) * 0.85);
        break;
    case 3:
        if (j.jumperZ >= -5)
            j.jumpDistance = truncated(scaledRange(j, 180, 50) * 1.31 + 120);
        else
            j.jumpDistance = truncated(scaledRange(j, -180, 50) * 1.4 + 145);
        break;
    default:
        return;
    }
    j.jumpPoints = truncated(static_cast<double>(j.jumpDistance) * static_cast<double>(1.8f));
}

void stepJumper(Jump& j, const Course& c) {
    const HillMotion* m = hillMotion(c.hill);
    if (!m) return;

    // 1. Braking, on the previous frame's position.
    if (j.jumperY == j.groundY) {
        if (j.jumperZ >= m->brakeStartZ && j.brakeRate < m->brakeRateMax)
            j.brakeRate += m->brakeRateStep;
        if (j.jumperZ < m->brakeStartZ) j.brakeRate = 0;
        j.brakeOffset -= j.brakeRate;
    }
    // 2. and 3. Clock and in-run speed (frozen past the edge).
    j.jumpClock += clockStep(c.speed);
    if (j.jumperZ <= j.inrunProfileZ[4]) j.runSpeed = j.runAccel * j.jumpClock;
    // 4. to 6. In-run, lip path and the rolling ground, each segment on the z left before it.
    inrunSegments(j, *m);
    lipPathSegments(j, *m);
    rollingGroundSegments(j, *m);
    // 7. The flight replaces position and ground.
    if (j.inFlight == 1) flightStep(j, *m, c.hill);
    // 8. Landing clamp.
    if (j.jumperY <= j.groundY) j.jumperY = j.groundY;

    // 9. The figure's pose, and beyond the edge its shadow's, once each as they are drawn.
    stepFigureState(j, c, FIGURE_JUMPER);
    if (j.jumperZ > m->shadowStartZ) stepFigureState(j, c, FIGURE_SHADOW);

    // 10. The length, while in the air beyond the measuring line.
    if (j.jumperZ > m->distanceStartZ && j.jumperY > j.groundY) measureJump(j, c.hill);
}
