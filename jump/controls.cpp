// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/controls.h"

#include "jump/jump_state.h"

namespace {

bool strictlyInside(float z, const float window[2]) {
    return z > window[0] && z < window[1];
}

void tell(const Course& c, JumpCommand command, int32_t value = 0) {
    if (c.commandListener) c.commandListener(command, value);
}

void lean(Jump& j, int32_t dy) {
    if (!(j.inFlight == 1 && j.extendStep == 0 && j.landingStance == 0 && j.jumperY != j.groundY))
        return;
    if (dy > 0) {
        j.flightLean += j.leanStepUp;
        j.leanStepUp = j.flightLean > 18 ? 0.0f : 4.5f;
    } else if (dy < 0) {
        j.flightLean -= j.leanStepDown;
        j.leanStepDown = j.flightLean < -5 ? 0.0f : 1.5f;
    }
}

} // namespace

bool startAllowed(const Jump& j) {
    return j.awaitingStart == 1 && j.startCountdown >= 0;
}

void giveJumpCommand(Jump& j, const Course& c, JumpCommand command, int32_t value) {
    switch (command) {
    case JumpCommand::Start:
        startCommand(j, c);
        break;
    case JumpCommand::Takeoff:
        takeoffCommand(j, c);
        break;
    case JumpCommand::Landing:
        landingCommand(j, c);
        break;
    case JumpCommand::Steer:
        steerFlight(j, c, value & 0xFFFF, (value >> 16) & 0xFFFF);
        break;
    case JumpCommand::Lean:
        leanFlight(j, c, value);
        break;
    case JumpCommand::Cursor:
        followCursor(j, c, value & 0xFFFF, (value >> 16) & 0xFFFF);
        break;
    }
}

void startCommand(Jump& j, const Course& c) {
    tell(c, JumpCommand::Start);
    if (!startAllowed(j)) return;
    j.atGate = 0;
    j.runStarted = 1;
    j.takeoffArmed = 1;
    j.awaitingStart = 0;
}

void takeoffCommand(Jump& j, const Course& c) {
    tell(c, JumpCommand::Takeoff);
    const HillStart* h = hillStart(c.hill);
    if (!h || j.takeoffArmed != 1 || j.inFlight != 0 ||
        !strictlyInside(j.jumperZ, h->takeoffWindow))
        return;
    j.takeoffDone = 1;
    j.inFlight = 1;
    j.takeoffSpeed = j.runSpeed;
    j.takeoffZ = j.jumperZ;
    j.takeoffY = j.jumperY;
    j.jumpClock = 0;
    j.landingArmed = 1;
    j.awaitingStart = 0;
}

void landingCommand(Jump& j, const Course& c) {
    tell(c, JumpCommand::Landing);
    const HillStart* h = hillStart(c.hill);
    if (!h || j.landingArmed != 1 || j.fallen != 0 || !strictlyInside(j.jumperZ, h->landingWindow))
        return;
    j.landingStance = 1;
    j.fallen = 0;
    j.awaitingStart = 0;
}

namespace {

int32_t packedCursor(const Jump& j) {
    return static_cast<int32_t>(static_cast<uint32_t>(j.cursorX) | static_cast<uint32_t>(j.cursorY)
                                                                       << 16);
}

} // namespace

void steerFlight(Jump& j, const Course& c, int x, int y) {
    const int32_t previousY = j.cursorY;
    j.cursorX = x & 0xFFFF;
    j.cursorY = y & 0xFFFF;
    tell(c, JumpCommand::Steer, packedCursor(j));
    lean(j, j.cursorY - previousY);
}

void followCursor(Jump& j, const Course& c, int x, int y) {
    j.cursorX = x & 0xFFFF;
    j.cursorY = y & 0xFFFF;
    tell(c, JumpCommand::Cursor, packedCursor(j));
}

void leanFlight(Jump& j, const Course& c, int32_t dy) {
    // Only the direction counts.
    tell(c, JumpCommand::Lean, dy > 0 ? 1 : dy < 0 ? -1 : 0);
    lean(j, dy);
}

bool confirmResetsJump(const Jump& j) {
    return (j.startCountdown < 0) != (j.jumperY == j.groundY);
}
