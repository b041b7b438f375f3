// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A competition through the game's own dispatch, as the player's keys drive it: the panel,
// skipping the computer jumpers, the player's one jump, the boards, the results file, and a
// season that goes on after the game was left.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "contest/season_file.h"
#include "core/language.h"
#include "game/competition.h"
#include "game/game.h"
#include "jump_play.h"
#include "support/harness.h"

namespace {

class CompetitionPlay : public WholeJump {
  protected:
    void SetUp() override {
        WholeJump::SetUp();
        // The same start order, winds and marks every run.
        game().random.seedSource = [] { return 20261210u; };
        dir->writeDefaults();
        startGame();
    }
    Competition& competition() { return game().competition; }
    Contest& contest() { return *game().competition.contest; }

    // S, then the player's jump if it is his turn; false once a board stands.
    bool skipToThePlayer() {
        passChar('S');
        return competition().phase == ContestPhase::Jumping && !competition().controller;
    }
    int longestPlayersJump = 0;
    void playersJump() {
        ASSERT_TRUE(playJump(true));
        framesUntil([&] { return competition().phase == ContestPhase::Result; }, 600);
        ASSERT_EQ(competition().phase, ContestPhase::Result);
        EXPECT_EQ(competition().lastResult.distance, game().jump.jumpDistance);
        longestPlayersJump = std::max(longestPlayersJump, game().jump.jumpDistance);
    }
};

TEST_F(CompetitionPlay, KEnterAndSkipsPlayOneCompetitionToItsResults) {
    passChar('K');
    ASSERT_TRUE(game().panel.open);
    passKey(VK_RETURN);
    ASSERT_TRUE(competitionRunning(game()));
    ASSERT_EQ(game().mode.screen, Screen::Scene);
    EXPECT_EQ(contest().starters(), 50);

    int playersJumps = 0;
    for (int round = 1; round <= 2; ++round) {
        if (skipToThePlayer()) {
            playersJump();
            ++playersJumps;
            passChar('S');
        }
        ASSERT_EQ(competition().phase, ContestPhase::RoundBoard) << "round " << round;
        // The board scrolls and stays within its lines.
        for (int k = 0; k < 8; ++k)
            passKey(VK_NEXT);
        EXPECT_LT(competition().boardScroll, contest().starters());
        passKey(VK_RETURN);
    }
    EXPECT_GE(playersJumps, 1) << "everyone jumps in the first round";
    EXPECT_FALSE(competitionRunning(game()));
    EXPECT_EQ(game().mode.screen, Screen::Start);

    // One block: its header, then every starter by place.
    std::istringstream results(dir->readData("wyniki.txt"));
    std::string line;
    int lines = 0, lastPlace = 0;
    std::getline(results, line);
    EXPECT_NE(line.find(_("Konkurs")), std::string::npos) << line;
    while (std::getline(results, line) && !line.empty()) {
        ++lines;
        const int place = std::stoi(line);
        EXPECT_GE(place, lastPlace) << line;
        lastPlace = place;
    }
    EXPECT_EQ(lines, 50);
    // The hill record is the player's, whatever the computer jumpers jumped.
    EXPECT_EQ(dir->dataExists("record1.dat") ? std::stoi(dir->readData("record1.dat")) : 0,
              longestPlayersJump);
}

TEST_F(CompetitionPlay, ASeasonGoesOnFromTheNextJumpAfterTheGameWasLeft) {
    passChar('K');
    passKey(VK_RIGHT); // "Puchar Świata"
    passKey(VK_DOWN);
    passKey(VK_DOWN);
    for (int k = 0; k < 7; ++k)
        passKey(VK_BACK);
    for (const char* typed = "Ola"; *typed; ++typed)
        passChar(*typed);
    passKey(VK_RETURN);
    ASSERT_TRUE(competitionRunning(game()));
    EXPECT_EQ(contest().starter(0).name, "Ola");
    // A few computer jumps, each saved as it ends.
    int jumps = 0;
    ASSERT_TRUE(competition().controller) << "this seed starts with a computer jumper";
    while (jumps < 3 && competition().controller) {
        passKey(VK_RETURN); // skip this one to its result
        ASSERT_EQ(competition().phase, ContestPhase::Result);
        if (jumps == 0) {
            // R plays a computer jumper's jump again, as the player's.
            passChar('R');
            EXPECT_TRUE(replayRunning(game()));
            while (replayRunning(game()))
                pass();
        }
        passKey(VK_RETURN); // and go on
        ++jumps;
    }
    const std::string saved = dir->readData("puchar.dat");
    const int next = contest().nextStarter();

    // Q, a new program, and the panel's third choice.
    passChar('Q');
    ASSERT_TRUE(game().mode.quit);
    resetGameState();
    startGameFromHere();
    passChar('K');
    ASSERT_TRUE(game().panel.savedSeason);
    passKey(VK_LEFT); // "Kontynuuj Puchar Świata"
    passKey(VK_RETURN);
    ASSERT_TRUE(competitionRunning(game()));
    EXPECT_EQ(contest().nextStarter(), next);
    EXPECT_EQ(dir->readData("puchar.dat"), saved);
}

} // namespace
