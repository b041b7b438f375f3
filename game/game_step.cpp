// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game_step.h"

#include "core/language.h"

#include "camera/views.h"
#include "core/environment.h"
#include "core/random.h"
#include "core/settings.h"
#include "game/app.h"
#include "game/input.h"
#include "game/hints.h"
#include "game/pause.h"
#include "game/replay.h"
#include "game/save_notices.h"
#include "game/scene_setup.h"
#include "game/sound_cues.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "jump/pose.h"
#include "score/records.h"
#include "venue/animation.h"

void stepScene() {
    if (recordBeaten()) {
        // The replay first, so the record never stands beside another jump's replay.
        recordNewRecord();
        const WriteResult stored = storeJumpRecord();
        noteSave(N_("rekordu"), recordFilePath(hillNumber), stored);
        if (!stored.ok()) recordNotStored();
    }
    advanceScene();
}

void advanceScene() {
    if (awaitingStart == 1) stepStartCountdown();
    if (snowFalls() || rainFalls()) precipitationWrapped = lowerPrecipitationFall(snowFalls());
    updateCamera(airshipTravel, heldCameraKeys());
    if (chairliftShown()) moveChairliftSeats();
    advanceAirship();
    if (atGate == 1)
        stepGateFigure();
    else
        stepJumper();
    if (townShown()) driveBuses();
    if (floodlightsShown()) beamOpacity = 0.8f;
}

bool stepGame(const PlatformMessage* msg) {
    if (msg && msg->type == MSG_QUIT) {
        quitRequested = 1;
        return false;
    }
    // Nothing moves behind the start screen, in a pause, or once the window has closed.
    if (sceneShown() && !gamePaused && !helpShown) {
        if (replayRunning()) {
            stepReplay();
        } else {
            recordSceneStep();
            stepScene();
            stepHints();
            leanWithStick(platformPadStickY());
            recordStandstill();
        }
    }
    if (msg) mainWindowProc(*msg);
    endRecordedStep();
    stepSound();
    return true;
}

void resetToProgramStart() {
    loadShellState();
    resetSettings();
    loadJumpState();
    armSwing = 0;
    loadCameraState();
    forgetRecordReads();
    resetVenueAnimation();
    resetEnvironmentTables();
    seedRandom(1);
    sceneGraphicsPending = false;
    gamePaused = false;
    resetStickLean();
    resetHints();
    resetReplay();
    resetSound();
    forgetSaveFailures();
}
