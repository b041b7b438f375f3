// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/app.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "core/game_folders.h"
#include "core/settings.h"
#include "game/frame.h"
#include "game/game_step.h"
#include "game/input.h"
#include "game/main_loop.h"
#include "game/hints.h"
#include "game/replay.h"
#include "game/scene_setup.h"
#include "game/sound_cues.h"
#include "render/gl.h"
#include "render/quadrics.h"
#include "render/screen_anchor.h"
#include "render/textures.h"
#include "jump/jump_state.h"
#include "score/points.h"
#include "score/records.h"
#include "sound/sound_out.h"

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

bool sceneShown() {
    return startScreenActive != 1 && !windowClosed;
}

void resizeViewport(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    applyScenePerspective(static_cast<double>(width) / static_cast<double>(height));
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
    case MSG_LBUTTONDOWN:
        handleGameLeftClick();
        break;
    case MSG_RBUTTONDOWN:
        handleGameRightClick();
        break;
    case MSG_MOUSEMOVE:
        handleGameMouseMove(msg.x, msg.y);
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

namespace {

// Start-up up to an open window with its viewport; false (having said why) if there is none.
bool openGameWindow() {
    resetToProgramStart();
    removeRecordLeftovers();
    removeReplayLeftovers();
    readHintsChoice();
    readSoundChoice();
    readWindowSize();
    int desktopWidth = 0, desktopHeight = 0;
    platformUsableDesktop(&desktopWidth, &desktopHeight);
    fitWindowSize(desktopWidth, desktopHeight);
    if (!platformCreateWindow("Valmora", windowWidth, windowHeight)) {
        std::fprintf(stderr, "orbel: no game window: %s\n", platformLastError());
        platformShutdown();
        return false;
    }
    int w = 0, h = 0;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    return true;
}

// Without a single picture the game would be a white window: better to say so.
bool texturesThere() {
    if (texturesLoaded() > 0) return true;
    std::fprintf(stderr, "orbel: no textures could be loaded from %s\n", textureFolder().c_str());
    platformShutdown();
    return false;
}

} // namespace

int runGame() {
    startMakingSounds();
    if (!openGameWindow()) return 1;
    setupScene();
    if (!texturesThere()) return 1;

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
        // Sound follows the first frame: the window never waits for a sound system.
        static bool soundOpened = false;
        if (!soundOpened) openSoundDevice();
        soundOpened = true;
    };
    runFrameLoop(loop);
    finishRecording();
    releaseFigureQuadric();
    stopSoundOutput();
    platformShutdown();
    return 0;
}

int runTimeDemo(const char* path) {
    Recording recording;
    std::string why;
    if (!readReplayFile(path, 0, recording, why)) {
        std::fprintf(stderr, "orbel: %s: %s\n", path, why.c_str());
        return 1;
    }
    if (!openGameWindow()) return 1;
    // The scene as the start screen's confirm sets it up, on the file's hill and speed.
    readSceneBatch();
    fitSceneChoices();
    hillNumber = recording.hill;
    gameSpeed = recording.speed;
    prepareSceneState();
    startScreenActive = 0;
    sceneGraphicsPending = true;
    drawFrame(); // sets up the scene's graphics as the first frame after the start screen
    if (!texturesThere()) return 1;
    platformSetVsync(false);

    startReplay(recording);
    int frameCount = 0;
    int32_t distance = 0, points = 0;
    const double start = platformSeconds();
    while (replayRunning()) {
        distance = jumpDistance;
        points = jumpTotal();
        drawFrame();
        ++frameCount;
        // Only the window's own messages: a key must not end the demo early.
        PlatformMessage msg;
        while (platformPollMessage(&msg))
            if (msg.type == MSG_SIZE || msg.type == MSG_CLOSE || msg.type == MSG_QUIT)
                mainWindowProc(msg);
        if (windowClosed) break;
        stepGame(nullptr);
    }
    const double seconds = platformSeconds() - start;
    releaseFigureQuadric();
    platformShutdown();
    if (windowClosed) {
        std::fprintf(stderr, "orbel: the time demo's window was closed\n");
        return 1;
    }
    std::printf("frames=%d seconds=%.3f fps=%.1f distance=%d points=%d\n", frameCount, seconds,
                seconds > 0 ? frameCount / seconds : 0.0, static_cast<int>(distance),
                static_cast<int>(points));
    return 0;
}
