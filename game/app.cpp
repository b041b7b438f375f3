// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/app.h"

#include <cstdio>
#include <string>

#include "core/game_folders.h"
#include "core/settings.h"
#include "game/frame.h"
#include "game/game.h"
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

void releaseFigureQuadric() {
    if (figureQuadric) gluDeleteQuadric(figureQuadric);
    figureQuadric = nullptr;
}

} // namespace

bool takeWindowMessage(Game& g, const PlatformMessage& msg) {
    switch (msg.type) {
    case MSG_SIZE:
        if (platformHasContext()) resizeViewport(msg.width, msg.height);
        return true;
    case MSG_CLOSE:
        // The window stays; the loop ends when it retrieves the quit message.
        g.mode.windowClosed = true;
        platformReleaseContext();
        platformPostQuit();
        return true;
    case MSG_KEYDOWN:
        if (msg.key != VK_F11) return false;
        platformToggleFullscreen();
        return true;
    default:
        return false;
    }
}

StepInput buildStepInput(const PlatformMessage* msg) {
    StepInput in;
    if (msg) {
        in.hasMessage = true;
        in.message = *msg;
    }
    in.stickY = platformPadStickY();
    static const struct {
        int key;
        uint8_t bit;
    } kCameraKeys[] = {{VK_LEFT, kCameraKeyLeft},  {VK_RIGHT, kCameraKeyRight},
                       {VK_UP, kCameraKeyForward}, {VK_DOWN, kCameraKeyBack},
                       {'Z', kCameraKeyPitchUp},   {'A', kCameraKeyPitchDown}};
    for (const auto& k : kCameraKeys)
        if (platformKeyHeld(k.key)) in.cameraKeys |= k.bit;
    return in;
}

bool loopStep(Game& g, const PlatformMessage* msg) {
    if (msg && takeWindowMessage(g, *msg)) msg = nullptr;
    if (!stepGame(g, buildStepInput(msg))) return false;
    stepSound(g);
    return !g.mode.quit;
}

void loopFrame(Game& g) {
    // After the close the context is gone: nothing more is drawn.
    if (platformHasContext()) drawFrame(g);
}

bool mainLoopPass(Game& g, const PlatformMessage* msg) {
    if (!loopStep(g, msg)) {
        releaseFigureQuadric();
        return false;
    }
    loopFrame(g);
    return true;
}

namespace {

// Start-up up to an open window with its viewport; false (having said why) if there is none.
bool openGameWindow(Game& g) {
    resetToProgramStart(g);
    removeRecordLeftovers();
    removeReplayLeftovers();
    readHintsChoice(g);
    readSoundChoice(g);
    readWindowSize(g.settings);
    int desktopWidth = 0, desktopHeight = 0;
    platformUsableDesktop(&desktopWidth, &desktopHeight);
    fitWindowSize(g.settings, desktopWidth, desktopHeight);
    if (!platformCreateWindow("Valmora", g.settings.windowWidth, g.settings.windowHeight)) {
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
    Game game;
    if (!openGameWindow(game)) return 1;
    setupScene(game);
    if (!texturesThere()) return 1;

    FrameLoop loop;
    loop.now = platformSeconds;
    loop.sleepUntil = platformSleepUntil;
    loop.step = [&game] {
        PlatformMessage msg;
        const bool got = platformPollMessage(&msg);
        return loopStep(game, got ? &msg : nullptr);
    };
    bool soundOpened = false;
    loop.draw = [&game, &soundOpened] {
        loopFrame(game);
        // Sound follows the first frame: the window never waits for a sound system.
        if (!soundOpened) openSoundDevice();
        soundOpened = true;
    };
    runFrameLoop(loop);
    finishRecording(game);
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
    Game game;
    if (!openGameWindow(game)) return 1;
    // The scene as the start screen's confirm sets it up, on the file's hill and speed.
    readSceneBatch(game.settings);
    fitSceneChoices(game.settings);
    game.settings.hillNumber = recording.hill;
    game.settings.gameSpeed = recording.speed;
    prepareSceneState(game);
    game.mode.screen = Screen::Scene;
    game.sceneGraphicsPending = true;
    drawFrame(game); // sets up the scene's graphics as the first frame after the start screen
    if (!texturesThere()) return 1;
    platformSetVsync(false);

    startReplay(game, recording);
    int frameCount = 0;
    int32_t distance = 0, points = 0;
    const double start = platformSeconds();
    while (replayRunning(game)) {
        distance = game.jump.jumpDistance;
        points = jumpTotal(game.jump);
        drawFrame(game);
        ++frameCount;
        // Only the window's own messages: a key must not end the demo early.
        PlatformMessage msg;
        while (platformPollMessage(&msg))
            if (msg.type == MSG_SIZE || msg.type == MSG_CLOSE) takeWindowMessage(game, msg);
        if (game.mode.windowClosed) break;
        loopStep(game, nullptr);
    }
    const double seconds = platformSeconds() - start;
    releaseFigureQuadric();
    platformShutdown();
    if (game.mode.windowClosed) {
        std::fprintf(stderr, "orbel: the time demo's window was closed\n");
        return 1;
    }
    std::printf("frames=%d seconds=%.3f fps=%.1f distance=%d points=%d\n", frameCount, seconds,
                seconds > 0 ? frameCount / seconds : 0.0, static_cast<int>(distance),
                static_cast<int>(points));
    return 0;
}
