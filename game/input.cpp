#include "game/input.h"

#include "camera/views.h"
#include "game/app.h"
#include "game/scene_setup.h"
#include "jump/controls.h"
#include "jump/jump_state.h"
#include "platform/platform.h"

namespace {

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
    startCommand();
    takeoffCommand();
    if (jumperY == groundY) resetJumpAndCamera();
}

void handleJumpRightClick() {
    landingCommand();
}

void handleJumpMouseMove(int x, int y) {
    steerFlight(x, y);
}
