// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Help for a new player: the total with the marks, the F1 panel that stops the clock, and
// the hints at the edges of their windows, through the real dispatch of clicks between
// steps. No hint ever changes the jump.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/random.h"
#include "game/app.h"
#include "game/hints.h"
#include "jump_play.h"
#include "score/points.h"
#include "support/game_snapshot.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

unsigned fixedSeed() {
    return 2024;
}

class HintsTest : public WholeJump {
  protected:
    void SetUp() override {
        WholeJump::SetUp();
        game().random.seedSource = fixedSeed;
    }
    void TearDown() override {
        game().random.seedSource = nullptr;
        WholeJump::TearDown();
    }
    // The hill with the run started; returns the steps after which z first passes `z`.
    int stepsUntilPast(float z) {
        enterHill(*dir, 2);
        passKey(VK_SPACE);
        return framesUntil([z] { return game().jump.jumperZ > z; });
    }
    void runFromTheGate(int steps) {
        enterHill(*dir, 2);
        passKey(VK_SPACE);
        frames(steps);
    }
};

bool hintIs(const char* text) {
    return currentHint(game()) && std::strcmp(currentHint(game()), text) == 0;
}

} // namespace

TEST_F(HintsTest, TheTotalCountsTheMarksWithTheDistancePoints) {
    for (bool stance : {true, false}) {
        SCOPED_TRACE(stance ? "landing in stance" : "a fall");
        enterHill(*dir, 1);
        ASSERT_TRUE(playJump(stance));
        frames(60); // the marks are drawn
        int marks = 0;
        for (int32_t m : game().jump.styleMarks) {
            EXPECT_GT(m, 0);
            marks += m;
        }
        EXPECT_EQ(jumpTotal(game().jump), game().jump.jumpPoints + marks);
        EXPECT_EQ(game().jump.jumpPoints,
                  static_cast<int>(game().jump.jumpDistance * static_cast<double>(1.8f)))
            << "the distance points themselves stay";
        ASSERT_GT(game().jump.jumpPoints, 0);
        passLeftClick(); // the next jump: no points until it reaches the measuring line
        EXPECT_EQ(game().jump.atGate, 1);
        EXPECT_EQ(game().jump.jumpPoints, 0);
    }
}

TEST_F(HintsTest, AClickBeforeTheTakeOffWindowIsTooEarlyAndOneInsideIsNot) {
    const HillStart* h = hillStart(2);
    const int n = stepsUntilPast(h->takeoffWindow[0]);
    ASSERT_GT(n, 1);

    // A click is handled after its pass's step: after n - 2 steps it lands in the last step
    // before the window, after n - 1 in the first inside it.
    runFromTheGate(n - 2);
    passLeftClick();
    ASSERT_LE(game().jump.jumperZ, h->takeoffWindow[0]);
    EXPECT_TRUE(hintIs("za wcześnie"));
    EXPECT_EQ(game().jump.inFlight, 0);

    runFromTheGate(n - 1);
    passLeftClick();
    EXPECT_EQ(game().jump.inFlight, 1);
    EXPECT_EQ(currentHint(game()), nullptr);
}

TEST_F(HintsTest, NoTakeOffByTheWindowsEndIsLate) {
    const HillStart* h = hillStart(2);
    const float end = h->takeoffWindow[1];
    enterHill(*dir, 2);
    passKey(VK_SPACE);
    const int n = framesUntil([end] { return game().jump.jumperZ >= end; });
    ASSERT_GT(n, 1);

    runFromTheGate(n - 1);
    EXPECT_EQ(currentHint(game()), nullptr) << "still inside the window";
    pass();
    EXPECT_TRUE(hintIs("spóźnione wybicie"));

    // A click in the window's last step takes off, and nothing is said.
    runFromTheGate(n - 2);
    passLeftClick();
    EXPECT_EQ(game().jump.inFlight, 1);
    frames(n);
    EXPECT_FALSE(hintIs("spóźnione wybicie"));
}

TEST_F(HintsTest, TouchingDownWithoutTheStanceSaysSoForAboutTwoSeconds) {
    enterHill(*dir, 1);
    ASSERT_TRUE(runAndTakeOff());
    for (int step = 0; step < 3000 && !onGround(); ++step) {
        ASSERT_EQ(currentHint(game()), nullptr) << "nothing in the air";
        pass();
    }
    ASSERT_TRUE(onGround());
    EXPECT_TRUE(hintIs("brak telemarku"));
    frames(100);
    EXPECT_TRUE(hintIs("brak telemarku"));
    frames(30);
    EXPECT_EQ(currentHint(game()), nullptr);

    enterHill(*dir, 1);
    ASSERT_TRUE(playJump(true));
    frames(5);
    EXPECT_EQ(currentHint(game()), nullptr) << "a landing in stance";
}

TEST_F(HintsTest, HintsNeverChangeTheJumpAndHTurnsThemOffForGood) {
    auto wrongJumps = [&](bool hints) {
        enterHill(*dir, 2);
        if (!hints) toggleHints(game());
        EXPECT_EQ(hintsOn(game()), hints);
        passKey(VK_SPACE);
        frames(3);
        passLeftClick(); // too early
        frames(400);     // too late, then a fall
        return hashGameState();
    };
    EXPECT_EQ(wrongJumps(true), wrongJumps(false));
    EXPECT_EQ(currentHint(game()), nullptr);
    EXPECT_EQ(dir->readData("hints.dat"), "0");

    // The choice is read at the next start; H turns them back on, and off again.
    enterHill(*dir, 2);
    readHintsChoice(game());
    EXPECT_FALSE(hintsOn(game()));
    passChar('h');
    EXPECT_TRUE(hintsOn(game()));
    EXPECT_EQ(dir->readData("hints.dat"), "1");
    ASSERT_NE(currentNotice(game()), nullptr) << "H says what it did";
    EXPECT_STREQ(currentNotice(game()), "podpowiedzi włączone");
    passChar('H');
    EXPECT_FALSE(hintsOn(game()));
    ASSERT_NE(currentNotice(game()), nullptr);
    EXPECT_STREQ(currentNotice(game()), "podpowiedzi wyłączone");
    frames(60);
    EXPECT_EQ(currentNotice(game()), nullptr) << "for about a second";
}

TEST_F(HintsTest, F1ShowsTheHelpWithTheClockStoppedAndF1OrEscHidesIt) {
    dir->writeDefaults();
    startGame();
    passKey(VK_F1);
    EXPECT_TRUE(game().mode.help) << "on the start screen too";
    passKey(VK_RETURN);
    EXPECT_EQ(game().mode.screen, Screen::Start) << "nothing else acts";
    passKey(VK_F1);
    EXPECT_FALSE(game().mode.help);

    enterHill(*dir, 1);
    passKey(VK_SPACE);
    frames(20);
    passKey(VK_F1);
    const uint64_t shown = hashGameState();
    frames(200);
    passLeftClick();
    passChar('3');
    EXPECT_EQ(hashGameState(), shown) << "the clock stood still";
    passKey(VK_ESCAPE);
    EXPECT_FALSE(game().mode.help);
    EXPECT_EQ(game().mode.screen, Screen::Scene) << "Esc only closed the panel";
    pass();
    EXPECT_NE(hashGameState(), shown) << "the run goes on";
}

TEST_F(HintsTest, ANoticeShowsWhateverTheHintSettingForItsSteps) {
    for (bool hints : {true, false}) {
        enterHill(*dir, 2);
        if (!hints) toggleHints(game());
        showNotice(game(), "tekst", 30);
        frames(29);
        ASSERT_NE(currentNotice(game()), nullptr);
        EXPECT_STREQ(currentNotice(game()), "tekst");
        pass();
        EXPECT_EQ(currentNotice(game()), nullptr);
    }
}
