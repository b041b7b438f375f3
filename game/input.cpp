// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/input.h"

#include <cctype>

#include "camera/views.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/hints.h"
#include "game/pause.h"
#include "game/replay.h"
#include "game/scene_setup.h"
#include "game/sound_cues.h"
#include "jump/controls.h"
#include "jump/jump_state.h"

namespace {

// toupper is only defined for byte values.
int upperCase(int code) {
    return code >= 0 && code <= 255 ? std::toupper(code) : code;
}

bool cameraChar(int ch) {
    return ch == '+' || ch == '-' || (ch >= '1' && ch <= '8');
}

// Steps 2 and 3 shared by the confirm key and Esc. The new scene's graphics follow in the
// next frame.
void startScreenChoice(Game& g) {
    Mode& m = g.mode;
    if (m.screen == Screen::Start && !m.quitChosen) {
        m.screen = Screen::Scene;
        setupSceneState(g);
        g.sceneGraphicsPending = true;
    }
    if (m.screen == Screen::Start && m.quitChosen) m.quit = true;
}

// A replay takes the confirm keys and Esc as its end, Space as slow motion, and nothing
// else of the jump's keys.
void handleReplayKey(Game& g, int key) {
    switch (key) {
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_ESCAPE:
        endReplay(g);
        break;
    case VK_SPACE:
        toggleReplaySlow(g);
        break;
    default:
        break;
    }
}

} // namespace

void resetJumpAndCamera(Game& g) {
    resetJump(g.jump, liveCourse(g));
    resetCameraAnimation(g.camera);
}

void handleJumpKey(Game& g, int key) {
    switch (key) {
    case VK_RETURN:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
        if (confirmResetsJump(g.jump)) resetJumpAndCamera(g);
        startScreenChoice(g);
        break;
    case VK_ESCAPE:
        resetJumpAndCamera(g);
        startScreenChoice(g);
        g.mode.screen = Screen::Start;
        g.mode.quitChosen = true;
        break;
    case VK_SPACE:
        startCommand(g.jump, liveCourse(g));
        break;
    case VK_UP:
        g.mode.quitChosen = false;
        break;
    case VK_DOWN:
        g.mode.quitChosen = true;
        break;
    default:
        break;
    }
}

void handleJumpChar(Game& g, int ch) {
    float& nudge = g.camera.cameraNudge;
    if (ch == '+') {
        if (nudge < 10) nudge += 1;
    } else if (ch == '-') {
        if (nudge > -10) nudge -= 1;
    } else if (ch >= '1' && ch <= '8') {
        selectCameraView(g.camera, ch - '0');
    } else if (ch == 'Q') {
        g.mode.quit = true;
    }
}

void handleJumpLeftClick(Game& g) {
    Jump& j = g.jump;
    const Course course = liveCourse(g);
    // A click on the in-run before the take-off window is refused: say so.
    const HillStart* h = hillStart(course.hill);
    const bool early =
        h && j.takeoffArmed == 1 && j.inFlight == 0 && j.jumperZ <= h->takeoffWindow[0];
    startCommand(j, course);
    takeoffCommand(j, course);
    if (j.jumperY == j.groundY) resetJumpAndCamera(g);
    if (early) hintEarlyClick(g);
}

void handleJumpRightClick(Game& g) {
    landingCommand(g.jump, liveCourse(g));
}

void handleJumpMouseMove(Game& g, int x, int y) {
    steerFlight(g.jump, liveCourse(g), x, y);
}

void handleGameKey(Game& g, int key) {
    Mode& m = g.mode;
    // The help panel stands over everything: F1 or Esc close it, nothing else acts.
    if (key == VK_F1 || (m.help && key == VK_ESCAPE)) {
        toggleHelp(g);
        return;
    }
    if (m.help) return;
    if (m.paused) {
        if (key != VK_ESCAPE) return;
        m.paused = false; // Esc resumes, then acts as usual
    }
    if (replayRunning(g))
        handleReplayKey(g, key);
    else
        handleJumpKey(g, key);
}

void handleGameChar(Game& g, int ch) {
    const Mode& m = g.mode;
    // The sound keys act everywhere: over the help panel, paused, in a replay.
    if (ch == 'M') {
        toggleSoundMute(g);
        return;
    }
    if (ch == '9' || ch == '0') {
        changeSoundVolume(g, ch == '9' ? -1 : 1);
        return;
    }
    if (m.help && ch != 'Q') return;
    if (ch == 'H') {
        toggleHints(g);
        return;
    }
    if (ch == 'P') {
        togglePause(g);
        return;
    }
    if (m.paused && !cameraChar(ch) && ch != 'Q') return;
    if (replayRunning(g)) {
        if (ch == 'R') {
            endReplay(g);
            return;
        }
        if (!cameraChar(ch) && ch != 'Q') return;
    } else if (ch == 'R' || ch == 'T') {
        if (ch == 'R')
            replayLastJump(g);
        else
            replayRecordJump(g);
        return;
    }
    handleJumpChar(g, ch);
    // The paused picture shows the chosen view at once, with nothing moving on.
    if (m.paused && cameraChar(ch))
        placeCameraStill(g.camera, g.jump, g.settings, g.venue.airshipTravel);
}

void handleGameLeftClick(Game& g) {
    if (g.mode.paused || g.mode.help) return;
    if (replayRunning(g))
        endReplay(g);
    else
        handleJumpLeftClick(g);
}

void handleGameRightClick(Game& g) {
    if (!g.mode.paused && !g.mode.help && !replayRunning(g)) handleJumpRightClick(g);
}

void handleGameMouseMove(Game& g, int x, int y) {
    if (replayRunning(g))
        followLiveCursor(g, x, y);
    else if (g.mode.paused || g.mode.help)
        followCursor(g.jump, liveCourse(g), x, y);
    else
        handleJumpMouseMove(g, x, y);
}

void handlePadButton(Game& g, int button) {
    switch (button) {
    case PAD_A:
        // The confirm key on the start screen, the left button in the scene.
        if (g.mode.screen == Screen::Start)
            handleGameKey(g, VK_RETURN);
        else
            handleGameLeftClick(g);
        break;
    case PAD_B:
    case PAD_RIGHT_TRIGGER:
        handleGameRightClick(g);
        break;
    case PAD_DPAD_UP:
        handleGameKey(g, VK_UP);
        break;
    case PAD_DPAD_DOWN:
        handleGameKey(g, VK_DOWN);
        break;
    case PAD_BACK:
        handleGameKey(g, VK_ESCAPE);
        break;
    case PAD_LEFT_SHOULDER:
    case PAD_RIGHT_SHOULDER: {
        const int step = button == PAD_RIGHT_SHOULDER ? 1 : 7;
        handleGameChar(g, '1' + (selectedCameraView(g.camera) + step) % 8);
        break;
    }
    case PAD_START:
        handleGameChar(g, 'P');
        break;
    default:
        break;
    }
}

void handleGameMessage(Game& g, const PlatformMessage& msg) {
    switch (msg.type) {
    case MSG_KEYDOWN:
        // F1's code is a byte value too: it is no letter to upper-case.
        handleGameKey(g, msg.key == VK_F1 ? msg.key : upperCase(msg.key));
        break;
    case MSG_CHAR:
        handleGameChar(g, upperCase(msg.key));
        break;
    case MSG_LBUTTONDOWN:
        handleGameLeftClick(g);
        break;
    case MSG_RBUTTONDOWN:
        handleGameRightClick(g);
        break;
    case MSG_MOUSEMOVE:
        handleGameMouseMove(g, msg.x, msg.y);
        break;
    case MSG_PADBUTTON:
        handlePadButton(g, msg.key);
        break;
    default:
        break;
    }
}

void leanWithStick(Game& g, float stickY) {
    float& carry = g.stickCarry;
    if (stickY == 0) {
        carry = 0;
        return;
    }
    carry += stickY;
    const Course course = liveCourse(g);
    // Up on the stick is the mouse moving up; one lean step per whole step of push.
    while (carry >= 1) {
        leanFlight(g.jump, course, 1);
        carry -= 1;
    }
    while (carry <= -1) {
        leanFlight(g.jump, course, -1);
        carry += 1;
    }
}
