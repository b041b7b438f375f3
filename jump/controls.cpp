// The player's keys, characters and mouse, handled between frames.
#include "camera/views.h"
#include "game/app.h"
#include "game/environment.h"
#include "game/settings.h"
#include "jump/jump_state.h"
#include "platform/platform.h"

namespace {

bool strictlyInside(float z, const float window[2]) {
    return z > window[0] && z < window[1];
}

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

// Steps 2 and 3 shared by the confirm key and Esc.
void startScreenChoice() {
    if (startScreenActive == 1 && startButtonSelected == 1) {
        startScreenActive = 0;
        setupScene();
    }
    if (startScreenActive == 1 && quitButtonSelected == 1) quitRequested = 1;
}

} // namespace

void handleJumpKey(int key) {
    switch (key) {
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        // Exactly one: a run-out countdown at the gate, or a jumper standing after a jump.
        if ((startCountdown < 0) != (jumperY == groundY)) resetJump();
        startScreenChoice();
        break;
    case VK_ESCAPE:
        resetJump();
        startScreenChoice();
        startScreenActive = 1;
        quitButtonSelected = 1;
        startButtonSelected = 0;
        break;
    case VK_SPACE:
        startCommand();
        break;
    case VK_UP:
        quitButtonSelected = 0;
        startButtonSelected = 1;
        break;
    case VK_DOWN:
        quitButtonSelected = 1;
        startButtonSelected = 0;
        break;
    default:
        break;
    }
}

void handleJumpChar(int ch) {
    if (ch == '+') {
        if (cameraNudge < 10) cameraNudge += 1;
    } else if (ch == '-') {
        if (cameraNudge > -10) cameraNudge -= 1;
    } else if (ch >= '1' && ch <= '8') {
        selectCameraView(ch - '0');
    } else if (ch == 'Q') {
        quitRequested = 1;
    }
}

void handleJumpLeftClick() {
    startCommand();
    takeoffCommand();
    if (jumperY == groundY) resetJump();
}

void handleJumpRightClick() {
    landingCommand();
}

void handleJumpMouseMove(int x, int y) {
    int32_t previousY = cursorY;
    cursorX = x & 0xFFFF;
    cursorY = y & 0xFFFF;
    if (!(inFlight == 1 && extendStep == 0 && landingStance == 0 && jumperY != groundY)) return;
    int32_t dy = cursorY - previousY;
    if (dy > 0) {
        flightLean += leanStepUp;
        leanStepUp = flightLean > 18 ? 0.0f : 4.5f;
    } else if (dy < 0) {
        flightLean -= leanStepDown;
        leanStepDown = flightLean < -5 ? 0.0f : 1.5f;
    }
}
