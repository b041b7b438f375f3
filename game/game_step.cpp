// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/game_step.h"

#include <utility>

#include "core/language.h"

#include "camera/views.h"
#include "core/environment.h"
#include "core/settings.h"
#include "game/competition.h"
#include "game/game.h"
#include "game/input.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "score/records.h"
#include "venue/animation.h"

bool sceneShown(const Game& g) {
    return g.mode.screen == Screen::Scene && !g.mode.windowClosed;
}

Course liveCourse(Game& g) {
    Course c;
    c.hill = g.settings.hillNumber;
    c.speed = g.settings.gameSpeed;
    c.altWind = g.settings.hiddenSwitch == kAltWindCode;
    c.random = &g.random;
    c.commandListener = [&g](JumpCommand command, int32_t value) {
        captureCommand(g, command, value);
    };
    return c;
}

void stepScene(Game& g, uint8_t cameraKeys) {
    // A computer jumper's jump sets no record.
    if (!computerOnHill(g) && recordBeaten(g.records, g.jump, g.settings.hillNumber)) {
        // The replay first, so the record never stands beside another jump's replay.
        recordNewRecord(g);
        const WriteResult stored = storeJumpRecord(g.records, g.jump, g.settings.hillNumber);
        noteSave(g, N_("rekordu"), recordFilePath(g.settings.hillNumber), stored);
        if (!stored.ok()) recordNotStored(g);
    }
    advanceScene(g, cameraKeys);
}

void advanceScene(Game& g, uint8_t cameraKeys) {
    Jump& j = g.jump;
    VenueAnimation& v = g.venue;
    if (snowFalls(g.settings) || rainFalls(g.settings))
        v.precipitationWrapped =
            lowerPrecipitationFall(v, snowFalls(g.settings), g.settings.gameSpeed);
    updateCamera(g.camera, j, g.settings, v.airshipTravel, cameraKeys);
    if (chairliftShown(g.settings)) moveChairliftSeats(v);
    advanceAirship(v);
    // The start countdown steps with the jumper: nothing above reads it.
    stepJump(j, liveCourse(g));
    // The colours are read again for every drawing of the jumper, as the launcher may change
    // them.
    if (knownHill(g.settings.hillNumber) && !computerOnHill(g)) readJumperColours(g.settings);
    if (townShown(g.settings)) driveBuses(v);
    if (floodlightsShown(g.settings)) v.beamOpacity = 0.8f;
}

bool stepGame(Game& g, const StepInput& in) {
    if (in.hasMessage && in.message.type == MSG_QUIT) {
        g.mode.quit = true;
        return false;
    }
    // Nothing moves behind the start screen, in a pause, or once the window has closed.
    if (sceneShown(g) && !g.mode.paused && !g.mode.help) {
        if (replayRunning(g)) {
            stepReplay(g, in.cameraKeys);
        } else {
            playSceneStep(g, in.stickY, in.cameraKeys);
            stepCompetition(g);
        }
    }
    if (in.hasMessage) {
        const PlatformMessage& m = in.message;
        if (handlePanelMessage(g, m)) {
        } else if (sceneShown(g) && !replayRunning(g) && handleCompetitionMessage(g, m)) {
        } else if (g.mode.screen == Screen::Start && !g.mode.help && m.type == MSG_CHAR &&
                   (m.key == 'K' || m.key == 'k')) {
            openContestPanel(g);
        } else {
            handleGameMessage(g, m);
        }
    }
    endRecordedStep(g);
    return true;
}

void playSceneStep(Game& g, float stickY, uint8_t cameraKeys) {
    recordSceneStep(g);
    stepScene(g, cameraKeys);
    // Hints and the stick are the player's; a computer jumper has his own input.
    const std::optional<PlatformMessage> computer = computerMessage(g);
    if (!computerOnHill(g)) {
        stepHints(g);
        leanWithStick(g, stickY);
    }
    recordStandstill(g);
    if (computer) handleGameMessage(g, *computer);
}

void resetToProgramStart(Game& g) {
    g.mode = Mode{};
    resetSettings(g.settings);
    g.jump = Jump{};
    g.camera = Camera{};
    g.records = RecordBook{};
    g.venue = VenueAnimation{};
    resetEnvironmentTables();
    // The seed source is the clock's (or a test's), not the game's: it stays, but never a
    // replay's.
    auto seedSource = g.replay.playing ? g.replay.live.seedSource : g.random.seedSource;
    g.random = Random{};
    g.random.seedSource = std::move(seedSource);
    g.random.seed(1);
    g.sceneGraphicsPending = false;
    g.stickCarry = 0;
    g.hints = Hints{};
    g.replay = Replay{};
    listenForReplay(g);
    g.sound = SoundCues{};
    silenceSound();
    g.saveNotices = SaveNotices{};
    g.panel = ContestPanel{};
    g.competition = Competition{};
}
