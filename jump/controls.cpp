// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jump/controls.h"

#include "core/settings.h"
#include "jump/jump_state.h"

namespace {

bool strictlyInside(float z, const float window[2]) {
    return z > window[0] && z < window[1];
}

void tell(JumpCommand command, int32_t value = 0) {
    if (jumpCommandListener) jumpCommandListener(command, value);
}

void lean(int32_t dy) {
    if (!(inFlight == 1 && extendStep == 0 && landingStance == 0 && jumperY != groundY)) return;
    if (dy > 0) {
        flightLean += leanStepUp;
        leanStepUp = flightLean > 18 ? 0.0f : 4.5f;
    } else if (dy < 0) {
        flightLean -= leanStepDown;
        leanStepDown = flightLean < -5 ? 0.0f : 1.5f;
    }
}

} // namespace

void (*jumpCommandListener)(JumpCommand command, int32_t value) = nullptr;

bool startAllowed() {
    return awaitingStart == 1 && startCountdown >= 0;
}

void giveJumpCommand(JumpCommand command, int32_t value) {
    switch (command) {
    case JumpCommand::Start:
        startCommand();
        break;
    case JumpCommand::Takeoff:
        takeoffCommand();
        break;
    case JumpCommand::Landing:
        landingCommand();
        break;
    case JumpCommand::Steer:
        steerFlight(value & 0xFFFF, (value >> 16) & 0xFFFF);
        break;
    case JumpCommand::Lean:
        leanFlight(value);
        break;
    case JumpCommand::Cursor:
        followCursor(value & 0xFFFF, (value >> 16) & 0xFFFF);
        break;
    }
}

void startCommand() {
    tell(JumpCommand::Start);
    if (!startAllowed()) return;
    atGate = 0;
    runStarted = 1;
    takeoffArmed = 1;
    awaitingStart = 0;
}

void takeoffCommand() {
    tell(JumpCommand::Takeoff);
    const HillStart* h = hillStart(hillNumber);
    if (!h || takeoffArmed != 1 || inFlight != 0 || !strictlyInside(jumperZ, h->takeoffWindow))
        return;
    takeoffDone = 1;
    inFlight = 1;
    takeoffSpeed = runSpeed;
    takeoffZ = jumperZ;
    takeoffY = jumperY;
    jumpClock = 0;
    landingArmed = 1;
    awaitingStart = 0;
}

void landingCommand() {
    tell(JumpCommand::Landing);
    const HillStart* h = hillStart(hillNumber);
    if (!h || landingArmed != 1 || fallen != 0 || !strictlyInside(jumperZ, h->landingWindow))
        return;
    landingStance = 1;
    fallen = 0;
    awaitingStart = 0;
}

namespace {

int32_t packedCursor() {
    return static_cast<int32_t>(static_cast<uint32_t>(cursorX) | static_cast<uint32_t>(cursorY)
                                                                     << 16);
}

} // namespace

void steerFlight(int x, int y) {
    const int32_t previousY = cursorY;
    cursorX = x & 0xFFFF;
    cursorY = y & 0xFFFF;
    tell(JumpCommand::Steer, packedCursor());
    lean(cursorY - previousY);
}

void followCursor(int x, int y) {
    cursorX = x & 0xFFFF;
    cursorY = y & 0xFFFF;
    tell(JumpCommand::Cursor, packedCursor());
}

void leanFlight(int32_t dy) {
    // Only the direction counts.
    tell(JumpCommand::Lean, dy > 0 ? 1 : dy < 0 ? -1 : 0);
    lean(dy);
}

bool confirmResetsJump() {
    return (startCountdown < 0) != (jumperY == groundY);
}
