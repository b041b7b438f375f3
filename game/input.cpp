// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/input.h"

#include "camera/views.h"
#include "game/app.h"
#include "game/hints.h"
#include "game/pause.h"
#include "game/replay.h"
#include "game/scene_setup.h"
#include "game/sound_cues.h"
#include "jump/controls.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "platform/platform.h"
#include "venue/animation.h"

namespace {

float stickCarry = 0;

bool cameraChar(int ch) {
    return ch == '+' || ch == '-' || (ch >= '1' && ch <= '8');
}

// Steps 2 and 3 shared by the confirm key and Esc. The new scene's graphics follow in the
// next frame.
void startScreenChoice() {
    if (startScreenActive == 1 && startButtonSelected == 1) {
        startScreenActive = 0;
        setupSceneState();
        sceneGraphicsPending = true;
    }
    if (startScreenActive == 1 && quitButtonSelected == 1) quitRequested = 1;
}

// A replay takes the confirm keys and Esc as its end, Space as slow motion, and nothing
// else of the jump's keys.
void handleReplayKey(int key) {
    switch (key) {
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_ESCAPE:
        endReplay();
        break;
    case VK_SPACE:
        toggleReplaySlow();
        break;
    default:
        break;
    }
}

} // namespace

void resetJumpAndCamera() {
    resetJump();
    resetCameraAnimation();
}

void handleJumpKey(int key) {
    switch (key) {
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        if (confirmResetsJump()) resetJumpAndCamera();
        startScreenChoice();
        break;
    case VK_ESCAPE:
        resetJumpAndCamera();
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
    // A click on the in-run before the take-off window is refused: say so.
    const HillStart* h = hillStart(hillNumber);
    const bool early = h && takeoffArmed == 1 && inFlight == 0 && jumperZ <= h->takeoffWindow[0];
    startCommand();
    takeoffCommand();
    if (jumperY == groundY) resetJumpAndCamera();
    if (early) hintEarlyClick();
}

void handleJumpRightClick() {
    landingCommand();
}

void handleJumpMouseMove(int x, int y) {
    steerFlight(x, y);
}

void handleGameKey(int key) {
    if (key == VK_F11) {
        platformToggleFullscreen();
        return;
    }
    // The help panel stands over everything: F1 or Esc close it, nothing else acts.
    if (key == VK_F1 || (helpShown && key == VK_ESCAPE)) {
        toggleHelp();
        return;
    }
    if (helpShown) return;
    if (gamePaused) {
        if (key != VK_ESCAPE) return;
        gamePaused = false; // Esc resumes, then acts as usual
    }
    if (replayRunning())
        handleReplayKey(key);
    else
        handleJumpKey(key);
}

void handleGameChar(int ch) {
    // The sound keys act everywhere: over the help panel, paused, in a replay.
    if (ch == 'M') {
        toggleSoundMute();
        return;
    }
    if (ch == '9' || ch == '0') {
        changeSoundVolume(ch == '9' ? -1 : 1);
        return;
    }
    if (helpShown && ch != 'Q') return;
    if (ch == 'H') {
        toggleHints();
        return;
    }
    if (ch == 'P') {
        togglePause();
        return;
    }
    if (gamePaused && !cameraChar(ch) && ch != 'Q') return;
    if (replayRunning()) {
        if (ch == 'R') {
            endReplay();
            return;
        }
        if (!cameraChar(ch) && ch != 'Q') return;
    } else if (ch == 'R' || ch == 'T') {
        if (ch == 'R')
            replayLastJump();
        else
            replayRecordJump();
        return;
    }
    handleJumpChar(ch);
    // The paused picture shows the chosen view at once, with nothing moving on.
    if (gamePaused && cameraChar(ch)) placeCameraStill(airshipTravel);
}

void handleGameLeftClick() {
    if (gamePaused || helpShown) return;
    if (replayRunning())
        endReplay();
    else
        handleJumpLeftClick();
}

void handleGameRightClick() {
    if (!gamePaused && !helpShown && !replayRunning()) handleJumpRightClick();
}

void handleGameMouseMove(int x, int y) {
    if (replayRunning())
        followLiveCursor(x, y);
    else if (gamePaused || helpShown)
        followCursor(x, y);
    else
        handleJumpMouseMove(x, y);
}

void handlePadButton(int button) {
    switch (button) {
    case PAD_A:
        // The confirm key on the start screen, the left button in the scene.
        if (startScreenActive == 1)
            handleGameKey(VK_RETURN);
        else
            handleGameLeftClick();
        break;
    case PAD_B:
    case PAD_RIGHT_TRIGGER:
        handleGameRightClick();
        break;
    case PAD_DPAD_UP:
        handleGameKey(VK_UP);
        break;
    case PAD_DPAD_DOWN:
        handleGameKey(VK_DOWN);
        break;
    case PAD_BACK:
        handleGameKey(VK_ESCAPE);
        break;
    case PAD_LEFT_SHOULDER:
    case PAD_RIGHT_SHOULDER: {
        const int step = button == PAD_RIGHT_SHOULDER ? 1 : 7;
        handleGameChar('1' + (selectedCameraView() + step) % 8);
        break;
    }
    case PAD_START:
        handleGameChar('P');
        break;
    default:
        break;
    }
}

void leanWithStick(float stickY) {
    if (stickY == 0) {
        stickCarry = 0;
        return;
    }
    stickCarry += stickY;
    // Up on the stick is the mouse moving up; one lean step per whole step of push.
    while (stickCarry >= 1) {
        leanFlight(1);
        stickCarry -= 1;
    }
    while (stickCarry <= -1) {
        leanFlight(-1);
        stickCarry += 1;
    }
}

void resetStickLean() {
    stickCarry = 0;
}

CameraKeys heldCameraKeys() {
    CameraKeys keys;
    keys.left = platformKeyHeld(VK_LEFT);
    keys.right = platformKeyHeld(VK_RIGHT);
    keys.forward = platformKeyHeld(VK_UP);
    keys.back = platformKeyHeld(VK_DOWN);
    keys.pitchUp = platformKeyHeld('Z');
    keys.pitchDown = platformKeyHeld('A');
    return keys;
}
