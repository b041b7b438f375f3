// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game controller through the platform layer, with a virtual controller plugged in as a
// real one would be: each button gives the same states as the mouse button or key it stands
// for, the stick leans the flight as the mouse does, and controllers come and go.
#include <gtest/gtest.h>

#include <functional>

#include "camera/views.h"
#include "core/random.h"
#include "game/app.h"
#include "game/pause.h"
#include "jump_play.h"
#include "support/game_snapshot.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

unsigned fixedSeed() {
    return 4242;
}

class Gamepad : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(platformStartInput());
        game().random.seedSource = fixedSeed;
        pad = platformAttachVirtualPad();
        ASSERT_GE(pad, 0);
        drain();
    }
    void TearDown() override {
        platformDetachVirtualPad(pad);
        drain();
        game().random.seedSource = nullptr;
    }

    // Messages waiting from the platform, handed to the game one step each.
    void drain() {
        PlatformMessage m;
        while (platformPollMessage(&m))
            if (m.type != MSG_PADBUTTON) pass(&m);
    }

    // A press and release of a button, as the game's steps take it.
    void press(PadButton button) {
        platformSetVirtualPadButton(pad, button, true);
        PlatformMessage m;
        bool seen = false;
        for (int tries = 0; tries < 50 && !seen; ++tries)
            while (platformPollMessage(&m)) {
                ASSERT_EQ(m.type, MSG_PADBUTTON);
                ASSERT_EQ(m.key, button);
                pass(&m);
                seen = true;
            }
        ASSERT_TRUE(seen) << "button " << button << " reached the game";
        platformSetVirtualPadButton(pad, button, false);
        while (platformPollMessage(&m))
            ADD_FAILURE() << "a release sends nothing";
    }

    TempGameDir dir{false};
    int pad = -1;
};

struct Mapping {
    const char* name;
    std::function<void()> before; // brings the game to where the input matters
    PadButton button;
    std::function<void()> sameAs; // the mouse button or key the button stands for
};

void atTheGate(TempGameDir& d) {
    enterHill(d, 1);
    frames(5);
}

void inTheLandingWindow(TempGameDir& d) {
    atTheGate(d);
    ASSERT_TRUE(runAndTakeOff());
    framesUntil([] {
        return game().jump.jumperZ > hillStart(game().settings.hillNumber)->landingWindow[0] + 2;
    });
}

} // namespace

TEST_F(Gamepad, EachButtonGivesTheSameStatesAsItsMouseButtonOrKey) {
    TempGameDir& d = dir;
    const Mapping mappings[] = {
        {"A on the start screen", [&] { d.writeDefaults(), startGame(); }, PAD_A,
         [] { passKey(VK_RETURN); }},
        {"A at the gate", [&] { atTheGate(d); }, PAD_A, [] { passLeftClick(); }},
        {"A on the ground", [&] { atTheGate(d), playJump(true); }, PAD_A, [] { passLeftClick(); }},
        {"B in the landing window", [&] { inTheLandingWindow(d); }, PAD_B,
         [] { passRightClick(); }},
        {"right trigger in the landing window", [&] { inTheLandingWindow(d); }, PAD_RIGHT_TRIGGER,
         [] { passRightClick(); }},
        {"d-pad down", [&] { d.writeDefaults(), startGame(); }, PAD_DPAD_DOWN,
         [] { passKey(VK_DOWN); }},
        {"d-pad up", [&] { d.writeDefaults(), startGame(), passKey(VK_DOWN); }, PAD_DPAD_UP,
         [] { passKey(VK_UP); }},
        {"Back", [&] { atTheGate(d); }, PAD_BACK, [] { passKey(VK_ESCAPE); }},
        {"right shoulder", [&] { atTheGate(d), passChar('8'); }, PAD_RIGHT_SHOULDER,
         [] { passChar('1'); }},
        {"left shoulder", [&] { atTheGate(d); }, PAD_LEFT_SHOULDER, [] { passChar('8'); }},
        {"Start", [&] { atTheGate(d); }, PAD_START, [] { passChar('p'); }},
    };
    for (const Mapping& m : mappings) {
        SCOPED_TRACE(m.name);
        m.before();
        const uint64_t start = hashGameState();
        m.sameAs();
        frames(3);
        const uint64_t byMouseOrKey = hashGameState();
        const bool paused = game().mode.paused;

        m.before();
        ASSERT_EQ(hashGameState(), start) << "the same game to start from";
        press(m.button);
        frames(3);
        EXPECT_EQ(hashGameState(), byMouseOrKey);
        EXPECT_EQ(game().mode.paused, paused);
        EXPECT_TRUE(byMouseOrKey != start || paused) << "the input did something";
    }
}

TEST_F(Gamepad, AFullPushOfTheStickLeansAsFastAsAMouseMoveEveryStep) {
    auto intoTheFlight = [&] {
        atTheGate(dir);
        passMouseMove(400, 300); // the cursor's place, before it can lean anything
        ASSERT_TRUE(runAndTakeOff());
        framesUntil([] { return game().jump.extendStep == 0; }, 100);
    };
    struct Lean {
        float lean, stepUp, stepDown;
    };
    auto lean = [] {
        return Lean{game().jump.flightLean, game().jump.leanStepUp, game().jump.leanStepDown};
    };

    for (float direction : {1.0f, -1.0f}) {
        SCOPED_TRACE(direction > 0 ? "down: forward" : "up: back");
        intoTheFlight();
        for (int k = 1; k <= 4; ++k)
            passMouseMove(400, 300 + static_cast<int>(direction) * 10 * k);
        const Lean byMouse = lean();

        intoTheFlight();
        platformSetVirtualPadStickY(pad, direction);
        drain();

        frames(4);
        platformSetVirtualPadStickY(pad, 0);
        drain();
        const Lean byStick = lean();
        EXPECT_EQ(byStick.lean, byMouse.lean);
        EXPECT_EQ(byStick.stepUp, byMouse.stepUp);
        EXPECT_EQ(byStick.stepDown, byMouse.stepDown);
        EXPECT_NE(byStick.lean, 0);

        // A push of 0.6 leans once in the first three steps, where a full push leans thrice.
        intoTheFlight();
        const float before = game().jump.flightLean;
        platformSetVirtualPadStickY(pad, direction * 0.6f);
        drain();
        frames(3);
        platformSetVirtualPadStickY(pad, 0);
        drain();
        EXPECT_EQ(game().jump.flightLean - before, direction > 0 ? 4.5f : -1.5f);
    }
}

TEST_F(Gamepad, ControllersPluggedInLaterWorkAndUnpluggedOnesFallSilent) {
    dir.writeDefaults();
    startGame();
    platformDetachVirtualPad(pad);
    drain();
    EXPECT_EQ(platformPadStickY(), 0);

    pad = platformAttachVirtualPad();
    ASSERT_GE(pad, 0);
    drain();
    press(PAD_DPAD_DOWN);
    EXPECT_TRUE(game().mode.quitChosen);
    platformSetVirtualPadStickY(pad, 1);
    drain();
    EXPECT_EQ(platformPadStickY(), 1.0f);
    platformSetVirtualPadStickY(pad, 0.1f);
    drain();
    EXPECT_EQ(platformPadStickY(), 0) << "inside the dead zone";
}
