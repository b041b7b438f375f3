// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole game as one value: what it shows, the jump, the camera, the venue's motion, the
// records seen, the hints, the replay and the sound choice. The app owns one; tests make
// their own.
#pragma once
#include <cstdint>

#include "camera/views.h"
#include "core/random.h"
#include "core/settings.h"
#include "game/competition.h"
#include "game/hints.h"
#include "game/replay.h"
#include "game/save_notices.h"
#include "game/sound_cues.h"
#include "jump/jump_state.h"
#include "score/records.h"
#include "venue/animation.h"

enum class Screen : uint8_t { Start, Scene };

// What the game shows and what takes the player's input.
struct Mode {
    Screen screen = Screen::Start;
    // The start screen's highlighted button is "quit" (else "start").
    bool quitChosen = false;
    // The F1 panel, over anything; the scene's clock stands still meanwhile.
    bool help = false;
    // The scene's clock stopped; the picture stays under a dimmed layer.
    bool paused = false;
    // The window was closed: its context is gone and the game no longer moves on.
    bool windowClosed = false;
    // The loop ends after this step.
    bool quit = false;

    template <class Visit> void eachField(Visit&& visit) {
        visit("screen", screen);
        visit("quitChosen", quitChosen);
        visit("help", help);
        visit("paused", paused);
        visit("windowClosed", windowClosed);
        visit("quit", quit);
    }
};

struct Game {
    Mode mode;
    // The launcher's choices, read at each scene set-up (the colours on each drawing).
    Settings settings;
    Jump jump;
    Camera camera;
    VenueAnimation venue;
    RecordBook records;
    Hints hints;
    Replay replay;
    SoundCues sound;
    SaveNotices saveNotices;
    // The K panel, and the competition running (none in free jumping).
    ContestPanel panel;
    Competition competition;
    Random random;
    // What the stick has leaned short of a whole step.
    float stickCarry = 0;
    // A step set up a new scene's state: the next frame sets up its graphics.
    bool sceneGraphicsPending = false;

    Game() = default;
    // Listeners point back into the game: a copy would still talk to the original.
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
};

// The 3-D scene is on screen: no start screen, and the window still open.
bool sceneShown(const Game& g);
// The live jump's course: the settings' hill and speed, the game's random numbers, and the
// replay's capture of every command.
Course liveCourse(Game& g);
