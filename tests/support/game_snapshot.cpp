// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/game_snapshot.h"

#include <cstring>
#include <sstream>

#include "score/records.h"
#include "camera/views.h"
#include "game/app.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/pose.h"
#include "venue/animation.h"

namespace {

struct Collector {
    std::vector<unsigned char> bytes;
    std::ostringstream text;
    template <class T> void add(const char* name, const T* values, int count = 1) {
        const auto* p = reinterpret_cast<const unsigned char*>(values);
        bytes.insert(bytes.end(), p, p + sizeof(T) * count);
        text << name << ":";
        for (int i = 0; i < count; ++i)
            text << " " << +values[i];
        text << "\n";
    }
};

#define ADD(c, v) c.add(#v, &(v))
#define ADDN(c, v, n) c.add(#v, v, n)

void collect(Collector& c) {
    // Shell.
    ADD(c, quitRequested);
    ADD(c, startScreenActive);
    ADD(c, startButtonSelected);
    ADD(c, quitButtonSelected);
    // Settings as read.
    ADD(c, hillNumber);
    ADD(c, gameSpeed);
    ADD(c, precipitation);
    ADD(c, hiddenSwitch);
    ADD(c, detailLevel);
    ADD(c, season);
    ADD(c, lightingMode);
    ADD(c, fogMode);
    ADDN(c, suitColor, 3);
    ADDN(c, helmetColor, 3);
    ADDN(c, skiColor, 3);
    // The jump.
    ADD(c, jumperX);
    ADD(c, jumperY);
    ADD(c, jumperZ);
    ADD(c, groundY);
    ADD(c, jumpClock);
    ADD(c, runSpeed);
    ADD(c, runAccel);
    ADD(c, gravity);
    ADD(c, segmentSlope);
    ADD(c, segmentIntercept);
    ADDN(c, inrunProfileZ, 5);
    ADDN(c, inrunProfileY, 5);
    ADD(c, brakeOffset);
    ADD(c, brakeRate);
    ADD(c, takeoffSpeed);
    ADD(c, takeoffZ);
    ADD(c, takeoffY);
    ADD(c, landingSink);
    ADD(c, flightLean);
    ADD(c, leanLift);
    ADD(c, leanStepUp);
    ADD(c, leanStepDown);
    ADD(c, windFactor);
    ADD(c, rawRange);
    ADD(c, jumpDistance);
    ADD(c, jumpPoints);
    ADD(c, inrunPitch);
    ADD(c, atGate);
    ADD(c, awaitingStart);
    ADD(c, startCountdown);
    ADD(c, runStarted);
    ADD(c, takeoffArmed);
    ADD(c, inFlight);
    ADD(c, takeoffDone);
    ADD(c, landingArmed);
    ADD(c, landingStance);
    ADD(c, landingStanceTaken);
    ADD(c, fallen);
    ADD(c, windSpeed);
    ADD(c, windChange);
    ADDN(c, windChangeRange, 2);
    ADDN(c, windStartRange, 2);
    ADDN(c, windStartRangeAlt, 2);
    ADD(c, trunkBend);
    ADD(c, kneeBend);
    ADD(c, hipPitch);
    ADD(c, anklePitch);
    ADD(c, leftLegRoll);
    ADD(c, rightLegRoll);
    ADD(c, leftSkiYaw);
    ADD(c, rightSkiYaw);
    ADD(c, slopePitch);
    ADD(c, bodyPitch);
    ADD(c, crouchStep);
    ADD(c, extendStep);
    ADD(c, fallProgress);
    ADDN(c, goodMarkRange, 2);
    ADDN(c, fallMarkRange, 2);
    ADDN(c, styleMarks, 5);
    ADD(c, gateFigureX);
    ADD(c, gateFigureY);
    ADD(c, gateFigureZ);
    ADD(c, cursorX);
    ADD(c, cursorY);
    ADD(c, recordDistance);
    // Cameras.
    ADDN(c, cameraViewFlags, 8);
    ADD(c, cameraNudge);
    ADD(c, cameraRise);
    ADD(c, trailOffset);
    ADD(c, towerDrop);
    ADD(c, chaseShift);
    ADD(c, freeCamX);
    ADD(c, freeCamY);
    ADD(c, freeCamZ);
    ADD(c, freeCamYaw);
    ADD(c, freeCamPitch);
    ADDN(c, freeCamTarget, 3);
    // The venue's moving parts.
    ADD(c, airshipTravel);
    ADDN(c, busPositions, 11);
    const float seats[6] = {downSeat.x, downSeat.y, downSeat.z, upSeat.x, upSeat.y, upSeat.z};
    ADDN(c, seats, 6);
    ADD(c, precipitationFall);
}

} // namespace

std::vector<unsigned char> snapshotGameState() {
    Collector c;
    collect(c);
    return c.bytes;
}

uint64_t hashGameState() {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char b : snapshotGameState()) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

std::string describeGameState() {
    Collector c;
    collect(c);
    return c.text.str();
}
