#include "game/app.h"

#include <cctype>

#include "game/environment.h"
#include "game/frame.h"
#include "game/settings.h"
#include "jump/jump_state.h"
#include "render/gl.h"

uint8_t quitRequested = 0;
uint8_t startScreenActive = 1;
uint8_t startButtonSelected = 1;
uint8_t quitButtonSelected = 0;

void loadShellState() {
    quitRequested = 0;
    startScreenActive = 1;
    startButtonSelected = 1;
    quitButtonSelected = 0;
}

void resizeViewport(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(55.0, static_cast<double>(width) / static_cast<double>(height), 6.0, 60000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

namespace {
// toupper is only defined for byte values.
int upperCase(int code) {
    return code >= 0 && code <= 255 ? std::toupper(code) : code;
}
} // namespace

void mainWindowProc(const PlatformMessage& msg) {
    switch (msg.type) {
    case MSG_SIZE:
        if (platformHasContext()) resizeViewport(msg.width, msg.height);
        break;
    case MSG_CLOSE:
        // The window stays; the loop ends when it retrieves the quit message.
        platformReleaseContext();
        platformPostQuit();
        break;
    case MSG_KEYDOWN:
        handleJumpKey(upperCase(msg.key));
        break;
    case MSG_CHAR:
        handleJumpChar(upperCase(msg.key));
        break;
    case MSG_LBUTTONDOWN:
        handleJumpLeftClick();
        break;
    case MSG_RBUTTONDOWN:
        handleJumpRightClick();
        break;
    case MSG_MOUSEMOVE:
        handleJumpMouseMove(msg.x, msg.y);
        break;
    default:
        break;
    }
}

bool mainLoopPass(const PlatformMessage* msg) {
    if (msg && msg->type == MSG_QUIT) {
        if (figureQuadric) gluDeleteQuadric(figureQuadric);
        figureQuadric = nullptr;
        quitRequested = 1;
        return false;
    }
    // After the close the context is gone: such passes draw nothing.
    if (platformHasContext()) drawFrame();
    if (msg) mainWindowProc(*msg);
    return true;
}

int runGame() {
    readWindowSize();
    if (!platformCreateWindow("Valmora", windowWidth, windowHeight)) return 0;
    int w = 0, h = 0;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    quitRequested = 0;
    setupScene();
    while (!quitRequested) {
        PlatformMessage msg;
        bool got = platformPollMessage(&msg);
        if (!mainLoopPass(got ? &msg : nullptr)) break;
        // One simulation step per frame, so frames are paced to 60 per second.
        platformPaceFrame();
    }
    platformShutdown();
    return 0;
}
