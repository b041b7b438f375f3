#include "jump/controls.h"

#include "core/settings.h"
#include "jump/jump_state.h"

namespace {

bool strictlyInside(float z, const float window[2]) {
    return z > window[0] && z < window[1];
}

} // namespace

void startCommand() {
    if (!(awaitingStart == 1 && startCountdown >= 0)) return;
    atGate = 0;
    runStarted = 1;
    takeoffArmed = 1;
    awaitingStart = 0;
}

void takeoffCommand() {
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
    const HillStart* h = hillStart(hillNumber);
    if (!h || landingArmed != 1 || fallen != 0 || !strictlyInside(jumperZ, h->landingWindow))
        return;
    landingStance = 1;
    fallen = 0;
    awaitingStart = 0;
}

void steerFlight(int x, int y) {
    int32_t previousY = cursorY;
    cursorX = x & 0xFFFF;
    cursorY = y & 0xFFFF;
    leanFlight(cursorY - previousY);
}

void leanFlight(int32_t dy) {
    if (!(inFlight == 1 && extendStep == 0 && landingStance == 0 && jumperY != groundY)) return;
    if (dy > 0) {
        flightLean += leanStepUp;
        leanStepUp = flightLean > 18 ? 0.0f : 4.5f;
    } else if (dy < 0) {
        flightLean -= leanStepDown;
        leanStepDown = flightLean < -5 ? 0.0f : 1.5f;
    }
}

bool confirmResetsJump() {
    return (startCountdown < 0) != (jumperY == groundY);
}
