// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The computer jumpers without a display: the field's distances and falls per hill through
// the game's own step, against a perfect player in the same calm air, and the same seed
// giving the same jumps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <tuple>
#include <vector>

#include "contest/field.h"
#include "core/settings.h"
#include "game/computer_jumper.h"
#include "game/game.h"
#include "game/input.h"
#include "jump/jump_state.h"
#include "support/harness.h"

namespace {

void enterHill(TempGameDir& dir, int hill) {
    dir.writeDefaults();
    dir.configure(hill, 1, 0, 6);
    startGame();
    leaveStartScreen();
}

// One jump from the gate, in calm air when asked (the wind is otherwise the game's own).
JumpResult jump(ComputerJumper jumper, bool calm) {
    resetJumpAndCamera(game());
    if (calm) game().jump.windSpeed = 0;
    const auto result = playComputerJump(game(), jumper);
    EXPECT_TRUE(result);
    return result.value_or(JumpResult{});
}

ComputerJumper fieldJumperFor(int i, int round) {
    const float form = ((round * 37 + i * 11) % 121 - 60) / 1000.0f;
    return ComputerJumper(fieldJumper(i), form, 7919u * i + round);
}

// The perfect player: the take-off a few steps back from the last, a lean eased back or not,
// the stance at the last moment or a little before; his longest standing jump.
int perfectDistance() {
    const float dt = clockStep(game().settings.gameSpeed);
    int best = 0;
    for (int early = 0; early <= 4; ++early)
        for (int back = 0; back <= 1; ++back)
            for (int landing = 0; landing <= 3; ++landing) {
                JumpPlan p;
                p.takeoffEarly = early * dt;
                p.leanBack = back;
                p.landingEarly = landing * dt;
                const JumpResult r = jump(ComputerJumper(p, 1), true);
                if (!r.fell) best = std::max(best, r.distance);
            }
    return best;
}

double mean(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / v.size();
}

void expectWithin(double value, double low, double high) {
    EXPECT_GE(value, low);
    EXPECT_LE(value, high);
}

// The field's strongest and weakest five, as shares of the perfect player's distance. The
// hills differ: on the large one a flight short of its knoll is measured much shorter.
struct HillBands {
    int hill;
    double bestLow, bestHigh;
    double weakLow, weakHigh;
};
const HillBands kBands[] = {
    {1, 0.85, 1.02, 0.55, 0.75},
    {2, 0.85, 1.02, 0.55, 0.75},
    {3, 0.70, 1.02, 0.40, 0.60},
};

class FieldSpread : public ::testing::TestWithParam<HillBands> {};

TEST_P(FieldSpread, DistancesAndFallsStayInTheirBands) {
    const HillBands& b = GetParam();
    TempGameDir dir(false);
    enterHill(dir, b.hill);
    const double perfect = perfectDistance();
    ASSERT_GT(perfect, 0);
    constexpr int kRounds = 4;
    std::vector<double> jumperMean(kFieldSize), all;
    int falls = 0;
    for (int i = 0; i < kFieldSize; ++i) {
        std::vector<double> own;
        for (int round = 0; round < kRounds; ++round) {
            const JumpResult r = jump(fieldJumperFor(i, round), true);
            own.push_back(r.distance);
            falls += r.fell;
        }
        jumperMean[i] = mean(own);
        all.insert(all.end(), own.begin(), own.end());
    }
    expectWithin(mean({jumperMean.begin(), jumperMean.begin() + 5}) / perfect, b.bestLow,
                 b.bestHigh);
    expectWithin(mean({jumperMean.end() - 5, jumperMean.end()}) / perfect, b.weakLow, b.weakHigh);
    // A field, not a crowd at one mark, and no one far beyond what a perfect jump reaches.
    const double m = mean(all);
    double variance = 0;
    for (double d : all)
        variance += (d - m) * (d - m) / all.size();
    expectWithin(std::sqrt(variance), 0.05 * perfect, 0.3 * perfect);
    EXPECT_LE(*std::max_element(all.begin(), all.end()), 1.05 * perfect);
    expectWithin(static_cast<double>(falls) / all.size(), 0.01, 0.08);
}

INSTANTIATE_TEST_SUITE_P(Hills, FieldSpread, ::testing::ValuesIn(kBands));

// The same start and seeds give the same jumps, in the game's own wind, whatever the clock
// would give the judges. The scene's start wind comes from the clock: fixed here.
TEST(ComputerJumper, SameSeedSameJumps) {
    TempGameDir dir(false);
    using Jumps = std::vector<std::tuple<int, int, bool>>;
    auto play = [&dir](unsigned clock) {
        game().random.seedSource = [] { return 5u; };
        enterHill(dir, 2);
        game().random.seedSource = [clock]() mutable { return clock++; };
        Jumps jumps;
        for (int i = 0; i < kFieldSize; i += 6) {
            const JumpResult r = jump(fieldJumperFor(i, 1), false);
            jumps.emplace_back(r.distance, r.total, r.fell);
        }
        game().random.seedSource = nullptr;
        return jumps;
    };
    EXPECT_EQ(play(1), play(50000));
}

// Where the game does not move the jump on, he does not jump.
TEST(ComputerJumper, NoJumpWhereTheGameStandsStill) {
    TempGameDir dir(false);
    const std::function<void(Game&)> states[] = {
        [](Game& g) { g.mode.screen = Screen::Start; },
        [](Game& g) { g.mode.paused = true; },
        [](Game& g) { g.mode.help = true; },
    };
    for (const auto& state : states) {
        enterHill(dir, 1);
        state(game());
        ComputerJumper jumper(fieldJumper(0), 0, 1);
        EXPECT_FALSE(playComputerJump(game(), jumper));
        EXPECT_EQ(game().jump.atGate, 1);
    }
}

} // namespace
