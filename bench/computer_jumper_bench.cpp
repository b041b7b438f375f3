// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The computer jumpers on our hills, without drawing:
// - a scripted perfect player: every take-off step, lean pattern and landing moment tried
//   through the real step, for the best distance a good human reaches (calm, and in the
//   strongest head and tail wind of a reset);
// - the field: mean distance of its strongest and weakest five, and the share of falls;
// - a full competition of 50 computer jumpers (and the one human slot, played by the perfect
//   plan), in milliseconds per jump.
// Usage: build/computer_jumper_bench [--speed 1|2|3]  (the game speed, 2 by default)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "contest/contest.h"
#include "contest/field.h"
#include "core/settings.h"
#include "game/computer_jumper.h"
#include "game/competition.h"
#include "game/game.h"
#include "game/game_step.h"
#include "game/input.h"
#include "jump/jump_state.h"
#include "score/points.h"
#include "support/harness.h"

namespace {

using Clock = std::chrono::steady_clock;

void enterHill(TempGameDir& dir, int hill, int speed) {
    dir.writeDefaults();
    dir.configure(hill, 1, 0, 6, speed);
    startGame();
    leaveStartScreen();
}

// One jump from the gate with this wind (or the game's own when `wind` is out of range).
std::optional<JumpResult> jumpWith(ComputerJumper jumper, int wind = 99) {
    Game& g = game();
    resetJumpAndCamera(g);
    if (wind != 99) g.jump.windSpeed = wind;
    return playComputerJump(g, jumper);
}

struct Perfect {
    int distance = 0;
    JumpPlan plan;
};

// Every take-off step back from the last one in the window, every number of forward leans
// and a few back after them, and the landing stance from the last moment to a few steps
// before it.
Perfect perfectJump(int wind) {
    const float dt = clockStep(game().settings.gameSpeed);
    Perfect best;
    for (int early = 0; early <= 10; ++early)
        for (int forward = 0; forward <= 5; ++forward)
            for (int back = 0; back <= 3; ++back)
                for (int landing = 0; landing <= 3; ++landing) {
                    JumpPlan p;
                    p.takeoffEarly = early * dt;
                    p.leanForward = forward;
                    p.leanBack = back;
                    p.landingEarly = landing * dt;
                    const auto r = jumpWith(ComputerJumper(p, 1), wind);
                    if (r && !r->fell && r->distance > best.distance) best = {r->distance, p};
                }
    return best;
}

struct FieldFigures {
    double strongest = 0, weakest = 0, falls = 0;
};

// In calm air (wind 0) or in the game's own wind (99).
FieldFigures fieldFigures(int seeds, int wind) {
    std::vector<double> mean(kFieldSize, 0);
    int falls = 0, jumps = 0;
    for (int i = 0; i < kFieldSize; ++i)
        for (int s = 0; s < seeds; ++s) {
            const float form = ((s * 37 + i * 11) % 121 - 60) / 1000.0f;
            const auto r = jumpWith(ComputerJumper(fieldJumper(i), form, 1000u * i + s), wind);
            if (!r) continue;
            mean[i] += r->distance / static_cast<double>(seeds);
            falls += r->fell;
            ++jumps;
        }
    FieldFigures f;
    for (int i = 0; i < 5; ++i) {
        f.strongest += mean[i] / 5;
        f.weakest += mean[kFieldSize - 1 - i] / 5;
    }
    f.falls = jumps ? 100.0 * falls / jumps : 0;
    return f;
}

} // namespace

int main(int argc, char** argv) {
    int speed = 2;
    bool field = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--speed") == 0 && i + 1 < argc) speed = std::atoi(argv[++i]);
        // The competition's figure alone: the field's take minutes.
        if (std::strcmp(argv[i], "--competition") == 0) field = false;
    }
    harnessWithoutWindow = true;
    // A game folder of its own: no computer jump may touch a real hill record.
    TempGameDir dir(false);

    std::printf("game speed %d\n", speed);
    std::printf("hill  perfect: calm  head(-7)  tail(+7)   field, calm: best 5  weakest 5  falls"
                "   field, game's wind: best 5  weakest 5  falls\n");
    for (int hill = 1; hill <= 3 && field; ++hill) {
        enterHill(dir, hill, speed);
        const Perfect calm = perfectJump(0), head = perfectJump(-7), tail = perfectJump(7);
        const FieldFigures f = fieldFigures(10, 0), w = fieldFigures(10, 99);
        std::printf("%4d  %13d %9d %9d   %20.1f %10.1f %5.1f%%   %27.1f %10.1f %5.1f%%\n", hill,
                    calm.distance, head.distance, tail.distance, f.strongest, f.weakest, f.falls,
                    w.strongest, w.weakest, w.falls);
        std::printf("      perfect plan (calm): %.3f s early, %d forward leans after %.3f s, "
                    "%d back, stance %.3f s before the last moment\n",
                    calm.plan.takeoffEarly, calm.plan.leanForward, calm.plan.leanDelay,
                    calm.plan.leanBack, calm.plan.landingEarly);
    }

    // A full competition as the game plays it: K, Enter, and S over every computer jump
    // (skipped, so never drawn); the player's own jumps follow the perfect plan.
    enterHill(dir, 2, speed);
    const Perfect perfect = perfectJump(0);
    Game& g = game();
    g.mode.screen = Screen::Start;
    passChar('K');
    passKey(VK_RETURN);
    const auto jumpsDone = [&g] {
        int n = 0;
        for (const Placing& p : g.competition.contest->standings())
            n += p.jumps;
        return n;
    };
    int skipped = 0;
    Clock::duration skipping{};
    while (competitionRunning(g)) {
        const Competition& c = g.competition;
        if (c.phase == ContestPhase::RoundBoard || c.phase == ContestPhase::SeasonBoard) {
            passKey(VK_RETURN);
        } else if (c.phase == ContestPhase::Jumping && !c.controller) {
            ComputerJumper player(perfect.plan, 1);
            for (int n = 0; n < 3600 && c.phase == ContestPhase::Jumping; ++n)
                stepGame(g, player.nextInput(g));
            passKey(VK_RETURN);
        } else {
            const int before = jumpsDone();
            const auto t0 = Clock::now();
            passChar('S');
            skipping += Clock::now() - t0;
            skipped += jumpsDone() - before;
        }
    }
    std::printf("a competition of 49 computer jumpers and the player on hill 2, skipped with S: "
                "%d computer jumps, %.3f ms per jump\n",
                skipped, std::chrono::duration<double, std::milli>(skipping).count() / skipped);
    return 0;
}
