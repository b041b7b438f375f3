// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A computer jumper: a controller that looks at the jump each step and gives the game the
// same inputs a player would (the start click, the take-off click, mouse moves that lean the
// flight, the right click for the landing stance). His jump is played by the game's own step,
// so his distance, marks and falls follow the game's rules.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "contest/contest.h"
#include "contest/field.h"
#include "game/game_step.h"

struct Game;
struct Jump;
struct Settings;

// What a jumper means to do in one jump, drawn from his skills and seed. Times are in
// seconds of the jump's own clock, so a plan means the same at every game speed.
struct JumpPlan {
    int startDelay = 0;        // steps of green light before he starts
    float takeoffEarly = 0;    // before the best take-off step
    int leanForward = 5;       // forward mouse moves after the extension (5 is full lean)
    float leanDelay = 0;       // after the extension, before the first move
    int leanBack = 0;          // back moves after the forward ones: a wobble
    float landingEarly = 0.0f; // before the last step the stance still counts; < 0: too late
};

class ComputerJumper {
  public:
    // skills from the field, the form of the day (a small +/-, added to each skill) and a seed;
    // the same three give the same plan and so, from the same game state, the same jump.
    ComputerJumper(const FieldJumper& who, float form, uint64_t seed);
    // A jumper that follows this plan exactly (the perfect player's search, tests).
    ComputerJumper(const JumpPlan& plan, unsigned judgesSeed);

    const JumpPlan& plan() const { return plan_; }
    // The seed the judges' marks of his jump take (see JudgesSeed).
    unsigned judgesSeed() const { return judgesSeed_; }

    // The input for the next step, from the jump as the last step left it. Call once per step,
    // from the gate to the jump's result.
    StepInput nextInput(const Game& g);

  private:
    void planTakeoff(const Jump& j, const Settings& s);
    StepInput moveMouse(int dy);

    JumpPlan plan_;
    unsigned judgesSeed_ = 0;
    int gateSteps_ = 0;
    bool cursorSet_ = false;
    int cursorY_ = 0;
    // Steps to go before the take-off click; -1 until the run is planned.
    int takeoffIn_ = -1;
    int flightSteps_ = 0; // since the extension ended
    int leansDone_ = 0;
};

// While it lives, the judges' marks (drawn from the game's seed source) take this seed, so a
// computer jump is reproducible; the source before it comes back when it goes.
class JudgesSeed {
  public:
    JudgesSeed(Game& g, unsigned seed);
    ~JudgesSeed();
    JudgesSeed(const JudgesSeed&) = delete;
    JudgesSeed& operator=(const JudgesSeed&) = delete;

  private:
    Game& game_;
    std::function<unsigned()> before_;
};

// The jump has its result: he is down past the take-off and the judges have given their
// last marks (the landing stance fully taken, or the fall finished).
bool jumpHasResult(const Jump& j);

// Plays his jump from the state the game is in (the caller puts him at the gate) to its result
// without drawing, the judges seeded from him. Nothing when the game does not move the jump on
// (start screen, pause, help, a replay) or it has no result within a minute of steps.
std::optional<JumpResult> playComputerJump(Game& g, ComputerJumper& jumper);
