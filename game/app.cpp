#include "game/app.h"

#include <cctype>
#include <cstdio>

#include "core/game_folders.h"
#include "core/settings.h"
#include "game/frame.h"
#include "game/game_step.h"
#include "game/input.h"
#include "game/main_loop.h"
#include "game/hints.h"
#include "game/pause.h"
#include "game/scene_setup.h"
#include "render/gl.h"
#include "render/quadrics.h"
#include "render/textures.h"
#include "score/records.h"

// Values at program start come from loadShellState.
uint8_t quitRequested;
uint8_t startScreenActive;
uint8_t startButtonSelected;
uint8_t quitButtonSelected;
bool windowClosed;

void loadShellState() {
    quitRequested = 0;
    startScreenActive = 1;
    startButtonSelected = 1;
    quitButtonSelected = 0;
    windowClosed = false;
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

void releaseFigureQuadric() {
    if (figureQuadric) gluDeleteQuadric(figureQuadric);
    figureQuadric = nullptr;
}
} // namespace

void mainWindowProc(const PlatformMessage& msg) {
    switch (msg.type) {
    case MSG_SIZE:
        if (platformHasContext()) resizeViewport(msg.width, msg.height);
        break;
    case MSG_CLOSE:
        // The window stays; the loop ends when it retrieves the quit message.
        windowClosed = true;
        platformReleaseContext();
        platformPostQuit();
        break;
    case MSG_KEYDOWN:
        // F11's code is a byte value too: it is no letter to upper-case.
        handleGameKey(msg.key == VK_F1 || msg.key == VK_F11 ? msg.key : upperCase(msg.key));
        break;
    case MSG_CHAR:
        handleGameChar(upperCase(msg.key));
        break;
    // While paused or helped the mouse does nothing.
    case MSG_LBUTTONDOWN:
        if (!gamePaused && !helpShown) handleJumpLeftClick();
        break;
    case MSG_RBUTTONDOWN:
        if (!gamePaused && !helpShown) handleJumpRightClick();
        break;
    case MSG_MOUSEMOVE:
        if (!gamePaused && !helpShown) handleJumpMouseMove(msg.x, msg.y);
        break;
    case MSG_PADBUTTON:
        handlePadButton(msg.key);
        break;
    default:
        break;
    }
}

bool mainLoopPass(const PlatformMessage* msg) {
    if (!stepGame(msg)) {
        releaseFigureQuadric();
        return false;
    }
    // After the close the context is gone: nothing more is drawn.
    if (platformHasContext()) drawFrame();
    return true;
}

int runGame() {
    resetToProgramStart();
    removeRecordLeftovers();
    readHintsChoice();
    readWindowSize();
    int desktopWidth = 0, desktopHeight = 0;
    platformUsableDesktop(&desktopWidth, &desktopHeight);
    fitWindowSize(desktopWidth, desktopHeight);
    if (!platformCreateWindow("Valmora", windowWidth, windowHeight)) {
        std::fprintf(stderr, "orbel: no game window: %s\n", platformLastError());
        platformShutdown();
        return 1;
    }
    int w = 0, h = 0;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    setupScene();
    // Without a single picture the game would be a white window: better to say so.
    if (texturesLoaded() == 0) {
        std::fprintf(stderr, "orbel: no textures could be loaded from %s\n",
                     textureFolder().c_str());
        platformShutdown();
        return 1;
    }

    FrameLoop loop;
    loop.now = platformSeconds;
    loop.sleepUntil = platformSleepUntil;
    loop.step = [] {
        PlatformMessage msg;
        const bool got = platformPollMessage(&msg);
        return stepGame(got ? &msg : nullptr) && !quitRequested;
    };
    loop.draw = [] {
        if (platformHasContext()) drawFrame();
    };
    runFrameLoop(loop);
    releaseFigureQuadric();
    platformShutdown();
    return 0;
}
