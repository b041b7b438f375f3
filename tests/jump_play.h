// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Playing whole jumps through the frame harness, as a player would: start, take-off click,
// landing click (or none), all between real frames.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "jump/jump_state.h"
#include "jump/motion.h"
#include "support/harness.h"
#include "game/game.h"

// Frames until pred() holds after a frame, at most limit; returns the frames run, or -1.
inline int framesUntil(const std::function<bool()>& pred, int limit = 3000) {
    for (int n = 1; n <= limit; ++n) {
        pass();
        if (pred()) return n;
    }
    return -1;
}

inline bool onGround() {
    return game().jump.jumperY == game().jump.groundY;
}

// Runs the in-run and clicks to take off just before the hill's edge. Returns inFlight.
inline bool runAndTakeOff() {
    const HillStart* h = hillStart(game().settings.hillNumber);
    if (!h) return false;
    if (game().jump.atGate == 1) passKey(VK_SPACE);
    // About one frame's travel before the window closes, whatever the game speed.
    const float late = h->takeoffWindow[1] - 1.0f;
    if (framesUntil([&] { return game().jump.jumperZ > late; }) < 0) return false;
    passLeftClick();
    return game().jump.inFlight == 1;
}

// In the air until close above the ground, then the landing click. Returns landingStance.
inline bool takeLandingStance() {
    const HillStart* h = hillStart(game().settings.hillNumber);
    if (!h) return false;
    framesUntil([&] {
        // Hill 2 measures from the origin behind its edge: the length shrinks until z 0.
        const float from = game().settings.hillNumber == 2 ? 2.0f : h->landingWindow[0] + 1;
        const bool inWindow = game().jump.jumperZ > from;
        return onGround() || (inWindow && game().jump.jumperY - game().jump.groundY < 0.6f) ||
               game().jump.jumperZ > h->landingWindow[1] - 2;
    });
    if (onGround()) return false;
    passRightClick();
    return game().jump.landingStance == 1;
}

// Once the extension has finished: five mouse moves down the window, full lean forward.
inline void leanForward() {
    framesUntil([] { return game().jump.extendStep == 0; }, 100);
    for (int k = 1; k <= 5; ++k)
        passMouseMove(400, 300 + 10 * k);
}

inline bool waitForLanding() {
    return framesUntil(onGround) >= 0;
}

// A whole jump: start, take-off, landing with or without the stance, on the ground.
inline bool playJump(bool stance) {
    if (!runAndTakeOff()) return false;
    if (stance && !takeLandingStance()) return false;
    return waitForLanding();
}

// The game folder and the scene for one hill, start screen left: the gate, countdown running.
inline void enterHill(TempGameDir& dir, int hill, int speed = 2) {
    dir.writeDefaults();
    dir.configure(hill, 1, 0, 6, speed);
    // A blue suit keeps the jumper out of the red of the on-screen texts.
    dir.writeData("suitR.dat", "0");
    dir.writeData("suitG.dat", "0");
    dir.writeData("suitB.dat", "199");
    startGame();
    leaveStartScreen();
}

// A fresh game folder (no textures) for each test of whole jumps.
class WholeJump : public ::testing::Test {
  protected:
    void SetUp() override { dir = std::make_unique<TempGameDir>(false); }
    void TearDown() override { dir.reset(); }
    std::unique_ptr<TempGameDir> dir;
};

// A jumper who touched down short on the knoll can be in the air again for a while, and the
// left click resets only on the ground: click until it takes.
inline void resetOnTheGround() {
    for (int tries = 0; tries < 50 && game().jump.atGate == 0; ++tries) {
        framesUntil(onGround, 200);
        passLeftClick();
    }
}

// The stops of a check along a jump: at the gate from each of gateViews; flightStops times in
// the air, framesApart apart, from each of flightViews (none: the view held); after landing.
struct JumpTour {
    std::vector<char> gateViews;
    int flightStops = 0;
    int framesApart = 0;
    std::vector<char> flightViews;
};

// Jumps from the present gate, calling check(where) at every stop of the tour.
inline void walkAJump(const JumpTour& tour, const std::function<void(const std::string&)>& check) {
    for (char view : tour.gateViews) {
        passChar(view);
        frames(2);
        check(std::string("at the gate, view ") + view);
    }
    passChar('1');
    ASSERT_TRUE(runAndTakeOff());
    for (int k = 0; k < tour.flightStops && !onGround(); ++k) {
        frames(tour.framesApart);
        const std::string where = "in flight " + std::to_string(k);
        if (tour.flightViews.empty()) check(where);
        for (char view : tour.flightViews) {
            passChar(view);
            check(where + ", view " + view);
        }
        if (!tour.flightViews.empty()) passChar('1');
    }
    waitForLanding();
    frames(20);
    check("landed");
}
